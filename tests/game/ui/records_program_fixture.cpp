// The headless program runs for the records tests.
#include "records_program_fixture.h"

#include <stdlib.h>

#include "frm_play_fixture.h"
#include "game/play/session.h"
#include "platform/store.h"

namespace recordstest {

void ProgramTest::SetUp() {
    std::string pattern = (std::filesystem::temp_directory_path() / "varnook-program-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    if (const char* old = getenv("XDG_CONFIG_HOME")) {
        hadXdg_ = true;
        oldXdg_ = old;
    }
    setenv("XDG_CONFIG_HOME", root_.string().c_str(), 1);
    responders[kEndCaption] = [this](platform::HeadlessWindow& w) { hp->ui.keyPress(w, platform::key::kEnter); };
}

void ProgramTest::TearDown() {
    end();
    hp.reset();
    if (hadXdg_)
        setenv("XDG_CONFIG_HOME", oldXdg_.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
}

void ProgramTest::start(const std::function<platform::Ui*(platform::HeadlessUi&)>& wrap,
                        const game::StartOptions& options) {
    end();
    hp = std::make_unique<platform::HeadlessPlatform>();
    hp->ui.setDesktopSize(desktop);
    store_ = std::make_unique<platform::FileStore>(platform::FileStore::defaultFolder());
    hp->ui.setModalHandler([this](platform::Window& w) {
        auto& hw = static_cast<platform::HeadlessWindow&>(w);
        modalsAsked.push_back(hw.caption());
        const auto it = responders.find(hw.caption());
        if (it == responders.end()) return;
        // The player reads a dialog before answering it: Enter and Esc count only after a moment.
        hp->ui.advance(game::ui::dialog::kKeySettleMs);
        it->second(hw);
    });
    platform::Services services = hp->services(store_.get());
    if (wrap) services.ui = wrap(hp->ui);
    std::string failure;
    program_ = game::Program::start(services, programFolder, &failure, options);
    ASSERT_NE(program_, nullptr) << failure;
}

void ProgramTest::closeWindow() {
    ASSERT_NE(program_, nullptr);
    hp->ui.closeBox(mainWindow());
    end();
}

void ProgramTest::end() {
    program_.reset();
    store_.reset();
}

platform::HeadlessWindow& ProgramTest::mainWindow() {
    // The caption carries the puzzle's number during a Classic game: the window is the program's.
    auto* w = program_ ? dynamic_cast<platform::HeadlessWindow*>(program_->frmPlay->window()) : nullptr;
    if (w == nullptr || !w->isOpen()) throw std::runtime_error("no main window");
    return *w;
}

void ProgramTest::pressCentre(const game::ui::BoxInfo& b) {
    hp->ui.click(mainWindow(), b.x + b.wid / 2.0, b.y + b.ht / 2.0);
}

void ProgramTest::menu(int entry) { pressCentre(frm().mmBtn(entry)); }

void ProgramTest::command(int item) { pressCentre(frm().regions().item(item)); }

void ProgramTest::startClassic(int levelRow, int seed) {
    program_->session->setFixedPuzzle(game::Session::FixedPuzzle{levelRow, seed});
    menu(1);
}

void ProgramTest::startArcade(int seed) {
    program_->session->setFixedPuzzle(game::Session::FixedPuzzle{1, seed});
    menu(2);
}

std::string ProgramTest::submit(int len, int nth) {
    const game::WordList& list = game().wordsOfLength(len);
    if (list.count() < nth) throw std::runtime_error("the puzzle has too few words of that length");
    const auto& board = frm().regions().boardBox;
    for (const auto cell : list.paths[nth]) {
        const int c = cell + 1;
        hp->ui.click(mainWindow(), board.x + game().cellX(c) * 44 + 22.0, board.y + game().cellY(c) * 44 + 22.0);
    }
    command(17);
    return list.words[nth];
}

void ProgramTest::type(platform::HeadlessWindow& w, std::u32string_view text) {
    for (const char32_t ch : text) hp->ui.keyPress(w, ch);
}

std::optional<std::vector<std::uint8_t>> ProgramTest::stored(const std::string& path, const std::string& name) {
    platform::FileStore reader(platform::FileStore::defaultFolder());
    platform::StoreKey key;
    if (reader.openKey(nullptr, path, key) != platform::StoreStatus::Success) return std::nullopt;
    std::vector<std::uint8_t> buf(1 << 16);
    const platform::QueryResult r = reader.queryValue(key, name, buf);
    if (r.status != platform::StoreStatus::Success) return std::nullopt;
    buf.resize(r.size);
    return buf;
}

void ProgramTest::putStored(const std::string& path, const std::string& name, std::vector<std::uint8_t> bytes) {
    platform::FileStore writer(platform::FileStore::defaultFolder());
    platform::StoreKey key;
    ASSERT_EQ(writer.createKey(nullptr, path, "", key), platform::StoreStatus::Success);
    ASSERT_EQ(writer.setValue(key, name, platform::ValueType::Binary, bytes), platform::StoreStatus::Success);
    ASSERT_EQ(key.close(), platform::StoreStatus::Success);
}

std::vector<std::string> ProgramTest::heard() {
    std::vector<std::string> names;
    for (const auto& path : hp->sound.played()) names.push_back(path.substr(path.find_last_of('/') + 1));
    hp->sound.clear();
    return names;
}

}  // namespace recordstest
