// The headless main window for the scripted tests.
#include "frm_play_fixture.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "game/play/linking.h"
#include "game/play/words.h"
#include "platform/library.h"
#include "ui_test_support.h"

namespace frmtest {

std::string binDir() { return std::string(VARNOOK_BIN_DIR) + "/"; }

game::EngineLibrary& engine() {
    static std::unique_ptr<game::EngineLibrary> loaded = [] {
        std::string error;
        auto e =
            game::EngineLibrary::load(binDir() + platform::SharedLibrary::fileName(game::kEngineLibraryName), &error);
        if (!e)
            ADD_FAILURE() << "engine library: " << error;
        else if (e->loadLangDict(binDir() + game::kDictionaryFileName) != 1)
            ADD_FAILURE() << "dictionary not loaded";
        return e;
    }();
    if (!loaded) throw std::runtime_error("no engine");
    return *loaded;
}

EventLog::EventLog(game::Session& session, game::SessionView& view, game::SessionFrontEnd& frontEnd)
    : session_(session), view_(view), frontEnd_(frontEnd) {
    session_.setView(this);
    session_.setFrontEnd(this);
}

EventLog::~EventLog() {
    session_.setView(&view_);
    session_.setFrontEnd(&frontEnd_);
}

void EventLog::phaseChanged(game::Phase from, game::Phase to) { view_.phaseChanged(from, to); }

void EventLog::clockChanged(bool running) {
    calls.push_back(running ? "clock on" : "clock off");
    view_.clockChanged(running);
}

void EventLog::gameReady() { view_.gameReady(); }

void EventLog::resultsReady() { view_.resultsReady(); }

void EventLog::chainChanged(std::optional<game::linking::Press> how, int cell) { view_.chainChanged(how, cell); }

void EventLog::letterRefused(char32_t letter) { view_.letterRefused(letter); }

void EventLog::wordAnswered(const game::words::Submission& answer) { view_.wordAnswered(answer); }

void EventLog::timeChanged() { view_.timeChanged(); }

void EventLog::scoreChanged() { view_.scoreChanged(); }

void EventLog::solutionShown(int id) { view_.solutionShown(id); }

void EventLog::playSound(game::Effect effect) { view_.playSound(effect); }

void EventLog::showEndingWindow(const game::EndingWindow& window) {
    if (window.step == game::EndingStep::EndDialog) {
        calls.push_back(session_.gamePlaying() ? "dialog while playing" : "dialog");
    } else {
        calls.push_back("checkIfBest");
        if (!passOffers) {
            session_.endingWindowClosed();
            return;
        }
    }
    frontEnd_.showEndingWindow(window);
}

game::SaveOutcome EventLog::saveGame() {
    calls.push_back("saveGame");
    return frontEnd_.saveGame();
}

void EventLog::exitProgram() {
    calls.push_back("exit");
    frontEnd_.exitProgram();
}

PlayWindow::PlayWindow(bool syntheticSheet, platform::Graphics* graphics) {
    platform::Graphics& g = graphics != nullptr ? *graphics : hp.graphics;
    sheet = syntheticSheet ? uitest::makeSyntheticSheet() : game::ui::initGraphics(g, binDir());
    sounds = std::make_unique<game::ui::SoundEffects>(hp.sound, binDir());
    desk = std::make_unique<game::ui::RecordsDesk>(hp.ui, g, sheet, *sounds, settings, nullptr);
    session =
        std::make_unique<game::Session>(game, engine(), [this] { return static_cast<std::uint64_t>(hp.ui.nowMs()); });
    frm = std::make_unique<game::ui::FrmPlay>(game::ui::FrmPlayContext{
        hp.ui, g, hp.shell, *session, *sounds, sheet, *desk, binDir(), nullptr, nullptr, nullptr, {}, {}});
    frm->show(0);
}

platform::HeadlessWindow& PlayWindow::win() { return static_cast<platform::HeadlessWindow&>(*frm->window()); }

const platform::PixelSurface& PlayWindow::screen() { return win().screen(); }

void PlayWindow::startClassic(int levelRow, int seed) {
    session->setFixedPuzzle(game::Session::FixedPuzzle{levelRow, seed});
    const auto& entry = frm->mmBtn(1);
    pressAt(entry.x + entry.wid / 2.0, entry.y + entry.ht / 2.0);
    hp.sound.clear();
}

std::pair<double, double> PlayWindow::centre(int cell) const {
    const auto& b = frm->regions().boardBox;
    return {b.x + game.cellX(cell) * 44 + 22.0, b.y + game.cellY(cell) * 44 + 22.0};
}

void PlayWindow::press(int cell, int button, double dx, double dy) {
    const auto [x, y] = centre(cell);
    pressAt(x + dx, y + dy, button);
}

void PlayWindow::pressAt(double x, double y, int button) { hp.ui.click(win(), x, y, button); }

void PlayWindow::move(double x, double y) { hp.ui.mouseMove(win(), 0, x, y); }

void PlayWindow::key(char32_t ch) { hp.ui.keyPress(win(), ch); }

void PlayWindow::command(int item) {
    const auto& b = frm->regions().item(item);
    pressAt(b.x + b.wid / 2.0, b.y + b.ht / 2.0);
}

std::vector<std::string> PlayWindow::heard() {
    std::vector<std::string> names;
    for (const auto& path : hp.sound.played()) names.push_back(path.substr(path.find_last_of('/') + 1));
    hp.sound.clear();
    return names;
}

std::pair<std::string, std::vector<int>> PlayWindow::solution(int len, int nth) const {
    const auto& list = game.wordsOfLength(len);
    if (list.count() < nth) throw std::runtime_error("the puzzle has too few words of that length");
    std::vector<int> cells;
    for (auto c : list.paths[nth]) cells.push_back(c + 1);
    return {list.words[nth], cells};
}

std::vector<int> PlayWindow::nonWord() const {
    for (int a = 1; a <= game.numCells(); ++a)
        for (int b = 1; b <= game.numCells(); ++b)
            for (int c = 1; c <= game.numCells(); ++c) {
                if (a == c || !game::linking::adjacent(game, a, b) || !game::linking::adjacent(game, b, c)) continue;
                std::string w;
                for (int cell : {a, b, c}) w += static_cast<char>(game.gridLetters()[cell] - 'a' + 'A');
                if (!game::words::isSolutionWord(game, w)) return {a, b, c};
            }
    throw std::runtime_error("every three-letter chain is a word");
}

std::vector<int> PlayWindow::chain() const {
    std::vector<int> cells;
    for (int i = 1; i <= game.curWordLen(); ++i) cells.push_back(game.curPath()[i]);
    return cells;
}

}  // namespace frmtest
