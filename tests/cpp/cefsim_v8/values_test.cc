#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "fake_script_host.h"
#include "include/cef_v8.h"
#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/v8/script_context.h"
#include "cefsim/src/v8/v8_context_impl.h"

// JavaScriptCore's own way to collect at once, for tests; not in its public
// headers.
extern "C" void JSSynchronousGarbageCollectForDebugging(JSContextRef ctx);

namespace {

class V8ValueTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(context()->Enter());
  }
  void TearDown() override { EXPECT_TRUE(context()->Exit()); }

  CefRefPtr<CefV8Context> context() { return script_.context(); }

  FakeScriptHost host_;
  cefsim::ScriptContext script_{nullptr, nullptr, &host_};
};

enum Type {
  kUndefined = 1 << 0,
  kNull = 1 << 1,
  kBool = 1 << 2,
  kInt = 1 << 3,
  kUInt = 1 << 4,
  kDouble = 1 << 5,
  kDate = 1 << 6,
  kString = 1 << 7,
  kObject = 1 << 8,
  kArray = 1 << 9,
  kFunction = 1 << 10,
};

int TypesOf(CefRefPtr<CefV8Value> value) {
  return (value->IsUndefined() ? kUndefined : 0) |
         (value->IsNull() ? kNull : 0) | (value->IsBool() ? kBool : 0) |
         (value->IsInt() ? kInt : 0) | (value->IsUInt() ? kUInt : 0) |
         (value->IsDouble() ? kDouble : 0) | (value->IsDate() ? kDate : 0) |
         (value->IsString() ? kString : 0) |
         (value->IsObject() ? kObject : 0) | (value->IsArray() ? kArray : 0) |
         (value->IsFunction() ? kFunction : 0);
}

// As CefV8ValueImpl::InitFromV8Value types a script's number (TYPE_INT for
// an int32, TYPE_UINT for a uint32, else TYPE_DOUBLE) and IsInt and IsUInt
// answer alike for both integer types.
TEST_F(V8ValueTest, TypeTestsHaveCefsMeaningForValuesFromScripts) {
  const int kInteger = kInt | kUInt | kDouble;
  const struct {
    const char* code;
    int types;
  } cases[] = {
      {"7", kInteger},
      {"7.0", kInteger},
      {"7.5", kDouble},
      {"-5", kInteger},
      {"2147483647", kInteger},
      {"2147483648", kInteger},
      {"3000000000", kInteger},
      {"-2147483648", kInteger},
      {"-2147483649", kDouble},
      {"4294967295", kInteger},
      {"4294967296", kDouble},
      {"-0", kDouble},
      {"1.5", kDouble},
      {"1e300", kDouble},
      {"NaN", kDouble},
      {"Infinity", kDouble},
      {"'7'", kString},
      {"true", kBool},
      {"null", kNull},
      {"undefined", kUndefined},
      {"[]", kObject | kArray},
      {"({0: 'a', length: 1})", kObject},
      {"(function() {})", kObject | kFunction},
      {"new Date(0)", kObject | kDate},
  };
  for (const auto& test : cases) {
    CefRefPtr<CefV8Value> value = Eval(context(), test.code);
    ASSERT_TRUE(value) << test.code;
    EXPECT_EQ(TypesOf(value), test.types) << test.code;
  }
}

// As CefV8ValueImpl::GetIntValue, GetUIntValue and GetDoubleValue: the two
// integer getters read the same 32 bits, and a double has no integer value.
TEST_F(V8ValueTest, NumberGettersReadTheValueAsCefDoes) {
  CefRefPtr<CefV8Value> big = Eval(context(), "3000000000");
  EXPECT_EQ(big->GetIntValue(), -1294967296);
  EXPECT_EQ(big->GetUIntValue(), 3000000000u);
  EXPECT_EQ(big->GetDoubleValue(), 3000000000.0);
  EXPECT_EQ(Eval(context(), "4294967295")->GetIntValue(), -1);
  EXPECT_EQ(Eval(context(), "4294967295")->GetDoubleValue(), 4294967295.0);
  EXPECT_EQ(Eval(context(), "-1")->GetUIntValue(), 4294967295u);
  EXPECT_EQ(Eval(context(), "-1")->GetDoubleValue(), -1.0);
  for (const char* code : {"7.9", "-7.9", "1.5", "1e300", "NaN", "-0"}) {
    EXPECT_EQ(Eval(context(), code)->GetIntValue(), 0) << code;
    EXPECT_EQ(Eval(context(), code)->GetUIntValue(), 0u) << code;
  }
  EXPECT_EQ(Eval(context(), "1e300")->GetDoubleValue(), 1e300);
  EXPECT_TRUE(std::signbit(Eval(context(), "-0")->GetDoubleValue()));
  EXPECT_EQ(Eval(context(), "'7'")->GetIntValue(), 0);

  // Made here, they carry the same meanings into scripts.
  CefRefPtr<CefV8Value> global = context()->GetGlobal();
  global->SetValue("big", CefV8Value::CreateUInt(4000000000u),
                   V8_PROPERTY_ATTRIBUTE_NONE);
  global->SetValue("negative", CefV8Value::CreateInt(-2147483647 - 1),
                   V8_PROPERTY_ATTRIBUTE_NONE);
  EXPECT_TRUE(Eval(context(), "big === 4000000000 && negative === -2147483648")
                  ->GetBoolValue());
  EXPECT_EQ(TypesOf(CefV8Value::CreateUInt(4000000000u)),
            kInt | kUInt | kDouble);
  EXPECT_EQ(CefV8Value::CreateUInt(4000000000u)->GetIntValue(), -294967296);
  // Made as a double, a whole number stays a double.
  EXPECT_EQ(TypesOf(CefV8Value::CreateDouble(5.0)), kDouble);
  EXPECT_EQ(TypesOf(CefV8Value::CreateDouble(-0.0)), kDouble);
  EXPECT_FALSE(CefV8Value::CreateInt(5)->IsSame(CefV8Value::CreateDouble(5)));
}

TEST_F(V8ValueTest, StringsKeepEveryUtf16UnitBothWays) {
  const std::u16string text(u"\u00e9\u0000\U0001F600", 4);
  ASSERT_EQ(text.size(), 4u);

  CefRefPtr<CefV8Value> from_script =
      Eval(context(), "'\\u00e9\\u0000\\ud83d\\ude00'");
  EXPECT_EQ(cefsim::ToU16String(from_script->GetStringValue()), text);

  context()->GetGlobal()->SetValue(
      "text", CefV8Value::CreateString(cefsim::FromU16String(text)),
      V8_PROPERTY_ATTRIBUTE_NONE);
  EXPECT_TRUE(Eval(context(),
                   "text.length === 4 && text.charCodeAt(0) === 0xe9 && "
                   "text.charCodeAt(1) === 0 && "
                   "text.codePointAt(2) === 0x1F600")
                  ->GetBoolValue());
  EXPECT_EQ(cefsim::ToU16String(Eval(context(), "text")->GetStringValue()),
            text);
  EXPECT_EQ(Eval(context(), "''")->GetStringValue().length(), 0u);
}

// Counts the values reachable from |value|, going no deeper than |depth|.
int CountReachable(CefRefPtr<CefV8Value> value, int depth) {
  if (!value->IsArray() || depth == 0)
    return 1;
  int count = 1;
  for (int i = 0; i < value->GetArrayLength(); ++i)
    count += CountReachable(value->GetValue(i), depth - 1);
  return count;
}

TEST_F(V8ValueTest, ArraysNestedOrHoldingThemselvesCanBeWalked) {
  CefRefPtr<CefV8Value> nested = Eval(context(), "[1, [2, [3, 'x']], 'y']");
  ASSERT_EQ(nested->GetArrayLength(), 3);
  CefRefPtr<CefV8Value> inner = nested->GetValue(1)->GetValue(1);
  EXPECT_EQ(inner->GetArrayLength(), 2);
  EXPECT_EQ(inner->GetValue(1)->GetStringValue().ToString(), "x");
  EXPECT_EQ(CountReachable(nested, 10), 8);
  EXPECT_TRUE(nested->GetValue(3)->IsUndefined());
  EXPECT_FALSE(nested->GetValue(-1));

  CefRefPtr<CefV8Value> loop = Eval(context(), "var a = [1]; a.push(a); a");
  ASSERT_EQ(loop->GetArrayLength(), 2);
  EXPECT_TRUE(loop->GetValue(1)->IsSame(loop));
  EXPECT_EQ(CountReachable(loop, 5), 11);

  EXPECT_EQ(Eval(context(), "({0: 'a', length: 1})")->GetArrayLength(), 0);
}

TEST_F(V8ValueTest, ObjectsAndArraysMadeHereAreTheScriptsObjects) {
  CefRefPtr<CefV8Value> array = CefV8Value::CreateArray(2);
  ASSERT_TRUE(array);
  EXPECT_EQ(array->GetArrayLength(), 2);
  EXPECT_EQ(CefV8Value::CreateArray(-3)->GetArrayLength(), 0);
  EXPECT_TRUE(array->SetValue(3, CefV8Value::CreateString("d")));
  EXPECT_EQ(array->GetArrayLength(), 4);

  CefRefPtr<CefV8Value> object = CefV8Value::CreateObject(nullptr, nullptr);
  EXPECT_TRUE(object->SetValue("list", array, V8_PROPERTY_ATTRIBUTE_NONE));
  EXPECT_TRUE(object->SetValue("hidden", CefV8Value::CreateInt(1),
                               V8_PROPERTY_ATTRIBUTE_DONTENUM));
  EXPECT_TRUE(object->SetValue("fixed", CefV8Value::CreateInt(2),
                               V8_PROPERTY_ATTRIBUTE_READONLY));
  context()->GetGlobal()->SetValue("made", object, V8_PROPERTY_ATTRIBUTE_NONE);
  EXPECT_EQ(Eval(context(),
                 "made.fixed = 5; Array.isArray(made.list) + ',' + "
                 "made.list.length + ',' + made.list[3] + ',' + made.fixed")
                ->GetStringValue()
                .ToString(),
            "true,4,d,2");

  std::vector<CefString> keys;
  ASSERT_TRUE(object->GetKeys(keys));
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].ToString(), "list");
  EXPECT_EQ(keys[1].ToString(), "fixed");
  EXPECT_TRUE(object->HasValue("hidden"));
  EXPECT_TRUE(object->DeleteValue("hidden"));
  EXPECT_FALSE(object->HasValue("hidden"));
  EXPECT_TRUE(object->GetValue("missing")->IsUndefined());

  // Primitives have no properties to set or read.
  CefRefPtr<CefV8Value> number = CefV8Value::CreateInt(1);
  EXPECT_FALSE(number->SetValue("x", array, V8_PROPERTY_ATTRIBUTE_NONE));
  EXPECT_FALSE(number->GetValue("x"));
}

TEST_F(V8ValueTest, DatesRoundTrip) {
  CefTime noon;
  noon.SetDoubleT(86400.5);
  CefRefPtr<CefV8Value> date = CefV8Value::CreateDate(noon);
  ASSERT_TRUE(date && date->IsDate());
  EXPECT_DOUBLE_EQ(date->GetDateValue().GetDoubleT(), 86400.5);
  context()->GetGlobal()->SetValue("date", date, V8_PROPERTY_ATTRIBUTE_NONE);
  EXPECT_EQ(Eval(context(), "date.toISOString()")->GetStringValue().ToString(),
            "1970-01-02T00:00:00.500Z");
  CefTime from_script =
      Eval(context(), "new Date(Date.UTC(2017, 8, 30, 12, 1, 2, 3))")
          ->GetDateValue();
  EXPECT_EQ(from_script.year, 2017);
  EXPECT_EQ(from_script.month, 9);
  EXPECT_EQ(from_script.day_of_month, 30);
  EXPECT_EQ(from_script.day_of_week, 6);
  EXPECT_EQ(from_script.hour, 12);
  EXPECT_EQ(from_script.millisecond, 3);
}

TEST_F(V8ValueTest, FunctionsRunWithReceiverAndArgumentsAndReportThrows) {
  CefRefPtr<CefV8Value> add = Eval(
      context(), "(function add(a, b) { return this.base + a + b; })");
  EXPECT_EQ(add->GetFunctionName().ToString(), "add");
  EXPECT_FALSE(add->GetFunctionHandler());
  CefRefPtr<CefV8Value> receiver = Eval(context(), "({base: 100})");
  CefRefPtr<CefV8Value> sum = add->ExecuteFunction(
      receiver, {CefV8Value::CreateInt(2), CefV8Value::CreateDouble(0.5)});
  ASSERT_TRUE(sum);
  EXPECT_EQ(sum->GetDoubleValue(), 102.5);

  // Without a receiver, the context's global object is "this".
  Eval(context(), "var base = 1;");
  EXPECT_EQ(add->ExecuteFunction(nullptr, {CefV8Value::CreateInt(1),
                                           CefV8Value::CreateInt(1)})
                ->GetIntValue(),
            3);

  CefRefPtr<CefV8Value> thrower =
      Eval(context(), "(function() {\n  throw new TypeError('bad ' + 1);\n})");
  EXPECT_FALSE(thrower->ExecuteFunction(nullptr, {}));
  ASSERT_TRUE(thrower->HasException());
  EXPECT_EQ(thrower->GetException()->GetMessage().ToString(),
            "Uncaught TypeError: bad 1");
  EXPECT_EQ(thrower->GetException()->GetLineNumber(), 2);
  EXPECT_TRUE(thrower->ClearException());
  EXPECT_FALSE(thrower->HasException());

  // Not a function, or not a usable argument: refused, nothing runs.
  EXPECT_FALSE(receiver->ExecuteFunction(nullptr, {}));
  EXPECT_FALSE(add->ExecuteFunction(CefV8Value::CreateInt(1), {}));
  EXPECT_FALSE(add->ExecuteFunction(nullptr, {nullptr}));
}

TEST_F(V8ValueTest, PropertyReadsThatThrowGiveNullAndTheException) {
  CefRefPtr<CefV8Value> object = Eval(
      context(), "({get broken() { throw new Error('nope'); }, fine: 1})");
  EXPECT_FALSE(object->GetValue("broken"));
  ASSERT_TRUE(object->HasException());
  EXPECT_EQ(object->GetException()->GetMessage().ToString(),
            "Uncaught Error: nope");
  // The next call that does not throw clears it.
  EXPECT_EQ(object->GetValue("fine")->GetIntValue(), 1);
  EXPECT_FALSE(object->HasException());
}

class Recorder : public CefV8Handler, public CefV8Accessor,
                 public CefV8Interceptor {
 public:
  bool Execute(const CefString& name, CefRefPtr<CefV8Value> object,
               const CefV8ValueList& arguments, CefRefPtr<CefV8Value>& retval,
               CefString& exception) override {
    calls.push_back(name.ToString());
    if (!arguments.empty() && arguments[0]->IsFunction()) {
      // Asked to rethrow, the callback's exception reaches our caller.
      arguments[0]->SetRethrowExceptions(true);
      EXPECT_FALSE(arguments[0]->ExecuteFunction(nullptr, {}));
      EXPECT_TRUE(arguments[0]->HasException());
      return true;
    }
    retval = CefV8Value::CreateInt(static_cast<int>(arguments.size()));
    return true;
  }
  bool Get(const CefString& name, const CefRefPtr<CefV8Value> object,
           CefRefPtr<CefV8Value>& retval, CefString& exception) override {
    calls.push_back("get " + name.ToString());
    if (name == "bad")
      exception = "no " + name.ToString();
    else if (name != "pass")
      retval = CefV8Value::CreateString("got " + name.ToString());
    return true;
  }
  bool Get(int index, const CefRefPtr<CefV8Value> object,
           CefRefPtr<CefV8Value>& retval, CefString& exception) override {
    calls.push_back("get #" + std::to_string(index));
    retval = CefV8Value::CreateInt(index * 10);
    return true;
  }
  bool Set(const CefString& name, const CefRefPtr<CefV8Value> object,
           const CefRefPtr<CefV8Value> value, CefString& exception) override {
    calls.push_back("set " + name.ToString() + "=" +
                    std::to_string(value->GetIntValue()));
    return name != "pass";
  }
  bool Set(int index, const CefRefPtr<CefV8Value> object,
           const CefRefPtr<CefV8Value> value, CefString& exception) override {
    return false;
  }

  std::vector<std::string> calls;
  IMPLEMENT_REFCOUNTING(Recorder);
};

TEST_F(V8ValueTest, FunctionsMadeHereCallTheirHandlerAndRethrowOnRequest) {
  CefRefPtr<Recorder> recorder = new Recorder;
  CefRefPtr<CefV8Value> count = CefV8Value::CreateFunction("count", recorder);
  ASSERT_TRUE(count && count->IsFunction());
  EXPECT_EQ(count->GetFunctionName().ToString(), "count");
  EXPECT_EQ(count->GetFunctionHandler().get(), recorder.get());
  EXPECT_TRUE(count->IsUserCreated());
  context()->GetGlobal()->SetValue("count", count, V8_PROPERTY_ATTRIBUTE_NONE);
  EXPECT_EQ(Eval(context(),
                 "[typeof count, count.name, count(1, 2, 3), "
                 "count.call(null, 1)].join()")
                ->GetStringValue()
                .ToString(),
            "function,count,3,1");
  EXPECT_EQ(Eval(context(),
                 "try { count(function() { throw new Error('inner'); }); "
                 "'not thrown' } catch (e) { e.message }")
                ->GetStringValue()
                .ToString(),
            "inner");
  EXPECT_FALSE(CefV8Value::CreateFunction("none", nullptr));
}

TEST_F(V8ValueTest, AccessorsAndInterceptorsServeTheirProperties) {
  CefRefPtr<Recorder> recorder = new Recorder;
  CefRefPtr<CefV8Value> accessed = CefV8Value::CreateObject(recorder, nullptr);
  EXPECT_TRUE(accessed->SetValue("x", V8_ACCESS_CONTROL_DEFAULT,
                                 V8_PROPERTY_ATTRIBUTE_NONE));
  CefRefPtr<CefV8Value> intercepted =
      CefV8Value::CreateObject(nullptr, recorder);
  CefRefPtr<CefV8Value> global = context()->GetGlobal();
  global->SetValue("accessed", accessed, V8_PROPERTY_ATTRIBUTE_NONE);
  global->SetValue("intercepted", intercepted, V8_PROPERTY_ATTRIBUTE_NONE);

  EXPECT_EQ(Eval(context(),
                 "accessed.x = 4; accessed.y = 5;"
                 "[accessed.x, accessed.y, Object.keys(accessed)].join()")
                ->GetStringValue()
                .ToString(),
            "got x,5,x,y");
  EXPECT_EQ(Eval(context(),
                 "intercepted.pass = 'own';"
                 "[intercepted.a, intercepted[2], intercepted.pass].join()")
                ->GetStringValue()
                .ToString(),
            "got a,20,own");
  EXPECT_EQ(Eval(context(),
                 "try { intercepted.bad } catch (e) { e.message }")
                ->GetStringValue()
                .ToString(),
            "no bad");
  EXPECT_EQ(recorder->calls,
            (std::vector<std::string>{"set x=4", "get x", "set pass=0",
                                      "get a", "get #2", "get pass",
                                      "get bad"}));

  // Only objects made with an accessor take accessor names; only objects
  // made here take user data.
  CefRefPtr<CefV8Value> plain = Eval(context(), "({})");
  EXPECT_FALSE(plain->SetValue("x", V8_ACCESS_CONTROL_DEFAULT,
                               V8_PROPERTY_ATTRIBUTE_NONE));
  EXPECT_FALSE(plain->IsUserCreated());
  EXPECT_FALSE(plain->SetUserData(recorder.get()));
  EXPECT_TRUE(accessed->SetUserData(recorder.get()));
  EXPECT_EQ(Eval(context(), "accessed")->GetUserData().get(),
            static_cast<CefBaseRefCounted*>(recorder.get()));
}

// Keeps what its calls were handed, as a client may.
class Keeper : public CefV8Handler {
 public:
  bool Execute(const CefString& name, CefRefPtr<CefV8Value> object,
               const CefV8ValueList& arguments, CefRefPtr<CefV8Value>& retval,
               CefString& exception) override {
    kept_arguments.insert(kept_arguments.end(), arguments.begin(),
                          arguments.end());
    kept_receivers.push_back(object);
    return true;
  }

  CefV8ValueList kept_arguments;
  CefV8ValueList kept_receivers;
  IMPLEMENT_REFCOUNTING(Keeper);
};

TEST_F(V8ValueTest, ValuesAHandlerKeepsSurviveTheCallAndCollection) {
  CefRefPtr<Keeper> keeper = new Keeper;
  context()->GetGlobal()->SetValue(
      "keep", CefV8Value::CreateFunction("keep", keeper),
      V8_PROPERTY_ATTRIBUTE_NONE);
  // Only the calls refer to these objects; a handler that keeps nothing
  // leaves nothing protected behind.
  Eval(context(),
       "for (var i = 0; i < 50; ++i)"
       "  keep.call({receiver: i}, {name: 'object ' + i}, ['array', i]);"
       "0");
  Eval(context(),
       "for (var i = 0; i < 20000; ++i) { var garbage = [{i: i}, 'x' + i]; }"
       "0");
  JSSynchronousGarbageCollectForDebugging(
      static_cast<cefsim::CefV8ContextImpl*>(context().get())->js());

  ASSERT_EQ(keeper->kept_arguments.size(), 100u);
  ASSERT_EQ(keeper->kept_receivers.size(), 50u);
  for (int i = 0; i < 50; ++i) {
    CefRefPtr<CefV8Value> object = keeper->kept_arguments[2 * i];
    CefRefPtr<CefV8Value> array = keeper->kept_arguments[2 * i + 1];
    ASSERT_TRUE(object->IsObject() && array->IsArray());
    EXPECT_EQ(object->GetValue("name")->GetStringValue().ToString(),
              "object " + std::to_string(i));
    EXPECT_EQ(array->GetArrayLength(), 2);
    EXPECT_EQ(array->GetValue(1)->GetIntValue(), i);
    EXPECT_EQ(keeper->kept_receivers[i]->GetValue("receiver")->GetIntValue(),
              i);
  }
  // Values hold their context: a client lets go of them before the context
  // goes, as it would when told the context is released.
  keeper->kept_arguments.clear();
  keeper->kept_receivers.clear();
}

TEST(V8ValueOutsideContextTest, PrimitivesNeedNoContextObjectsDo) {
  EXPECT_FALSE(CefV8Context::InContext());
  EXPECT_TRUE(CefV8Value::CreateInt(3)->IsInt());
  EXPECT_EQ(CefV8Value::CreateString("s")->GetStringValue().ToString(), "s");
  EXPECT_TRUE(CefV8Value::CreateNull()->IsSame(CefV8Value::CreateNull()));
  EXPECT_FALSE(CefV8Value::CreateObject(nullptr, nullptr));
  EXPECT_FALSE(CefV8Value::CreateArray(1));
  EXPECT_FALSE(CefV8Value::CreateDate(CefTime()));

  // Handles are bound to their thread.
  CefRefPtr<CefV8Value> here = CefV8Value::CreateInt(1);
  bool valid_elsewhere = true;
  std::thread([&] { valid_elsewhere = here->IsValid(); }).join();
  EXPECT_FALSE(valid_elsewhere);
}

}  // namespace
