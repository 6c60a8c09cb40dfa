#include "cefsim/src/placeholder/placeholder_board.h"

#include "cefsim/src/strings/utf_conversion.h"

namespace cefsim {
namespace {

std::string Utf8(const std::u32string& text) {
  std::wstring wide(text.begin(), text.end());
  std::u16string utf16;
  WideToUtf16(wide.data(), wide.size(), &utf16);
  std::string utf8;
  Utf16ToUtf8(utf16.data(), utf16.size(), &utf8);
  return utf8;
}

}  // namespace

void PlaceholderBoard::SetWakeup(std::function<void()> wakeup) {
  std::lock_guard<std::mutex> lock(mutex_);
  wakeup_ = std::move(wakeup);
}

void PlaceholderBoard::Open(int browser_id, HWND window,
                            const std::string& url, int inspected_browser_id) {
  std::lock_guard<std::mutex> lock(mutex_);
  Entry& entry = entries_[browser_id];
  entry = Entry();
  entry.window = window;
  entry.url = url;
  entry.inspected_browser_id = inspected_browser_id;
  opened_.push_back(browser_id);
  if (wakeup_)
    wakeup_();
}

PlaceholderBoard::Entry* PlaceholderBoard::Change(int browser_id) {
  auto found = entries_.find(browser_id);
  if (found == entries_.end())
    return nullptr;
  changed_.insert(browser_id);
  for (const auto& [id, entry] : entries_) {
    if (entry.inspected_browser_id == browser_id)
      changed_.insert(id);
  }
  if (wakeup_)
    wakeup_();
  return &found->second;
}

void PlaceholderBoard::SetUrl(int browser_id, const std::string& url) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Entry* entry = Change(browser_id))
    entry->url = url;
}

void PlaceholderBoard::SetTitle(int browser_id, const std::string& title) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Entry* entry = Change(browser_id))
    entry->title = title;
}

void PlaceholderBoard::SetLoading(int browser_id, bool loading) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Entry* entry = Change(browser_id))
    entry->loading = loading;
}

void PlaceholderBoard::AddConsoleLine(int browser_id, const std::string& line) {
  std::lock_guard<std::mutex> lock(mutex_);
  Entry* entry = Change(browser_id);
  if (!entry)
    return;
  entry->console.push_back(line);
  ++entry->console_total;
  if (entry->console.size() > kConsoleLines)
    entry->console.pop_front();
}

PlaceholderBoard::Changes PlaceholderBoard::TakeChanges() {
  std::lock_guard<std::mutex> lock(mutex_);
  Changes changes;
  for (int id : opened_) {
    auto found = entries_.find(id);
    if (found != entries_.end())
      changes.opened.push_back(found->second.window);
  }
  for (int id : changed_) {
    auto found = entries_.find(id);
    if (found != entries_.end())
      changes.changed.push_back(found->second.window);
  }
  opened_.clear();
  changed_.clear();
  return changes;
}

PlaceholderBoard::Entry* PlaceholderBoard::EntryOf(HWND window) {
  for (auto& [id, entry] : entries_) {
    if (entry.window == window)
      return &entry;
  }
  return nullptr;
}

std::optional<PlaceholderState> PlaceholderBoard::StateOf(HWND window) {
  std::lock_guard<std::mutex> lock(mutex_);
  const Entry* entry = EntryOf(window);
  if (!entry)
    return std::nullopt;
  PlaceholderState state;
  state.url = entry->url;
  if (entry->inspected_browser_id != 0) {
    state.is_devtools = true;
    auto inspected = entries_.find(entry->inspected_browser_id);
    state.url = inspected != entries_.end() ? inspected->second.url : "";
  }
  state.title = entry->title;
  state.loading = entry->loading;
  state.console.assign(entry->console.begin(), entry->console.end());
  state.console_total = entry->console_total;
  return state;
}

void PlaceholderBoard::RecordPainted(HWND window, const PlaceholderText& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  Entry* entry = EntryOf(window);
  if (!entry)
    return;
  entry->painted.lines = {Utf8(text.heading)};
  for (const std::u32string& line : text.lines)
    entry->painted.lines.push_back(Utf8(line));
  ++entry->painted.paints;
}

void PlaceholderBoard::Forget(HWND window) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->second.window == window) {
      entries_.erase(it);
      return;
    }
  }
}

void PlaceholderBoard::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  entries_.clear();
  opened_.clear();
  changed_.clear();
}

std::optional<PlaceholderBoard::Painted> PlaceholderBoard::PaintedFor(
    int browser_id) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = entries_.find(browser_id);
  if (found == entries_.end())
    return std::nullopt;
  return found->second.painted;
}

}  // namespace cefsim
