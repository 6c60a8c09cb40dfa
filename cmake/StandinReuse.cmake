# Links the stand-in and the libraries without Python in them from the
# default build folder ZUBRIX_STANDIN_BUILD, which lists them in
# zubrix_standin_targets.cmake; only the parts that embed Python are built
# here.
set(standin_targets ${ZUBRIX_STANDIN_BUILD}/zubrix_standin_targets.cmake)
if(NOT EXISTS ${standin_targets})
  message(FATAL_ERROR "${ZUBRIX_STANDIN_BUILD} holds no default build of this tree")
endif()
find_package(X11 REQUIRED)
include(${standin_targets})
add_subdirectory(cefsim/python_inspect)

# The sub-process executable beside the modules, as in every build folder.
add_custom_target(zubrix_cef_subprocess_link ALL
  COMMAND ${CMAKE_COMMAND} -E create_symlink
          $<TARGET_FILE:zubrix_cef_subprocess> ${CMAKE_BINARY_DIR}/zubrix_cef_subprocess)
