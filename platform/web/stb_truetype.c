/* The font rasterizer of the web build: Debian's stb_truetype, compiled once here. */
#define STB_TRUETYPE_IMPLEMENTATION
#include "stb_truetype.h"
