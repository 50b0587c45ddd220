// The start-up sequence in its fixed order, and what the program does when its engine or its
// dictionary is not there.
#include "game/persistence/startup.h"

#include <algorithm>

#include "game/persistence/sound_effects.h"
#include "game/play/engine_library.h"
#include "game/ui/frm_play.h"
#include "platform/library.h"

namespace game {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

std::string appPathOf(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && isSeparator(path.back()) && isSeparator(path[path.size() - 2])) path.pop_back();
    if (path.empty() || !isSeparator(path.back())) path += '/';
    return path;
}

Program::Program(const platform::Services& services_, std::string appPath_)
    : services(services_), appPath(std::move(appPath_)) {}

Program::~Program() = default;

std::unique_ptr<Program> Program::start(const platform::Services& services, const std::string& programFolder,
                                        const StartupHooks& hooks, std::string* failure) {
    // 1-2. The program folder. (The Hall of Fame tables start empty with the settings records.)
    std::unique_ptr<Program> p(new Program(services, appPathOf(programFolder)));

    // 3. The engine library, loaded by name from the program folder, loads the dictionary. Without
    // either the game cannot make a puzzle, so the program does not start.
    const std::string libraryFile = platform::SharedLibrary::fileName(kEngineLibraryName);
    std::string reason;
    p->engine = EngineLibrary::load(p->appPath + libraryFile, &reason);
    if (!p->engine) {
        if (failure)
            *failure = "The puzzle engine " + libraryFile + " could not be loaded from the program folder " +
                       p->appPath + ".\n\n" + reason;
        return nullptr;
    }
    if (p->engine->loadLangDict(p->appPath + kDictionaryFileName) == 0) {
        if (failure)
            *failure = std::string("The dictionary ") + kDictionaryFileName +
                       " is missing or unreadable in the program folder " + p->appPath + ".";
        return nullptr;
    }

    // 4. The level table and the board pitch are constants (kLevels, kCellSize).
    // 5. The settings records.
    p->sounds = std::make_unique<SoundEffects>(*services.sound, p->appPath);
    if (hooks.loadSettings) hooks.loadSettings(*p);

    // 6. The board before any game.
    const int row = std::clamp(p->startSizeIndex + 1, 1, kLevelCount);
    p->game.gridWidth = level(row).width;
    p->game.gridHeight = level(row).height;
    p->game.numCells = static_cast<std::int16_t>(p->game.gridWidth * p->game.gridHeight);

    // 7. The sound file paths were set with the sound effects; 8. the sprite sheet.
    p->sheet = ui::initGraphics(*services.graphics, p->appPath);

    // 9-10. The main window, modeless, with its main menu.
    p->frmPlay = std::make_unique<ui::FrmPlay>(ui::FrmPlayContext{
        *services.ui, *services.graphics, *services.shell, p->game, *p->engine, *p->sounds, p->sheet, p->appPath});
    if (hooks.connect) hooks.connect(*p);
    p->frmPlay->show(p->foundViewAtStart);
    p->frmPlay->resizeWindow();
    p->frmPlay->initMainMenuVar();
    p->frmPlay->mainMenu(true);

    // 11. The saved-game offer.
    if (hooks.offerSavedGame) hooks.offerSavedGame(*p);
    return p;
}

}  // namespace game
