// The global request context, the only one the stand-in has.
#include "include/cef_request_context.h"

namespace {

class GlobalRequestContext : public CefRequestContext {
 public:
  bool IsSame(CefRefPtr<CefRequestContext> other) override {
    return other && other->IsGlobal();
  }
  bool IsSharingWith(CefRefPtr<CefRequestContext> other) override {
    return IsSame(other);
  }
  bool IsGlobal() override { return true; }

 private:
  IMPLEMENT_REFCOUNTING(GlobalRequestContext);
};

}  // namespace

CefRefPtr<CefRequestContext> CefRequestContext::GetGlobalContext() {
  static CefRefPtr<CefRequestContext>* global =
      new CefRefPtr<CefRequestContext>(new GlobalRequestContext());
  return *global;
}
