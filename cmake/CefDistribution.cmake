# Builds the system against a CEF 3.3163 binary distribution (the Windows
# target), consumed as such a distribution is meant to be: its own CMake
# helpers, libcef, and the libcef_dll_wrapper sources it ships.
set(CEF_ROOT "${ZUBRIX_CEF_ROOT}")
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
