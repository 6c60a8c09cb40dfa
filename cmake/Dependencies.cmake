# Python, pybind11 and Qt 5 Core, as Debian ships them here (or as the target
# machine provides them when building against a CEF distribution).

# A path: build for the Python 2.7 and pybind11 2.6 that scripts/setup.sh --py27
# unpacked there (the tree's usr/ folder).
set(ZUBRIX_PYTHON27_ROOT "" CACHE PATH "Unpacked Python 2.7 tree to build for")
if(ZUBRIX_PYTHON27_ROOT)
  set(Python_EXECUTABLE ${ZUBRIX_PYTHON27_ROOT}/bin/python2.7)
  set(Python_INCLUDE_DIR ${ZUBRIX_PYTHON27_ROOT}/include/python2.7)
  set(Python_LIBRARY ${ZUBRIX_PYTHON27_ROOT}/lib/x86_64-linux-gnu/libpython2.7.so)
  set(pybind11_DIR ${ZUBRIX_PYTHON27_ROOT}/lib/cmake/pybind11)
elseif(NOT ZUBRIX_CEF_ROOT AND NOT Python_EXECUTABLE)
  set(Python_EXECUTABLE /usr/bin/python3)
endif()
find_package(Python COMPONENTS Interpreter Development REQUIRED)
find_package(pybind11 CONFIG REQUIRED)
find_package(Qt5 COMPONENTS Core REQUIRED)
find_package(Threads REQUIRED)
