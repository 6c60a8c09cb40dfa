// What the bridge expects of its host, for tests: an interpreter and a Qt
// application on the test's main thread, the registry functions importable
// as module "zubrix_callbacks", and a recorder callable.
#ifndef ZUBRIX_TESTS_CPP_BRIDGE_HOST_ENVIRONMENT_H_
#define ZUBRIX_TESTS_CPP_BRIDGE_HOST_ENVIRONMENT_H_

#include <pybind11/embed.h>

#include <cstdint>
#include <string>

// Runs |code| in a fresh namespace that already holds "calls" (a list) and
// "record", a callable appending (thread id, args) to it; returns the
// namespace.
pybind11::dict PythonScope(const std::string& code = "");

// Registers scope[name] and returns its id.
uint32_t RegisterFromScope(const pybind11::dict& scope, const char* name);

// repr() of the arguments of each recorded call, e.g. "[(1, b'x')]".
std::string RecordedArguments(const pybind11::dict& scope);

#endif  // ZUBRIX_TESTS_CPP_BRIDGE_HOST_ENVIRONMENT_H_
