// mkicons: the desktop's hicolor icons of the program, drawn by the game's own icon drawing from the
// sprite sheet in the program folder. Usage: mkicons PROGRAM_FOLDER OUTPUT_FOLDER
// Writes OUTPUT_FOLDER/hicolor/NxN/apps/varnook.png for each size the desktop looks for.
#include <cstdio>
#include <filesystem>
#include <string>

#include "game/ui/program_icon.h"
#include "game/ui/sprite_sheet.h"
#include "platform/pixel_surface.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkicons PROGRAM_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    platform::SoftGraphics graphics;
    const game::ui::SpriteSheet sheet = game::ui::initGraphics(graphics, std::string(argv[1]) + "/");
    if (sheet.empty()) {
        std::fprintf(stderr, "mkicons: no sprite sheet in %s\n", argv[1]);
        return 1;
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
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
