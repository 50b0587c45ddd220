# The web build (make web), compiled with Emscripten: the game with the engine compiled in as
# varnook.js + varnook.wasm, the page and its web app files, and the data files that the native
# build's tools made, all in one folder any static web server can serve. Also the engine dump tool
# for node, whose puzzles a test compares with the native engine's.
set(VARNOOK_NATIVE_BUILD ${CMAKE_SOURCE_DIR}/build CACHE PATH
  "The native build whose tools made the data files, and whose engine the web one must match")
set(VARNOOK_WEB_DIR ${CMAKE_BINARY_DIR}/site CACHE PATH "The folder the page is served from")
set(VARNOOK_FONT_DIR /usr/share/fonts/truetype/liberation CACHE PATH "The Liberation fonts")
file(MAKE_DIRECTORY ${VARNOOK_WEB_DIR})
# Clang's -Wconversion also warns of every signed/unsigned mix, which GCC's, the one the code is
# kept clean for, leaves to -Wsign-conversion.
add_compile_options(-Wno-sign-conversion)

# The engine, a static library here: the browser loads no library by name.
add_library(QXDLL STATIC
  engine/src/exports.cpp
  engine/src/lang_dict.cpp
  engine/src/puzzle_engine.cpp
  engine/src/tree_index.cpp)
target_include_directories(QXDLL PUBLIC ${CMAKE_SOURCE_DIR}/engine/include PRIVATE ${CMAKE_SOURCE_DIR}/engine/src)
target_compile_definitions(QXDLL PRIVATE QXDLL_BUILDING)

add_subdirectory(platform/web)
add_subdirectory(game)

# The program. ASYNCIFY lets the platform's modal loops and sleep wait for the browser's events
# without blocking the page, and a dictionary be fetched when a game asks for it; only js_wait and
# js_fetch_file wait.
set(web_dir ${CMAKE_SOURCE_DIR}/platform/web)
add_executable(varnook game/app/web_main.cpp)
target_link_libraries(varnook PRIVATE varnook_app QXDLL)
set_target_properties(varnook PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VARNOOK_WEB_DIR}
  LINK_DEPENDS "${web_dir}/web_library.js;${web_dir}/web_pre.js")
target_link_options(varnook PRIVATE
  -sASYNCIFY -sASYNCIFY_IMPORTS=[js_wait,js_fetch_file] -sASYNCIFY_STACK_SIZE=131072
  -sALLOW_MEMORY_GROWTH -sENVIRONMENT=web -sEXIT_RUNTIME=0
  --js-library ${web_dir}/web_library.js --pre-js ${web_dir}/web_pre.js)

# The data files, byte for byte those of the native program folder; the fonts the text is drawn with.
set(site_files)
foreach(file ${VARNOOK_DATA_FILES})
  add_custom_command(
    OUTPUT ${VARNOOK_WEB_DIR}/${file}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VARNOOK_NATIVE_BUILD}/bin/${file} ${VARNOOK_WEB_DIR}/${file}
    DEPENDS ${VARNOOK_NATIVE_BUILD}/bin/${file}
    COMMENT "Copying ${file} from the native build")
  list(APPEND site_files ${VARNOOK_WEB_DIR}/${file})
endforeach()
set(VARNOOK_WEB_FONTS LiberationSans-Regular.ttf LiberationSans-Bold.ttf LiberationSansNarrow-Regular.ttf
  LiberationSansNarrow-Bold.ttf LiberationSerif-Regular.ttf LiberationSerif-Bold.ttf)
foreach(file ${VARNOOK_WEB_FONTS})
  add_custom_command(
    OUTPUT ${VARNOOK_WEB_DIR}/fonts/${file}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VARNOOK_FONT_DIR}/${file} ${VARNOOK_WEB_DIR}/fonts/${file}
    DEPENDS ${VARNOOK_FONT_DIR}/${file})
  list(APPEND site_files ${VARNOOK_WEB_DIR}/fonts/${file})
endforeach()
# The fonts' licence travels with them.
add_custom_command(
  OUTPUT ${VARNOOK_WEB_DIR}/fonts/COPYRIGHT
  COMMAND ${CMAKE_COMMAND} -E copy_if_different /usr/share/doc/fonts-liberation/copyright
    ${VARNOOK_WEB_DIR}/fonts/COPYRIGHT
  DEPENDS /usr/share/doc/fonts-liberation/copyright)
list(APPEND site_files ${VARNOOK_WEB_DIR}/fonts/COPYRIGHT)

# The icons of the web app, in the sizes browsers ask of an installable page, drawn by the native
# build's icon tool.
set(icon_files)
foreach(size 192 512)
  list(APPEND icon_files ${VARNOOK_WEB_DIR}/icons/hicolor/${size}x${size}/apps/varnook.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_files}
  COMMAND ${VARNOOK_NATIVE_BUILD}/tools/mkicons/mkicons ${VARNOOK_NATIVE_BUILD}/bin ${VARNOOK_WEB_DIR}/icons 192 512
  DEPENDS ${VARNOOK_NATIVE_BUILD}/tools/mkicons/mkicons ${VARNOOK_NATIVE_BUILD}/bin/ALLPICDATA.BMP
  COMMENT "Drawing the web app's icons")
list(APPEND site_files ${icon_files})
# The page, the web app manifest and the service worker, whose cache list names every file above.
foreach(file index.html manifest.webmanifest)
  configure_file(${web_dir}/site/${file} ${VARNOOK_WEB_DIR}/${file} COPYONLY)
endforeach()
# The word notes (common words, definitions) and the other languages' dictionaries and instructions
# pages are only wanted once a game asks for them, so the first visit does not fetch them for the
# offline copy; the service worker keeps each once it has been fetched.
set(cached_data ${VARNOOK_DATA_FILES})
list(REMOVE_ITEM cached_data DEFAULT.COMMON DEFAULT.DEFS ${VARNOOK_LANGUAGE_DICT_FILES} ${VARNOOK_LANGUAGE_HELP_FILES})
set(cached index.html manifest.webmanifest varnook.js varnook.wasm ${cached_data}
  icons/hicolor/192x192/apps/varnook.png icons/hicolor/512x512/apps/varnook.png)
foreach(font ${VARNOOK_WEB_FONTS})
  list(APPEND cached fonts/${font})
endforeach()
string(REPLACE ";" "," VARNOOK_WEB_CACHED "${cached}")  # one argument on the command line below
add_custom_command(
  OUTPUT ${VARNOOK_WEB_DIR}/sw.js
  COMMAND ${CMAKE_COMMAND} -DIN=${web_dir}/site/sw.js.in -DOUT=${VARNOOK_WEB_DIR}/sw.js
    "-DFILES=${VARNOOK_WEB_CACHED}" -DWASM=$<TARGET_FILE_DIR:varnook>/varnook.wasm
    -P ${CMAKE_SOURCE_DIR}/cmake/web_service_worker.cmake
  DEPENDS varnook ${web_dir}/site/sw.js.in ${CMAKE_SOURCE_DIR}/cmake/web_service_worker.cmake ${site_files}
  COMMENT "Writing the service worker")
add_custom_target(web_site ALL DEPENDS ${site_files} ${VARNOOK_WEB_DIR}/sw.js)

# The engine dump tool under node, with the files of the machine it runs on.
add_executable(qxdll_dump tests/windows/qxdll_dump.c)
target_link_libraries(qxdll_dump PRIVATE QXDLL)
# Node 20 has a fetch() of its own, which this Emscripten would take to load the .wasm file by URL:
# the module is compiled from the file at once instead.
target_link_options(qxdll_dump PRIVATE -sNODERAWFS -sALLOW_MEMORY_GROWTH -sENVIRONMENT=node -sWASM_ASYNC_COMPILATION=0)

enable_testing()
add_subdirectory(tests/web)

# The engine timing tool of the benchmarks, under node, beside the native one.
add_executable(engine_timing bench/web/engine_timing.c)
target_link_libraries(engine_timing PRIVATE QXDLL)
target_link_options(engine_timing PRIVATE -sNODERAWFS -sALLOW_MEMORY_GROWTH -sENVIRONMENT=node
  -sWASM_ASYNC_COMPILATION=0)
