// The host's built-in module "host_app": the script's native windows and
// turns of the host's Qt event loop.
#ifndef ZUBRIX_TESTS_PY27_HOST_HOST_APP_MODULE_H_
#define ZUBRIX_TESTS_PY27_HOST_HOST_APP_MODULE_H_

// The module's init function, for PyImport_AppendInittab.
void InitHostAppModule();

// The status that host_app.quit asked for, or 0 when it was not called.
int RequestedExitStatus();

#endif  // ZUBRIX_TESTS_PY27_HOST_HOST_APP_MODULE_H_
