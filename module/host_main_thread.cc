#include "module/host_main_thread.h"

#include <thread>

namespace zubrix {
namespace {

// Written at import and read by later calls; the interpreter lock, which both
// hold, orders them.
std::thread::id g_host_main_thread;

}  // namespace

void RememberHostMainThread() {
  g_host_main_thread = std::this_thread::get_id();
}

bool OnHostMainThread() {
  return std::this_thread::get_id() == g_host_main_thread;
}

}  // namespace zubrix
