#include "cefsim/src/v8/engine.h"

#include "cefsim/src/v8/v8_context_impl.h"

namespace cefsim {
namespace {

thread_local std::shared_ptr<Engine> t_engine;

}  // namespace

std::shared_ptr<Engine> Engine::ForCurrentThread() {
  if (!t_engine)
    t_engine = std::make_shared<Engine>();
  return t_engine;
}

Engine* Engine::CurrentIfAny() { return t_engine.get(); }

Engine::Engine()
    : thread_(std::this_thread::get_id()),
      group_(JSContextGroupCreate()),
      utility_(JSGlobalContextCreateInGroup(group_, nullptr)) {}

Engine::~Engine() {
  for (Entry& entry : stack_) {
    if (entry.rethrow)
      JSValueUnprotect(utility_, entry.rethrow);
  }
  stack_.clear();
  JSGlobalContextRelease(utility_);
  JSContextGroupRelease(group_);
}

bool Engine::BelongsToCurrentThread() const {
  return thread_ == std::this_thread::get_id();
}

void Engine::Register(JSGlobalContextRef js, CefV8ContextImpl* context) {
  contexts_[js] = context;
}

void Engine::Unregister(JSGlobalContextRef js) { contexts_.erase(js); }

CefV8ContextImpl* Engine::Find(JSContextRef ctx) const {
  if (!ctx)
    return nullptr;
  // Callbacks are mostly handed the global context itself; asking the engine
  // for it takes its lock, so that is left for the other cases.
  auto found = contexts_.find(const_cast<JSGlobalContextRef>(ctx));
  if (found == contexts_.end())
    found = contexts_.find(JSContextGetGlobalContext(ctx));
  return found == contexts_.end() ? nullptr : found->second;
}

size_t Engine::Push(CefRefPtr<CefV8ContextImpl> context, EntryKind kind) {
  stack_.push_back(Entry{context, kind, nullptr});
  return stack_.size() - 1;
}

void Engine::PopTo(size_t index) {
  while (stack_.size() > index) {
    if (stack_.back().rethrow)
      JSValueUnprotect(utility_, stack_.back().rethrow);
    stack_.pop_back();
  }
}

bool Engine::PopEntered(const CefV8ContextImpl* context) {
  if (stack_.empty() || stack_.back().kind != EntryKind::kEntered ||
      stack_.back().context.get() != context)
    return false;
  PopTo(stack_.size() - 1);
  return true;
}

CefRefPtr<CefV8ContextImpl> Engine::Current() const {
  return stack_.empty() ? nullptr : stack_.back().context;
}

CefRefPtr<CefV8ContextImpl> Engine::Entered() const {
  for (auto entry = stack_.rbegin(); entry != stack_.rend(); ++entry) {
    if (entry->kind != EntryKind::kCallback)
      return entry->context;
  }
  return nullptr;
}

void Engine::SetRethrow(JSValueRef exception) {
  if (stack_.empty() || stack_.back().kind != EntryKind::kCallback)
    return;
  JSValueRef& slot = stack_.back().rethrow;
  if (slot)
    JSValueUnprotect(utility_, slot);
  slot = exception;
  JSValueProtect(utility_, slot);
}

JSValueRef Engine::TakeRethrow(size_t index) {
  if (index >= stack_.size() || !stack_[index].rethrow)
    return nullptr;
  JSValueRef exception = stack_[index].rethrow;
  stack_[index].rethrow = nullptr;
  // Still reachable: the caller hands it straight back to the engine.
  JSValueUnprotect(utility_, exception);
  return exception;
}

ContextScope::ContextScope(CefRefPtr<CefV8ContextImpl> context,
                           Engine::EntryKind kind)
    : engine_(context->engine()),
      index_(engine_->Push(context, kind)) {}

ContextScope::~ContextScope() { engine_->PopTo(index_); }

JSValueRef ContextScope::TakeRethrow() { return engine_->TakeRethrow(index_); }

}  // namespace cefsim
