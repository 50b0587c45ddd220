// The start-up sequence in its fixed order, the saved game offered at its end, and what the program
// does when its engine or its dictionary is not there.
#include "game/app/program.h"

#include <algorithm>
#include <ctime>
#include <fstream>
#include <iterator>

#include "game/play/engine_library.h"
#include "game/play/session.h"
#include "game/play/word_notes.h"
#include "game/ui/dialogs.h"
#include "game/ui/frm_play.h"
#include "game/ui/records_desk.h"
#include "game/ui/sound_effects.h"
#include "game/ui/strings.h"
#include "platform/library.h"
#include "platform/store.h"
#include "platform/window.h"

namespace game {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// The dictionary file of a language, in the program folder.
std::string dictionaryFile(letters::Language language) {
    return language == letters::Language::English ? std::string(kDictionaryFileName)
                                                  : std::string(letters::info(language).dictionary);
}

// The interface's texts in the language of the board.
void showTextsOf(letters::Language language) { ui::setTextLanguage(letters::info(language).code); }

// The stored zoom and the windows' zoom are one range.
static_assert(persistence::records::kMinZoom == platform::zoom::kMin &&
              persistence::records::kMaxZoom == platform::zoom::kMax);

// A data file's bytes; empty when it cannot be read.
std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

Date clockDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string appPathOf(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && isSeparator(path.back()) && isSeparator(path[path.size() - 2])) path.pop_back();
    if (path.empty() || !isSeparator(path.back())) path += '/';
    return path;
}

int startZoom(std::optional<int> asked, int remembered, platform::Size desktop) {
    namespace zoom = platform::zoom;
    if (asked) return zoom::clamp(*asked);
    const bool known = desktop.width > 0 && desktop.height > 0;
    if (remembered >= zoom::kMin && remembered <= zoom::kMax) {
        if (!known) return remembered;
        return std::min(remembered,
                        zoom::largestFitting(ui::window::kWidth, ui::window::kHeight, desktop.width, desktop.height));
    }
    if (!known) return zoom::kMin;
    return zoom::largestFitting(ui::window::kWidth, ui::window::kHeight, desktop.width,
                                desktop.height * kComfortablePercent / 100);
}

Program::Program(const platform::Services& services_, std::string appPath_)
    : services(services_), appPath(std::move(appPath_)) {}

Program::~Program() = default;

std::unique_ptr<Program> Program::start(const platform::Services& services, const std::string& programFolder,
                                        std::string* failure, const StartOptions& options) {
    // 1-2. The program folder. (The Hall of Fame tables start empty with the settings records.)
    std::unique_ptr<Program> p(new Program(services, appPathOf(programFolder)));

    // The language: the one asked for, else the one the player chose last, else the desktop's. The
    // texts are its own from here on.
    if (services.store != nullptr) p->records = std::make_unique<persistence::Records>(*services.store);
    letters::Language wanted = options.language.value_or(options.desktopLanguage);
    if (!options.language && p->records)
        if (const auto chosen = letters::fromCode(p->records->chosenLanguage())) wanted = *chosen;
    showTextsOf(wanted);

    // 3. The engine library, loaded by name from the program folder, loads the dictionary. Without
    // either the game cannot make a puzzle, so the program does not start.
    const std::string libraryFile = platform::SharedLibrary::fileName(kEngineLibraryName);
    std::string reason;
    p->engine = EngineLibrary::load(p->appPath + libraryFile, &reason);
    if (!p->engine) {
        if (failure)
            *failure =
                ui::formatResString(ui::StringId::EngineNotLoaded, {"|1", libraryFile, "|2", p->appPath, "|3", reason});
        return nullptr;
    }
    const auto& language = letters::info(wanted);
    if (wanted != letters::Language::English &&
        p->engine->loadLangDict(p->appPath + std::string(language.dictionary)) == 1) {
        p->game.setLanguage(wanted);
    } else if (wanted != letters::Language::English) {
        // Told in the language asked for; English is played.
        p->dictionaryRefused = ui::formatResString(ui::StringId::DictionaryRefused,
                                                   {"|1", language.dictionary, "|2", language.code, "|3", p->appPath});
        showTextsOf(letters::Language::English);
    }
    if (p->game.language() == letters::Language::English &&
        p->engine->loadLangDict(p->appPath + kDictionaryFileName) == 0) {
        if (failure)
            *failure =
                ui::formatResString(ui::StringId::DictionaryMissing, {"|1", kDictionaryFileName, "|2", p->appPath});
        return nullptr;
    }

    // 4. The level table and the board pitch are constants (kLevels, ui::kCellSize).
    // 5. The settings records, and the sound switches they hold.
    p->sounds = std::make_unique<ui::SoundEffects>(*services.sound, p->appPath);
    p->loadSettings();

    // 6. The board before any game: the level table's row startSizeIndex + 1.
    const Level& start = level(persistence::startLevel(p->settings.solvingData));
    p->game.setBoard(start.width, start.height);

    // 7. The sound file paths were set with the sound effects; 8. the sprite sheet.
    p->sheet = ui::initGraphics(*services.graphics, p->appPath);

    // The windows' zoom, before the first of them is made.
    services.ui->setZoom(startZoom(options.zoom, p->settings.zoom, services.ui->desktopSize()));

    p->commonWords = std::make_unique<CommonWords>();
    p->definitions = std::make_unique<Definitions>();
    p->loadWordNotes();

    // 9-10. The session and the main window, modeless, with its main menu.
    p->desk = std::make_unique<ui::RecordsDesk>(*services.ui, *services.graphics, p->sheet, *p->sounds, p->settings,
                                                p->records.get());
    platform::Ui& ui = *services.ui;
    p->session =
        std::make_unique<Session>(p->game, *p->engine, [&ui] { return static_cast<std::uint64_t>(ui.nowMs()); });
    p->session->setCommonWords(p->commonWords.get());
    const std::optional<Date> today = options.today;
    Program* program = p.get();
    p->frmPlay = std::make_unique<ui::FrmPlay>(ui::FrmPlayContext{
        ui, *services.graphics, *services.shell, *p->session, *p->sounds, p->sheet, *p->desk, p->appPath,
        services.store, services.clipboard, p->definitions.get(), [today] { return today ? *today : clockDate(); },
        [program](letters::Language l) { program->chooseLanguage(l); }});
    p->frmPlay->show(p->settings.solvingData.foundViewAtStart);
    if (!p->dictionaryRefused.empty()) services.ui->messageBox(kAppTitle, p->dictionaryRefused);

    // 11. The saved-game offer, or the puzzle the player asked for by its number.
    if (options.puzzle)
        p->session->startPuzzle(*options.puzzle);
    else if (options.daily)
        p->frmPlay->startDaily();
    else
        p->offerSavedGame();
    return p;
}

void Program::loadSettings() {
    if (!records) return;
    if (!records->loadSettings(settings))
        services.ui->messageBox(kAppTitle, ui::loadResString(ui::StringId::SettingsFailed));
    sounds->soundOptions = settings.soundOptions;
    // A store that could not be read at all was set aside: say where, so that nothing is lost unseen.
    if (const std::string kept = services.store->setAsideCopy(); !kept.empty())
        services.ui->messageBox(kAppTitle, ui::formatResString(ui::StringId::SettingsSetAside, {"|1", kept}));
}

void Program::loadWordNotes() {
    const bool english = game.language() == letters::Language::English;
    if (english == wordNotesEnglish) return;
    *commonWords = english ? CommonWords::parse(readFile(appPath + kCommonWordsFileName)) : CommonWords{};
    *definitions = english ? Definitions::parse(readFile(appPath + kDefinitionsFileName)) : Definitions{};
    wordNotesEnglish = english;
}

bool Program::useLanguage(letters::Language language) {
    const std::string file = dictionaryFile(language);
    if (engine->loadLangDict(appPath + file) == 1) {
        game.setLanguage(language);
        showTextsOf(language);
        loadWordNotes();
        return true;
    }
    services.ui->messageBox(kAppTitle,
                            ui::formatResString(ui::StringId::SavedGameDictionaryRefused,
                                                {"|1", file, "|2", letters::info(language).code, "|3", appPath}));
    // The language played so far comes back (its file was read at start).
    engine->loadLangDict(appPath + dictionaryFile(game.language()));
    return false;
}

void Program::chooseLanguage(letters::Language language) {
    const std::string file = dictionaryFile(language);
    if (engine->loadLangDict(appPath + file) == 1) {
        game.setLanguage(language);
    } else {
        // Told in the language asked for, then English is played (or, without its dictionary, the
        // language played so far).
        showTextsOf(language);
        services.ui->messageBox(kAppTitle,
                                ui::formatResString(ui::StringId::DictionaryRefused,
                                                    {"|1", file, "|2", letters::info(language).code, "|3", appPath}));
        if (engine->loadLangDict(appPath + kDictionaryFileName) == 1)
            game.setLanguage(letters::Language::English);
        else
            engine->loadLangDict(appPath + dictionaryFile(game.language()));
    }
    showTextsOf(game.language());
    loadWordNotes();
    settings.language = letters::info(game.language()).code;
}

void Program::offerSavedGame() {
    if (!records) return;
    switch (records->isGameStored()) {
        case persistence::StoredGame::None: return;
        case persistence::StoredGame::StoreUnavailable:
            services.ui->messageBox(kAppTitle, ui::loadResString(ui::StringId::CheckSavedGameFailed));
            return;
        case persistence::StoredGame::Waiting: break;
    }

    ui::FrmOKCancel question(*services.ui, *services.graphics);
    question.showModal();
    if (question.clickedBtnNum() != 1) return;  // "No thanks", Esc or the close box: offered again next time

    auto tell = [&](std::string_view text) { services.ui->messageBox(kAppTitle, text); };
    auto failedToResume = [&] { tell(ui::loadResString(ui::StringId::LoadSavedGameFailed)); };
    // Reading the record takes it before anything is restored, so a game that cannot be restored
    // is not offered again, and no game is resumed that is not marked taken.
    persistence::SavedGame saved;
    switch (records->loadSavedGame(saved)) {
        case persistence::SavedGameStatus::Loaded: break;
        case persistence::SavedGameStatus::NotTaken: tell(ui::loadResString(ui::StringId::SavedGameNotTaken)); return;
        case persistence::SavedGameStatus::NotWaiting:
            tell(ui::loadResString(ui::StringId::SavedGameTakenElsewhere));
            return;
        default: failedToResume(); return;
    }
    // The game is resumed in its own language, with that language's dictionary.
    if (saved.language != game.language() && !useLanguage(saved.language)) return;
    // A record whose words are not words of the rebuilt puzzle leaves everything as it was.
    persistence::SolvingData solving = settings.solvingData;
    if (!session->resumeSaved([&](GameData& g) { persistence::applySavedGame(saved, g, solving); })) {
        failedToResume();
        return;
    }
    settings.solvingData = solving;
}

}  // namespace game
