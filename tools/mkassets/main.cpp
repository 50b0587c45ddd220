// mkassets: writes the game's sprite sheet and sound effects into the folder given on the command line.
#include <cstdio>
#include <string>

#include "files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkassets OUTPUT-FOLDER\n");
        return 2;
    }
    std::string error;
    if (!varnook::assets::writeAllAssets(argv[1], error)) {
        std::fprintf(stderr, "mkassets: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
