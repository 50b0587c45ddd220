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

# Version information, icon and manifest go in with windres; the release binaries are stripped.
enable_language(RC)
include(${CMAKE_SOURCE_DIR}/packaging/windows/resources.cmake)

add_subdirectory(engine)
if(VARNOOK_ENGINE_ONLY)
  # The C caller that binds the six exports by name (as __stdcall here), whose puzzles the Windows
  # build's tests compare with the native engine's.
  add_executable(qxdll_dump ${CMAKE_SOURCE_DIR}/tests/windows/qxdll_dump.c)
  target_include_directories(qxdll_dump PRIVATE ${CMAKE_SOURCE_DIR}/engine/include)
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
# The icon is the native build's (mkicons draws it with the Linux icons).
varnook_version_resource(varnook Varnook.exe "Varnook word-finding game"
  ICON ${VARNOOK_NATIVE_BUILD}/icons/Varnook.ico
  MANIFEST ${CMAKE_SOURCE_DIR}/packaging/windows/Varnook.exe.manifest)

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
# The fonts the game asks for that Windows may lack, Liberation Sans Narrow from Debian's
# fonts-liberation, with its licence beside them; the program loads them as its own.
set(font_dir /usr/share/fonts/truetype/liberation)
set(VARNOOK_FONT_FILES LiberationSansNarrow-Regular.ttf LiberationSansNarrow-Bold.ttf)
set(font_sources)
foreach(file ${VARNOOK_FONT_FILES})
  list(APPEND font_sources ${font_dir}/${file})
endforeach()
set(font_licence_name LIBERATION-FONTS-LICENSE.txt)
list(APPEND font_sources /usr/share/doc/fonts-liberation/copyright)
foreach(source name IN ZIP_LISTS font_sources VARNOOK_FONT_FILES)
  if(NOT name)
    set(name ${font_licence_name})
  endif()
  add_custom_command(
    OUTPUT ${VARNOOK_BIN_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${VARNOOK_BIN_DIR}/${name}
    DEPENDS ${source}
    COMMENT "Copying ${name} from fonts-liberation")
  list(APPEND data_outputs ${VARNOOK_BIN_DIR}/${name})
endforeach()
list(APPEND VARNOOK_FONT_FILES ${font_licence_name})
add_custom_target(windows_data ALL DEPENDS ${data_outputs})
add_dependencies(varnook windows_data QXDLL)

# What a player gets besides the program folder: a short README.txt and the licences (the game's,
# the word list's).
set(VARNOOK_README_FONT_LICENCE ", ${font_licence_name} (the Liberation Sans Narrow\nfonts, LiberationSansNarrow-*.ttf, which the game uses as its own)")
set(readme ${CMAKE_BINARY_DIR}/README.txt)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/README.txt.in ${readme} @ONLY NEWLINE_STYLE CRLF)
set(licence_files ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/assets/dict/SCOWL-COPYRIGHT.txt
  ${CMAKE_SOURCE_DIR}/assets/defs/WORDNET-LICENSE.txt)
set(licence_names LICENSE.txt SCOWL-COPYRIGHT.txt WORDNET-LICENSE.txt)
# Each other language's word-list notice beside its dictionary, as <CODE>-COPYRIGHT.txt.
foreach(code ${VARNOOK_LANGUAGE_CODES})
  string(TOUPPER ${code} name)
  list(APPEND licence_files ${CMAKE_SOURCE_DIR}/assets/dict/${code}/COPYRIGHT.txt)
  list(APPEND licence_names ${name}-COPYRIGHT.txt)
endforeach()

# The zip: one folder, Varnook, holding the program folder and those; its staging folder is also
# what the setup program installs.
set(zip_file ${CMAKE_BINARY_DIR}/varnook-windows-x64.zip)
set(zip_stage ${CMAKE_BINARY_DIR}/package)
set(stage_copies)
foreach(source name IN ZIP_LISTS licence_files licence_names)
  list(APPEND stage_copies COMMAND ${CMAKE_COMMAND} -E copy ${source} ${zip_stage}/Varnook/${name})
endforeach()
add_custom_command(
  OUTPUT ${zip_file}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${zip_stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${zip_stage}/Varnook
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:varnook> $<TARGET_FILE:QXDLL> ${data_outputs} ${readme}
    ${zip_stage}/Varnook
  ${stage_copies}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${zip_file}
  COMMAND ${CMAKE_COMMAND} -E chdir ${zip_stage} ${CMAKE_COMMAND} -E tar cf ${zip_file} --format=zip Varnook
  DEPENDS varnook QXDLL ${data_outputs} ${readme} ${licence_files}
  COMMENT "Packing varnook-windows-x64.zip")
add_custom_target(windows_zip ALL DEPENDS ${zip_file})

# The setup program, varnook-VERSION-setup.exe, made by makensis from the staging folder: the same
# files, each installed and removed by name.
set(setup_names Varnook.exe QXDLL.dll ${VARNOOK_DATA_FILES} ${VARNOOK_FONT_FILES} README.txt ${licence_names})
set(VARNOOK_SETUP_FILES "")
set(VARNOOK_UNINSTALL_FILES "")
foreach(name ${setup_names})
  string(APPEND VARNOOK_SETUP_FILES "  File \"${zip_stage}/Varnook/${name}\"\n")
  string(APPEND VARNOOK_UNINSTALL_FILES "  Delete \"$INSTDIR\\${name}\"\n")
endforeach()
set(VARNOOK_SETUP_FILE ${CMAKE_BINARY_DIR}/varnook-${PROJECT_VERSION}-setup.exe)
set(VARNOOK_ICON ${VARNOOK_NATIVE_BUILD}/icons/Varnook.ico)
set(VARNOOK_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/varnook.nsi.in ${CMAKE_BINARY_DIR}/varnook.nsi @ONLY)
add_custom_command(
  OUTPUT ${VARNOOK_SETUP_FILE}
  COMMAND makensis -V2 -NOCD ${CMAKE_BINARY_DIR}/varnook.nsi
  DEPENDS ${zip_file} ${CMAKE_BINARY_DIR}/varnook.nsi ${VARNOOK_ICON}
  COMMENT "Making varnook-${PROJECT_VERSION}-setup.exe")
add_custom_target(windows_setup ALL DEPENDS ${VARNOOK_SETUP_FILE})
add_dependencies(windows_setup windows_zip)  # the zip's staging folder is made once, by the zip

add_subdirectory(tests/windows)
