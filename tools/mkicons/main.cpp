// mkicons: the desktop's hicolor icons of the program, drawn by the game's own icon drawing from the
// sprite sheet in the program folder. Usage: mkicons PROGRAM_FOLDER OUTPUT_FOLDER [SIZE]...
// Writes OUTPUT_FOLDER/hicolor/NxN/apps/varnook.png for each size the desktop looks for, or for the
// sizes given (the web app's, which a browser asks for in other sizes).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "game/ui/program_icon.h"
#include "game/ui/sprite_sheet.h"
#include "platform/pixel_surface.h"

int main(int argc, char** argv) {
    std::vector<int> sizes = {16, 22, 24, 32, 48, 64, 128, 256};
    if (argc > 3) sizes.clear();
    for (int i = 3; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (argc < 3 || std::find_if(sizes.begin(), sizes.end(), [](int n) { return n < 16 || n > 1024; }) != sizes.end()) {
        std::fprintf(stderr, "usage: mkicons PROGRAM_FOLDER OUTPUT_FOLDER [SIZE]... (sizes 16 to 1024)\n");
        return 2;
    }
    platform::SoftGraphics graphics;
    const game::ui::SpriteSheet sheet = game::ui::initGraphics(graphics, std::string(argv[1]) + "/");
    if (sheet.empty()) {
        std::fprintf(stderr, "mkicons: no sprite sheet in %s\n", argv[1]);
        return 1;
    }
    for (const int size : sizes) {
        const auto icon = game::ui::drawProgramIcon(graphics, sheet, size);
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path folder = std::filesystem::path(argv[2]) / "hicolor" / name / "apps";
        std::filesystem::create_directories(folder);
        if (!icon || !platform::savePng(*icon, (folder / "varnook.png").string())) {
            std::fprintf(stderr, "mkicons: cannot write the %s icon in %s\n", name.c_str(), folder.c_str());
            return 1;
        }
    }
    return 0;
}
