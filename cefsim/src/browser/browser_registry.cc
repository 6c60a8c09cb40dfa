#include "cefsim/src/browser/browser_registry.h"

#include <future>
#include <map>
#include <mutex>

#include "cefsim/src/threads/named_threads.h"

namespace cefsim {
namespace {

struct Registry {
  std::mutex mutex;
  int last_id = 0;
  std::map<int, CefRefPtr<BrowserHostImpl>> browsers;
};

Registry& TheRegistry() {
  static auto* registry = new Registry();
  return *registry;
}

}  // namespace

int NextBrowserId() {
  std::lock_guard<std::mutex> lock(TheRegistry().mutex);
  return ++TheRegistry().last_id;
}

void AddBrowser(CefRefPtr<BrowserHostImpl> browser) {
  std::lock_guard<std::mutex> lock(TheRegistry().mutex);
  TheRegistry().browsers[browser->GetIdentifier()] = browser;
}

CefRefPtr<BrowserHostImpl> FindBrowser(int id) {
  std::lock_guard<std::mutex> lock(TheRegistry().mutex);
  auto it = TheRegistry().browsers.find(id);
  return it == TheRegistry().browsers.end() ? nullptr : it->second;
}

std::vector<CefRefPtr<BrowserHostImpl>> AllBrowsers() {
  std::lock_guard<std::mutex> lock(TheRegistry().mutex);
  std::vector<CefRefPtr<BrowserHostImpl>> result;
  for (const auto& entry : TheRegistry().browsers)
    result.push_back(entry.second);
  return result;
}

size_t OpenBrowserCount() {
  size_t open = 0;
  for (const auto& browser : AllBrowsers())
    open += browser->closed() ? 0 : 1;
  return open;
}

void CloseAllBrowsers() {
  auto close_all = []() {
    for (const auto& browser : AllBrowsers())
      browser->CloseOnUi();
  };
  if (CurrentlyOnNamedThread(TID_UI)) {
    close_all();
  } else {
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> closed = done->get_future();
    if (PostToNamedThread(TID_UI, [close_all, done]() {
          close_all();
          done->set_value();
        })) {
      closed.wait();
    }
  }
  std::map<int, CefRefPtr<BrowserHostImpl>> dropped;
  {
    std::lock_guard<std::mutex> lock(TheRegistry().mutex);
    dropped.swap(TheRegistry().browsers);
  }
}

}  // namespace cefsim
