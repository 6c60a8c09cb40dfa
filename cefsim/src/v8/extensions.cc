#include "cefsim/src/v8/extensions.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/v8/js_string.h"
#include "cefsim/src/v8/native_objects.h"

namespace cefsim {
namespace {

// The engine has no "native function NAME();" syntax. Each declaration
// becomes "var NAME = $cefsimNatives.NAME;" in the same place, so NAME is
// bound only in the scope that declares it, as V8 scopes it (though, being
// a var, it is undefined before the declaration runs). $cefsimNatives is
// visible only to the extension's code: it is a property of an object that
// a "with" block around the code puts on its scope chain, which leaves the
// code's top-level var and function declarations global.
constexpr char16_t kNativesName[] = u"$cefsimNatives";
constexpr char16_t kScopeName[] = u"$cefsimExtensionScope";

struct Extension {
  CefString name;
  CefString code;  // As run: rewritten, in its "with" block.
  std::vector<CefString> natives;
  CefRefPtr<CefV8Handler> handler;
};

std::mutex g_mutex;
std::vector<Extension>& Registered() {
  static std::vector<Extension> extensions;
  return extensions;
}

bool IsIdentifierStart(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' ||
         c == u'$';
}

bool IsIdentifierPart(char16_t c) {
  return IsIdentifierStart(c) || (c >= u'0' && c <= u'9');
}

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' ||
         c == u'\f';
}

// Matches a native declaration at |start|; on success |end| is just past its
// ";" and |name| is the function's name.
bool MatchNativeDeclaration(const std::u16string& code, size_t start,
                            size_t* end, std::u16string* name) {
  size_t at = start;
  auto keyword = [&](const char16_t* word) {
    std::u16string text(word);
    if (code.compare(at, text.size(), text) != 0)
      return false;
    at += text.size();
    return true;
  };
  auto spaces = [&]() {
    size_t from = at;
    while (at < code.size() && IsSpace(code[at]))
      ++at;
    return at > from;
  };
  if ((start > 0 && IsIdentifierPart(code[start - 1])) || !keyword(u"native") ||
      !spaces() || !keyword(u"function") || !spaces())
    return false;
  if (at >= code.size() || !IsIdentifierStart(code[at]))
    return false;
  size_t name_start = at;
  while (at < code.size() && IsIdentifierPart(code[at]))
    ++at;
  *name = code.substr(name_start, at - name_start);
  spaces();
  if (!keyword(u"("))
    return false;
  // Parameter names mean nothing to a native function; skip them.
  while (at < code.size() &&
         (IsIdentifierPart(code[at]) || IsSpace(code[at]) || code[at] == u','))
    ++at;
  if (!keyword(u")"))
    return false;
  spaces();
  if (!keyword(u";"))
    return false;
  *end = at;
  return true;
}

std::u16string RewriteNatives(const std::u16string& code,
                              std::vector<CefString>* natives) {
  std::u16string out;
  size_t at = 0;
  while (at < code.size()) {
    size_t end;
    std::u16string name;
    if (code[at] != u'n' || !MatchNativeDeclaration(code, at, &end, &name)) {
      out += code[at++];
      continue;
    }
    out += u"var " + name + u" = " + kNativesName + u"." + name + u";";
    // The declaration's own line breaks stay, and with them line numbers.
    for (size_t i = at; i < end; ++i) {
      if (code[i] == u'\n')
        out += u'\n';
    }
    natives->push_back(cefsim::FromU16String(name));
    at = end;
  }
  return out;
}

// The code as it runs: natives rewritten, and then in the "with" block.
std::u16string PrepareCode(const std::u16string& code,
                           std::vector<CefString>* natives) {
  std::u16string rewritten = RewriteNatives(code, natives);
  if (natives->empty())
    return rewritten;
  // On the first line, so that line numbers stay those of the source.
  return u"with (" + std::u16string(kScopeName) + u") {" + rewritten + u"\n}";
}

JSObjectRef MakeBareObject(JSContextRef ctx) {
  JSObjectRef object = JSObjectMake(ctx, nullptr, nullptr);
  JSObjectSetPrototype(ctx, object, JSValueMakeNull(ctx));
  return object;
}

// The object the "with" block looks names up in: $cefsimNatives only.
JSObjectRef MakeScope(JSContextRef ctx, const Extension& extension) {
  JSObjectRef natives = MakeBareObject(ctx);
  for (const CefString& name : extension.natives) {
    JSObjectSetProperty(
        ctx, natives, JsString(name).get(),
        MakeHandlerFunction(ctx, name, extension.handler),
        kJSPropertyAttributeReadOnly | kJSPropertyAttributeDontDelete, nullptr);
  }
  JSObjectRef scope = MakeBareObject(ctx);
  JSObjectSetProperty(ctx, scope,
                      JsString(cefsim::FromU16String(kNativesName)).get(),
                      natives, kJSPropertyAttributeReadOnly, nullptr);
  return scope;
}

void Install(CefRefPtr<CefV8ContextImpl> context, const Extension& extension,
             const ExceptionReporter& report) {
  JSContextRef ctx = context->js();
  JSObjectRef global = JSContextGetGlobalObject(ctx);
  JsString scope_name{cefsim::FromU16String(kScopeName)};
  if (!extension.natives.empty()) {
    JSObjectSetProperty(ctx, global, scope_name.get(),
                        MakeScope(ctx, extension),
                        kJSPropertyAttributeDontEnum, nullptr);
  }
  CefRefPtr<CefV8Value> retval;
  CefRefPtr<CefV8Exception> exception;
  context->Evaluate(ScriptSource{extension.code, extension.name, 1}, retval,
                    exception);
  if (!extension.natives.empty())
    JSObjectDeleteProperty(ctx, global, scope_name.get(), nullptr);
  if (exception)
    report(exception);
}

}  // namespace

void InstallExtensions(CefRefPtr<CefV8ContextImpl> context,
                       const ExceptionReporter& report) {
  std::vector<Extension> extensions;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    extensions = Registered();
  }
  for (const Extension& extension : extensions) {
    if (!context->IsValid())
      return;
    Install(context, extension, report);
  }
}

}  // namespace cefsim

bool CefRegisterExtension(const CefString& extension_name,
                          const CefString& javascript_code,
                          CefRefPtr<CefV8Handler> handler) {
  if (extension_name.empty() || javascript_code.empty())
    return false;
  cefsim::Extension extension{extension_name, CefString(), {}, handler};
  extension.code = cefsim::FromU16String(cefsim::PrepareCode(
      cefsim::ToU16String(javascript_code), &extension.natives));
  std::lock_guard<std::mutex> lock(cefsim::g_mutex);
  for (const cefsim::Extension& registered : cefsim::Registered()) {
    if (registered.name == extension_name)
      return false;
  }
  cefsim::Registered().push_back(std::move(extension));
  return true;
}
