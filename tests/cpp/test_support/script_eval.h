// Runs JavaScript in a script context through CEF's V8 API, for tests.
#ifndef ZUBRIX_TESTS_CPP_TEST_SUPPORT_SCRIPT_EVAL_H_
#define ZUBRIX_TESTS_CPP_TEST_SUPPORT_SCRIPT_EVAL_H_

#include <gtest/gtest.h>

#include <string>

#include "include/cef_v8.h"

// The value of |code| in |context|; fails the test if it throws.
inline CefRefPtr<CefV8Value> Eval(CefRefPtr<CefV8Context> context,
                                  const std::string& code) {
  CefRefPtr<CefV8Value> retval;
  CefRefPtr<CefV8Exception> exception;
  bool ok = context->Eval(code, "", 1, retval, exception);
  EXPECT_TRUE(ok) << code << ": "
                  << (exception ? exception->GetMessage().ToString() : "");
  return retval;
}

#endif  // ZUBRIX_TESTS_CPP_TEST_SUPPORT_SCRIPT_EVAL_H_
