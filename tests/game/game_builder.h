// Builds a game for a test through GameData's own operations: a board, its solution words, the
// words found, the chain and the counters. Given a game, it changes that one (a game under way in a
// window fixture): `w.game = GameBuilder(w.game).levelScore(10).build();`.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game/play/game_data.h"
#include "game/play/rules.h"

namespace game::testing {

class GameBuilder {
public:
    GameBuilder() = default;
    explicit GameBuilder(GameData game) : g_(std::move(game)) {}

    // A board of width x height cells with these letters, row by row (fewer letters: the other
    // cells keep 0).
    GameBuilder& board(std::string_view letters, int width, int height) {
        g_.setBoard(width, height);
        return this->letters(letters);
    }
    // The letters of the board, from its first cell on.
    GameBuilder& letters(std::string_view letters) {
        g_.setLetters(std::vector<std::uint8_t>(letters.begin(), letters.end()));
        return *this;
    }
    // One cell's letter.
    GameBuilder& letter(int cell, std::uint8_t letter) {
        std::vector<std::uint8_t> all = g_.gridLetters().raw();
        all.at(static_cast<std::size_t>(cell - 1)) = letter;
        g_.setLetters(all);
        return *this;
    }

    // Solution words, each added to the list of its length without a path; the target stays.
    GameBuilder& words(std::initializer_list<std::string> words) {
        for (const std::string& word : words) solution(word, {});
        return *this;
    }
    // A solution word with the 1-based cells of its path; it adds its points to the target when
    // withPoints.
    GameBuilder& solution(const std::string& word, const std::vector<int>& cells, bool withPoints = false) {
        return listed(static_cast<int>(word.size()), word, cells, withPoints);
    }
    // A word put in the solution list of len letters, whatever its own length.
    GameBuilder& listed(int len, const std::string& word, const std::vector<int>& cells = {}, bool withPoints = false) {
        GameData::WordLists lists = g_.wordLists();
        WordList& list = lists[len - 1];
        list.words.push_back(word);
        std::vector<std::uint8_t> path;
        for (int c : cells) path.push_back(static_cast<std::uint8_t>(c - 1));
        list.paths.push_back(path);
        const std::int32_t target = g_.targetPoints() + (withPoints ? wordPoints(len) : 0);
        g_.setSolutions(std::move(lists), target);
        return *this;
    }
    // Every solution list emptied.
    GameBuilder& noSolutions() {
        g_.setSolutions({}, g_.targetPoints());
        return *this;
    }
    GameBuilder& target(std::int32_t points) {
        g_.setSolutions(g_.wordLists(), points);
        return *this;
    }
    GameBuilder& allSolutions(std::initializer_list<std::string> words) {
        OneBased<std::string> all;
        for (const std::string& word : words) all.push_back(word);
        g_.setAllSolutionWords(std::move(all));
        return *this;
    }

    // The found words, in this order.
    GameBuilder& found(const std::vector<std::string>& words) {
        g_.restoreFoundWords(words);
        return *this;
    }

    // The chain: these cells linked in order (any chain before is unlinked).
    GameBuilder& chain(std::initializer_list<int> cells) {
        g_.clearChain();
        for (int c : cells) g_.pushCell(c);
        return *this;
    }

    GameBuilder& mode(GameMode mode) {
        return counters(mode, g_.arcadeLevel(), g_.score(), g_.levelScore(), g_.timeLeft());
    }
    GameBuilder& level(int level) {
        return counters(g_.gameMode(), static_cast<std::int16_t>(level), g_.score(), g_.levelScore(), g_.timeLeft());
    }
    GameBuilder& score(std::int32_t score) {
        return counters(g_.gameMode(), g_.arcadeLevel(), score, g_.levelScore(), g_.timeLeft());
    }
    GameBuilder& levelScore(std::int32_t levelScore) {
        return counters(g_.gameMode(), g_.arcadeLevel(), g_.score(), levelScore, g_.timeLeft());
    }
    GameBuilder& timeLeft(std::int32_t timeLeft) {
        return counters(g_.gameMode(), g_.arcadeLevel(), g_.score(), g_.levelScore(), timeLeft);
    }
    GameBuilder& qualified() {
        g_.qualifyLevel();
        return *this;
    }
    GameBuilder& seed(std::optional<int> seed) {
        g_.setPuzzleSeed(seed);
        return *this;
    }
    GameBuilder& language(letters::Language language) {
        g_.setLanguage(language);
        return *this;
    }

    GameData build() const { return g_; }

private:
    GameBuilder& counters(GameMode mode, std::int16_t level, std::int32_t score, std::int32_t levelScore,
                          std::int32_t timeLeft) {
        g_.restoreCounters(mode, level, score, levelScore, timeLeft);
        return *this;
    }

    GameData g_;
};

}  // namespace game::testing
