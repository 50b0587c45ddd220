# The Windows build, cross-compiled with mingw-w64 (make windows): QXDLL.dll and Varnook.exe in the
# program folder bin/ with the data files that the native build's tools made, the zip a player
# unzips, and the engine's and the game's tests built as .exe files that ctest runs under wine.
option(VARNOOK_ENGINE_ONLY "Build QXDLL.dll alone (the 32-bit build)" OFF)
set(VARNOOK_NATIVE_BUILD ${CMAKE_SOURCE_DIR}/build CACHE PATH
  "The native build whose tools made the data files, and whose engine the Windows one must match")
set(VARNOOK_WIN32_BUILD "" CACHE PATH "The 32-bit build of QXDLL.dll, whose export names a test reads")

# GCC 12 at -O3 warns of a memcpy overlap inside std::string's operator+ that cannot happen (GCC
# bug 105329); the release build is optimised as the native one is.
string(REPLACE "-O3" "-O2" CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_RELEASE}")
string(REPLACE "-O3" "-O2" CMAKE_C_FLAGS_RELEASE "${CMAKE_C_FLAGS_RELEASE}")

# Nothing but the system's own DLLs beside the program: libstdc++, libgcc and winpthread are linked in.
add_link_options(-static -static-libgcc -static-libstdc++)

add_subdirectory(engine)
if(VARNOOK_ENGINE_ONLY)
  return()
endif()

enable_testing()
# GoogleTest from the sources Debian ships with libgtest-dev, built for Windows; warnings there are
# not ours to fix.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_target_properties(gtest gtest_main PROPERTIES COMPILE_OPTIONS "-w")

add_subdirectory(platform/win32 ${CMAKE_BINARY_DIR}/platform)
add_subdirectory(game)
set_target_properties(varnook PROPERTIES OUTPUT_NAME Varnook WIN32_EXECUTABLE ON)

# The data files, byte for byte those of the native program folder.
set(data_outputs)
foreach(file ${VARNOOK_DATA_FILES})
  add_custom_command(
    OUTPUT ${VARNOOK_BIN_DIR}/${file}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VARNOOK_NATIVE_BUILD}/bin/${file} ${VARNOOK_BIN_DIR}/${file}
    DEPENDS ${VARNOOK_NATIVE_BUILD}/bin/${file}
    COMMENT "Copying ${file} from the native build")
  list(APPEND data_outputs ${VARNOOK_BIN_DIR}/${file})
endforeach()
add_custom_target(windows_data ALL DEPENDS ${data_outputs})
add_dependencies(varnook windows_data QXDLL)

# The zip: one folder, Varnook, holding the program folder.
set(zip_file ${CMAKE_BINARY_DIR}/varnook-windows-x64.zip)
set(zip_stage ${CMAKE_BINARY_DIR}/package)
add_custom_command(
  OUTPUT ${zip_file}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${zip_stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${zip_stage}/Varnook
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:varnook> $<TARGET_FILE:QXDLL> ${data_outputs} ${zip_stage}/Varnook
  COMMAND ${CMAKE_COMMAND} -E rm -f ${zip_file}
  COMMAND ${CMAKE_COMMAND} -E chdir ${zip_stage} ${CMAKE_COMMAND} -E tar cf ${zip_file} --format=zip Varnook
  DEPENDS varnook QXDLL ${data_outputs}
  COMMENT "Packing varnook-windows-x64.zip")
add_custom_target(windows_zip ALL DEPENDS ${zip_file})

add_subdirectory(tests/windows)
