// The JavaScript engine of one thread. All V8 work of the render process
// happens on its render thread, and V8's handles are bound to the thread that
// made them; here each thread that runs scripts gets its own engine: one
// JavaScriptCore context group (so that values pass between that thread's
// contexts) and V8's stack of entered and calling contexts. Nothing in an
// engine is touched from another thread except through JavaScriptCore's own
// locking (releasing a value from elsewhere).
#ifndef CEFSIM_SRC_V8_ENGINE_H_
#define CEFSIM_SRC_V8_ENGINE_H_

#include <JavaScriptCore/JavaScript.h>

#include <cstddef>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "include/internal/cef_ptr.h"

namespace cefsim {

class CefV8ContextImpl;

class Engine {
 public:
  enum class EntryKind {
    kEntered,   // CefV8Context::Enter(); left by Exit().
    kScope,     // A script, Eval or function call running in the context.
    kCallback,  // A client callback called from the context's script.
  };

  // The calling thread's engine, made on first use.
  static std::shared_ptr<Engine> ForCurrentThread();
  // The calling thread's engine; null if it never made one.
  static Engine* CurrentIfAny();

  Engine();
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  bool BelongsToCurrentThread() const;
  JSContextGroupRef group() const { return group_; }
  // A context that lives as long as the engine, for work tied to no
  // particular context: protecting and comparing values.
  JSContextRef utility() const { return utility_; }

  void Register(JSGlobalContextRef js, CefV8ContextImpl* context);
  void Unregister(JSGlobalContextRef js);
  // The live context whose global context |ctx| belongs to, or null.
  CefV8ContextImpl* Find(JSContextRef ctx) const;

  // Returns the entry's index, for PopTo().
  size_t Push(CefRefPtr<CefV8ContextImpl> context, EntryKind kind);
  // Drops the entry at |index| and any left above it.
  void PopTo(size_t index);
  // Exit(): drops the top entry if |context| entered it with Enter().
  bool PopEntered(const CefV8ContextImpl* context);
  CefRefPtr<CefV8ContextImpl> Current() const;
  CefRefPtr<CefV8ContextImpl> Entered() const;
  bool InContext() const { return !stack_.empty(); }

  // An exception that a value set to rethrow met: the innermost running
  // callback throws it into the script once the client returns. Ignored
  // when no callback is running.
  void SetRethrow(JSValueRef exception);
  // The rethrow kept for the callback entry at |index|, or null.
  JSValueRef TakeRethrow(size_t index);

 private:
  struct Entry {
    CefRefPtr<CefV8ContextImpl> context;
    EntryKind kind;
    JSValueRef rethrow;  // Protected while held.
  };

  const std::thread::id thread_;
  JSContextGroupRef group_;
  JSGlobalContextRef utility_;
  std::map<JSGlobalContextRef, CefV8ContextImpl*> contexts_;
  std::vector<Entry> stack_;
};

// Keeps |context| on the calling thread's context stack for its lifetime.
class ContextScope {
 public:
  ContextScope(CefRefPtr<CefV8ContextImpl> context, Engine::EntryKind kind);
  ~ContextScope();
  ContextScope(const ContextScope&) = delete;
  ContextScope& operator=(const ContextScope&) = delete;

  JSValueRef TakeRethrow();

 private:
  std::shared_ptr<Engine> engine_;
  size_t index_;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_V8_ENGINE_H_
