# varnook_version_resource(TARGET FILE_NAME DESCRIPTION [ICON file] [MANIFEST file]): compiles the
# version information (from the project() line), and the icon and manifest when given, into TARGET
# with windres.
function(varnook_version_resource target file_name description)
  cmake_parse_arguments(arg "" "ICON;MANIFEST" "" ${ARGN})
  set(VARNOOK_FILE_NAME ${file_name})
  set(VARNOOK_FILE_DESCRIPTION ${description})
  set(VARNOOK_VERSION_PATCH 0)
  if(PROJECT_VERSION_PATCH)
    set(VARNOOK_VERSION_PATCH ${PROJECT_VERSION_PATCH})
  endif()
  set(VARNOOK_FILE_TYPE VFT_APP)
  if(file_name MATCHES "\\.dll$")
    set(VARNOOK_FILE_TYPE VFT_DLL)
  endif()
  set(VARNOOK_ICON_LINE "")
  set(VARNOOK_MANIFEST_LINE "")
  set(depends)
  if(arg_ICON)
    set(VARNOOK_ICON_LINE "1 ICON \"${arg_ICON}\"")
    list(APPEND depends ${arg_ICON})
  endif()
  if(arg_MANIFEST)
    set(VARNOOK_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${VARNOOK_VERSION_PATCH}.0)
    set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${file_name}.manifest)
    configure_file(${arg_MANIFEST} ${manifest} @ONLY)
    set(VARNOOK_MANIFEST_LINE "1 24 \"${manifest}\"")
    list(APPEND depends ${manifest})
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  # Source properties belong to a folder: these go to the folder that made the target.
  set_source_files_properties(${rc} TARGET_DIRECTORY ${target} PROPERTIES OBJECT_DEPENDS "${depends}")
endfunction()

# varnook_strip(TARGET): the release binary without its symbols; they go to symbols/NAME.debug in the
# build folder, linked from the binary by name, for reading crash reports.
function(varnook_strip target)
  set(symbols ${CMAKE_BINARY_DIR}/symbols)
  file(MAKE_DIRECTORY ${symbols})
  set(objcopy ${VARNOOK_MINGW_TRIPLE}-objcopy)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${objcopy} --only-keep-debug $<TARGET_FILE:${target}> ${symbols}/$<TARGET_FILE_NAME:${target}>.debug
    COMMAND ${objcopy} --strip-all --add-gnu-debuglink=${symbols}/$<TARGET_FILE_NAME:${target}>.debug
      $<TARGET_FILE:${target}>
    COMMENT "Stripping $<TARGET_FILE_NAME:${target}> (symbols in symbols/)"
    VERBATIM)
endfunction()
