#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "include/cef_app.h"
#include "include/cef_cookie.h"
#include "include/cef_task.h"
#include "cefsim/inspection_api/cefsim_inspect.h"

namespace {

// Waits for callbacks that CEF runs on another thread.
class Signal {
 public:
  void Notify() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++count_;
    changed_.notify_all();
  }
  bool WaitFor(int count) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10),
                             [&] { return count_ >= count; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int count_ = 0;
};

class SetCallback : public CefSetCookieCallback {
 public:
  void OnComplete(bool success) override {
    on_io = CefCurrentlyOn(TID_IO);
    results.push_back(success);
    done.Notify();
  }
  std::vector<bool> results;
  bool on_io = false;
  Signal done;

 private:
  IMPLEMENT_REFCOUNTING(SetCallback);
};

class DeleteCallback : public CefDeleteCookiesCallback {
 public:
  void OnComplete(int num_deleted) override {
    counts.push_back(num_deleted);
    done.Notify();
  }
  std::vector<int> counts;
  Signal done;

 private:
  IMPLEMENT_REFCOUNTING(DeleteCallback);
};

// Collects names; deletes those named in |to_delete|; stops after |limit|.
class NameVisitor : public CefCookieVisitor {
 public:
  NameVisitor(std::string to_delete, int limit)
      : to_delete_(std::move(to_delete)), limit_(limit) {}

  bool Visit(const CefCookie& cookie, int count, int total,
             bool& deleteCookie) override {
    on_io = on_io && CefCurrentlyOn(TID_IO);
// GCC sees the owned-string delete of CefString's destructor, which a string
// attached to a struct member never reaches.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wfree-nonheap-object"
    std::string name = CefString(&cookie.name).ToString();
#pragma GCC diagnostic pop
    names.push_back(name + " " + std::to_string(count) + "/" +
                    std::to_string(total));
    deleteCookie = name == to_delete_;
    return count + 1 < limit_;
  }
  std::vector<std::string> names;
  bool on_io = true;

 private:
  std::string to_delete_;
  int limit_;
  IMPLEMENT_REFCOUNTING(NameVisitor);
};

CefCookie MakeCookie(const std::string& name, bool httponly = false) {
  CefCookie cookie;
  CefString(&cookie.name).FromString(name);
  CefString(&cookie.value).FromString("v");
  cookie.httponly = httponly;
  return cookie;
}

std::vector<std::string> StoredNames() {
  std::vector<std::string> names;
  for (const CefCookie& cookie : cefsim_inspect::Cookies())
    names.push_back(CefString(&cookie.name).ToString());
  return names;
}

class CookieManagerTest : public testing::Test {
 protected:
  void SetUp() override {
    CefSettings settings;
    settings.multi_threaded_message_loop = 1;
    ASSERT_TRUE(CefInitialize(CefMainArgs(), settings, nullptr, nullptr));
    manager_ = CefCookieManager::GetGlobalManager(nullptr);
    ASSERT_TRUE(manager_);
    ASSERT_TRUE(manager_->DeleteCookies(CefString(), CefString(), nullptr));
  }
  void TearDown() override {
    manager_ = nullptr;
    CefShutdown();
  }
  // Returns once the IO thread has run everything posted so far.
  void DrainIO() {
    CefRefPtr<DeleteCallback> callback = new DeleteCallback();
    manager_->DeleteCookies("http://drain.invalid/", "none", callback);
    ASSERT_TRUE(callback->done.WaitFor(1));
  }

  CefRefPtr<CefCookieManager> manager_;
};

TEST(CookieManagerLifetimeTest, NoManagerOutsideTheRuntime) {
  EXPECT_FALSE(CefCookieManager::GetGlobalManager(nullptr));
  CefSettings settings;
  ASSERT_TRUE(CefInitialize(CefMainArgs(), settings, nullptr, nullptr));
  CefRefPtr<CefCookieManager> manager =
      CefCookieManager::GetGlobalManager(nullptr);
  ASSERT_TRUE(manager);
  CefShutdown();
  EXPECT_FALSE(CefCookieManager::GetGlobalManager(nullptr));
  // A manager kept past shutdown can no longer reach cookies.
  EXPECT_FALSE(manager->SetCookie("http://a.com/", MakeCookie("n"), nullptr));
}

TEST_F(CookieManagerTest, SetCookieReportsOnTheIOThread) {
  CefRefPtr<SetCallback> callback = new SetCallback();
  EXPECT_TRUE(manager_->SetCookie("http://a.com/", MakeCookie("ok"), callback));
  EXPECT_FALSE(manager_->SetCookie("http://a.com/", MakeCookie("bad;"),
                                   callback));
  // An invalid URL is refused at once, without a report.
  EXPECT_FALSE(manager_->SetCookie("", MakeCookie("n"), callback));
  EXPECT_FALSE(manager_->SetCookie("not a url", MakeCookie("n"), callback));
  ASSERT_TRUE(callback->done.WaitFor(2));
  DrainIO();
  EXPECT_EQ(callback->results, (std::vector<bool>{true, false}));
  EXPECT_TRUE(callback->on_io);
  EXPECT_EQ(StoredNames(), (std::vector<std::string>{"ok"}));
}

TEST_F(CookieManagerTest, VisitorsRunOnIOAndMayDeleteOrStop) {
  for (const char* name : {"a", "b", "c"})
    ASSERT_TRUE(manager_->SetCookie("http://a.com/", MakeCookie(name), nullptr));
  CefRefPtr<NameVisitor> visitor = new NameVisitor("b", 2);
  ASSERT_TRUE(manager_->VisitAllCookies(visitor));
  DrainIO();
  EXPECT_EQ(visitor->names, (std::vector<std::string>{"a 0/3", "b 1/3"}));
  EXPECT_TRUE(visitor->on_io);
  EXPECT_EQ(StoredNames(), (std::vector<std::string>{"a", "c"}));
}

TEST_F(CookieManagerTest, UrlVisitsFilterByHostPathAndHttpOnly) {
  ASSERT_TRUE(manager_->SetCookie("http://www.a.com/", MakeCookie("host"), nullptr));
  CefCookie domain = MakeCookie("domain");
  CefString(&domain.domain).FromString("a.com");
  ASSERT_TRUE(manager_->SetCookie("http://www.a.com/", domain, nullptr));
  CefCookie deep = MakeCookie("deep");
  CefString(&deep.path).FromString("/d");
  ASSERT_TRUE(manager_->SetCookie("http://www.a.com/", deep, nullptr));
  ASSERT_TRUE(manager_->SetCookie("http://www.a.com/", MakeCookie("ho", true),
                                  nullptr));

  auto visit = [this](const char* url, bool httponly) {
    CefRefPtr<NameVisitor> visitor = new NameVisitor("", 100);
    EXPECT_TRUE(manager_->VisitUrlCookies(url, httponly, visitor));
    DrainIO();
    std::vector<std::string> names;
    for (const std::string& entry : visitor->names)
      names.push_back(entry.substr(0, entry.find(' ')));
    return names;
  };
  EXPECT_EQ(visit("http://www.a.com/d/x", true),
            (std::vector<std::string>{"deep", "host", "domain", "ho"}));
  EXPECT_EQ(visit("http://www.a.com/dx", false),
            (std::vector<std::string>{"host", "domain"}));
  EXPECT_EQ(visit("http://b.a.com/", false),
            (std::vector<std::string>{"domain"}));
  EXPECT_FALSE(manager_->VisitUrlCookies("bad", true, new NameVisitor("", 1)));
}

TEST_F(CookieManagerTest, DeleteCookiesByUrlAndName) {
  CefCookie domain = MakeCookie("n");
  CefString(&domain.domain).FromString("a.com");
  ASSERT_TRUE(manager_->SetCookie("http://a.com/", domain, nullptr));
  CefCookie deep = MakeCookie("n");
  CefString(&deep.path).FromString("/deep");
  ASSERT_TRUE(manager_->SetCookie("http://a.com/", deep, nullptr));
  ASSERT_TRUE(manager_->SetCookie("http://a.com/", MakeCookie("m"), nullptr));
  ASSERT_TRUE(manager_->SetCookie("http://b.com/", MakeCookie("n"), nullptr));

  CefRefPtr<DeleteCallback> callback = new DeleteCallback();
  EXPECT_FALSE(manager_->DeleteCookies("bad url", CefString(), callback));
  // Name and URL: host and domain cookies sent to that URL.
  EXPECT_TRUE(manager_->DeleteCookies("http://a.com/", "n", callback));
  ASSERT_TRUE(callback->done.WaitFor(1));
  EXPECT_EQ(callback->counts, (std::vector<int>{1}));
  // URL alone: the host's host-only cookies on any path.
  EXPECT_TRUE(manager_->DeleteCookies("http://a.com/", CefString(), callback));
  ASSERT_TRUE(callback->done.WaitFor(2));
  EXPECT_EQ(callback->counts, (std::vector<int>{1, 2}));
  EXPECT_EQ(StoredNames(), (std::vector<std::string>{"n"}));
  EXPECT_EQ(CefString(&cefsim_inspect::Cookies()[0].domain).ToString(), "b.com");
}

TEST_F(CookieManagerTest, OwnManagersKeepTheirOwnCookies) {
  CefRefPtr<CefCookieManager> own =
      CefCookieManager::CreateManager(CefString(), false, nullptr);
  ASSERT_TRUE(own);
  EXPECT_TRUE(own->SetCookie("http://a.com/", MakeCookie("own"), nullptr));
  EXPECT_TRUE(StoredNames().empty());
  // Every global manager shares one store.
  EXPECT_TRUE(CefCookieManager::GetGlobalManager(nullptr)->SetCookie(
      "http://a.com/", MakeCookie("global"), nullptr));
  EXPECT_EQ(StoredNames(), (std::vector<std::string>{"global"}));
}

}  // namespace
