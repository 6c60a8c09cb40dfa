// Runs test code on one of CEF's named threads, where CEF would call the
// code under test, so that its thread checks hold.
#ifndef ZUBRIX_TESTS_CPP_TEST_SUPPORT_CEF_THREAD_H_
#define ZUBRIX_TESTS_CPP_TEST_SUPPORT_CEF_THREAD_H_

#include <functional>

#include "include/internal/cef_types.h"

namespace test_support {

// Starts the thread if none runs, runs |body| there and waits for it.
void RunOnCefThread(cef_thread_id_t id, const std::function<void()>& body);

}  // namespace test_support

#endif  // ZUBRIX_TESTS_CPP_TEST_SUPPORT_CEF_THREAD_H_
