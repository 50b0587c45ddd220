// The whole program started headlessly, as main() starts it but on the headless back end, with its
// settings store in a temporary XDG_CONFIG_HOME: several runs on the same store, answers for the
// modal windows by caption, and presses on the menu, the side panel and the board.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frm_play_fixture.h"
#include "game/app/program.h"
#include "game/play/session.h"
#include "game/ui/frm_play.h"
#include "platform/headless.h"
#include "platform/store/file_store.h"

namespace recordstest {

// Captions of the windows the tests answer.
inline const std::string kMainCaption = "Varnook";
inline const std::string kNameCaption = "Best Score";
inline const std::string kTableCaption = "Best Scores - Varnook";
inline const std::string kQuestionCaption = "Do you want to exit";
inline const std::string kEndCaption = "Game Statistics";

using frmtest::kRow4x4;
using frmtest::kSeed;

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program on the store folder with a fresh headless platform. wrap, when given, makes
    // the Ui the program gets from the headless one (it must forward to it and outlive the program).
    void start(const std::function<platform::Ui*(platform::HeadlessUi&)>& wrap = {},
               const game::StartOptions& options = {});
    // The main window's close box: the unload handler runs, then the program is gone.
    void closeWindow();
    // Drops the program and its store without closing the window (as when it is killed).
    void end();

    game::Program& program() { return *program_; }
    game::ui::FrmPlay& frm() { return *program_->frmPlay; }
    game::Session& session() { return *program_->session; }
    game::GameData& game() { return program_->game; }
    platform::HeadlessWindow& mainWindow();
    platform::HeadlessUi& ui() { return hp->ui; }

    // Presses at the centre of a main-menu entry, a side-panel item, a region.
    void menu(int entry);
    void command(int item);
    void pressCentre(const game::ui::BoxInfo& b);
    void startClassic(int levelRow = kRow4x4, int seed = kSeed);
    void startArcade(int seed = kSeed);
    // Links the nth solution word of len letters and presses "Enter"; returns the word.
    std::string submit(int len, int nth = 1);

    // Answers by caption for modal windows; a modal window without one is closed unattended.
    std::map<std::string, std::function<void(platform::HeadlessWindow&)>> responders;
    // Captions of the modal windows in the order they asked for input.
    std::vector<std::string> modalsAsked;
    void type(platform::HeadlessWindow& w, std::u32string_view text);

    // Reads a value of the stored file through a fresh store (nullopt when missing).
    std::optional<std::vector<std::uint8_t>> stored(const std::string& path, const std::string& name);
    void putStored(const std::string& path, const std::string& name, std::vector<std::uint8_t> bytes);
    // File names (no folder) of the sounds played since the last call.
    std::vector<std::string> heard();

    // The desktop the next start() finds, and the program folder it starts from.
    platform::Size desktop{1920, 1080};
    std::string programFolder = frmtest::binDir();

    std::filesystem::path root_;
    std::string oldXdg_;
    bool hadXdg_ = false;
    std::unique_ptr<platform::HeadlessPlatform> hp;
    std::unique_ptr<platform::FileStore> store_;
    std::unique_ptr<game::Program> program_;
};

inline const std::string kSettingsKey = "Software\\Mirrim\\Varnook\\1.0";
inline const std::string kSaveKey = "Software\\Mirrim\\Varnook\\1.0\\SAVE";

}  // namespace recordstest
