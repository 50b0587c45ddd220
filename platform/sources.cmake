# The platform layer's shared sources, listed once for every build: the Linux build
# (platform/CMakeLists.txt), the Windows build (platform/win32) and the web build (platform/web)
# each take the groups it needs from here and adds its own back end.
set(platform_dir ${CMAKE_CURRENT_LIST_DIR})

# The software rasterizer and the window logic of every back end.
set(VARNOOK_PLATFORM_SHARED_SOURCES
  ${platform_dir}/src/bmp.cpp
  ${platform_dir}/src/pixel_surface.cpp
  ${platform_dir}/src/window_base.cpp)
# Windows-1252 text and Unicode: in the platform layer, in the Windows build in the registry store,
# which keeps text as Unicode.
set(VARNOOK_PLATFORM_CODEPAGE_SOURCES ${platform_dir}/src/codepage.cpp)
# The headless back end and the snapshot writer (zlib), for the desktop builds' tests and tools.
set(VARNOOK_PLATFORM_HEADLESS_SOURCES
  ${platform_dir}/src/png.cpp
  ${platform_dir}/headless/headless.cpp)
# The text renderer of the Linux build (fontconfig and SDL_ttf); the others draw text with GDI or
# stb_truetype.
set(VARNOOK_PLATFORM_TEXT_SOURCES ${platform_dir}/src/text.cpp)
