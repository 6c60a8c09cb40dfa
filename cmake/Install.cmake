# `cmake --install BUILD --prefix DIR` lays out one folder that a host puts on
# its Python path: the module and its stub, the sub-process executable, the
# CEF runtime both load from their own folder, and the helper package.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  # A flat folder, never spread over a system prefix unless asked for.
  set(CMAKE_INSTALL_PREFIX "${CMAKE_BINARY_DIR}/install" CACHE PATH
      "Folder that cmake --install fills" FORCE)
endif()

install(TARGETS _zubrix_cef zubrix_cef_subprocess
        LIBRARY DESTINATION . RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/module/_zubrix_cef.pyi DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/zubrix_cef DESTINATION .
        FILES_MATCHING PATTERN "*.py" PATTERN "*.pyi" PATTERN "*.js"
        PATTERN "__pycache__" EXCLUDE)

# A CEF distribution: its binaries per configuration (Debug/ or Release/) and
# its resources (Resources/, the locales folder among them), as CEF's own
# CMake helpers name them.
function(zubrix_install_cef_files source_dir names)
  foreach(name ${names})
    if(IS_DIRECTORY "${source_dir}/${name}")
      install(DIRECTORY "${source_dir}/${name}" DESTINATION . ${ARGN})
    else()
      install(FILES "${source_dir}/${name}" DESTINATION . ${ARGN})
    endif()
  endforeach()
endfunction()

if(ZUBRIX_CEF_ROOT)
  zubrix_install_cef_files("${CEF_BINARY_DIR_DEBUG}" "${CEF_BINARY_FILES}"
                           CONFIGURATIONS Debug)
  zubrix_install_cef_files("${CEF_BINARY_DIR_RELEASE}" "${CEF_BINARY_FILES}"
                           CONFIGURATIONS Release RelWithDebInfo MinSizeRel)
  zubrix_install_cef_files("${CEF_RESOURCE_DIR}" "${CEF_RESOURCE_FILES}")
else()
  # The stand-in's libcef and the windowing layer it shares with the module.
  install(TARGETS cef zubrix_platform LIBRARY DESTINATION .)
endif()
