# Python, pybind11 and Qt 5 Core, as Debian ships them here (or as the target
# machine provides them when building against a CEF distribution).
if(NOT ZUBRIX_CEF_ROOT AND NOT Python_EXECUTABLE)
  set(Python_EXECUTABLE /usr/bin/python3)
endif()
find_package(Python COMPONENTS Interpreter Development REQUIRED)
find_package(pybind11 CONFIG REQUIRED)
find_package(Qt5 COMPONENTS Core REQUIRED)
find_package(Threads REQUIRED)
