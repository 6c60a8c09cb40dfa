# Builds the system against a CEF 3.3163 binary distribution (the Windows
# target), consumed as such a distribution is meant to be: its own CMake
# helpers, libcef, and the libcef_dll_wrapper sources it ships.
set(CEF_ROOT "${ZUBRIX_CEF_ROOT}")

# One C runtime in every link, as MSVC refuses to link objects built for
# different ones. CEF's helpers build libcef_dll_wrapper and the sub-process
# with the static runtime (/MT, /MTd in Debug) and its sandbox library exists
# only so, so everything else takes it too: the module, the sub-process's
# own code and the system's static libraries. Only the runtime is taken, not
# the rest of CEF's flags (no RTTI, no exceptions), which pybind11 cannot do
# without. Qt and Python stay DLLs with their own runtimes: a link sees only
# their import libraries, and what they allocate they also free. Targets
# take this when created, so it is set before the first one (policy CMP0091,
# which the project's minimum CMake version turns on).
set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
list(APPEND CMAKE_MODULE_PATH "${CEF_ROOT}/cmake")
find_package(CEF REQUIRED)

add_subdirectory(${CEF_LIBCEF_DLL_WRAPPER_PATH} libcef_dll_wrapper)
ADD_LOGICAL_TARGET("libcef_lib" "${CEF_LIB_DEBUG}" "${CEF_LIB_RELEASE}")

add_library(zubrix_cef_sdk INTERFACE)
target_include_directories(zubrix_cef_sdk INTERFACE ${CEF_ROOT} ${PROJECT_SOURCE_DIR})
target_link_libraries(zubrix_cef_sdk INTERFACE libcef_lib libcef_dll_wrapper ${CEF_STANDARD_LIBS})

# The real Win32 windowing calls.
add_library(zubrix_platform INTERFACE)
target_link_libraries(zubrix_platform INTERFACE user32)
target_link_libraries(zubrix_cef_sdk INTERFACE zubrix_platform)

# libcef and its resources must sit beside the module and the sub-process.
function(zubrix_copy_cef_runtime target)
  COPY_FILES("${target}" "${CEF_BINARY_FILES}" "${CEF_BINARY_DIR}" "$<TARGET_FILE_DIR:${target}>")
  COPY_FILES("${target}" "${CEF_RESOURCE_FILES}" "${CEF_RESOURCE_DIR}" "$<TARGET_FILE_DIR:${target}>")
endfunction()
