// Build environment of the stand-in: a 64-bit POSIX host whose wchar_t holds
// UTF-32, as on Linux.
#ifndef CEF_INCLUDE_BASE_CEF_BUILD_H_
#define CEF_INCLUDE_BASE_CEF_BUILD_H_

#ifndef OS_LINUX
#define OS_LINUX 1
#endif
#ifndef OS_POSIX
#define OS_POSIX 1
#endif
#define WCHAR_T_IS_UTF32
#define ARCH_CPU_64_BITS 1

#ifndef OVERRIDE
#define OVERRIDE override
#endif

#endif  // CEF_INCLUDE_BASE_CEF_BUILD_H_
