// Puzzle numbers written and read, checked against Classic's board sizes and the seed range.
#include "game/play/puzzle_number.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "game/play/rules.h"

namespace game {

namespace {

// A whole number of at most maxDigits decimal digits, nothing else.
std::optional<int> digits(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<PuzzleNumber> refuse(PuzzleNumberRefusal* why, PuzzleNumberRefusal::Kind kind, std::string subject,
                                   std::string allowed = {}) {
    if (why) *why = PuzzleNumberRefusal{kind, std::move(subject), std::move(allowed)};
    return std::nullopt;
}

}  // namespace

bool isClassicBoard(int width, int height) {
    return std::any_of(kLevels.begin(), kLevels.begin() + kClassicRows,
                       [&](const Level& l) { return l.width == width && l.height == height; });
}

std::string classicBoardSizes() {
    std::vector<std::string> sizes;
    for (int row = 1; row <= kClassicRows; ++row) {
        const std::string size = std::to_string(level(row).width) + "x" + std::to_string(level(row).height);
        if (std::find(sizes.begin(), sizes.end(), size) == sizes.end()) sizes.push_back(size);
    }
    std::string text;
    for (const std::string& size : sizes) text += (text.empty() ? "" : ", ") + size;
    return text;
}

std::string puzzleNumberText(const PuzzleNumber& number) {
    const std::string language =
        number.language == letters::Language::English ? "" : std::string(letters::info(number.language).code) + "-";
    return language + std::to_string(number.width) + "x" + std::to_string(number.height) + "-" + std::to_string(number.seed);
}

std::optional<PuzzleNumber> parsePuzzleNumber(std::string_view text, PuzzleNumberRefusal* why) {
    // A language's code first: letters only before the first "-" (a board size has digits).
    auto language = letters::Language::English;
    const std::size_t prefixEnd = text.find('-');
    const auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    if (prefixEnd != std::string_view::npos && prefixEnd > 0 &&
        std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(prefixEnd), isLetter)) {
        const auto named = letters::fromCode(text.substr(0, prefixEnd));
        if (!named) {
            std::string codes;
            for (const auto& l : letters::kLanguages) codes += (codes.empty() ? "" : ", ") + std::string(l.code);
            return refuse(why, PuzzleNumberRefusal::Kind::UnknownLanguage, std::string(text.substr(0, prefixEnd)), codes);
        }
        language = *named;
        text.remove_prefix(prefixEnd + 1);
    }
    const std::size_t x = text.find_first_of("xX");
    const std::size_t dash = text.find('-');
    if (x == std::string_view::npos || dash == std::string_view::npos || dash < x)
        return refuse(why, PuzzleNumberRefusal::Kind::NotANumber, std::string(text));
    const auto width = digits(text.substr(0, x), 2);
    const auto height = digits(text.substr(x + 1, dash - x - 1), 2);
    const auto seed = digits(text.substr(dash + 1), 5);
    if (!width || !height || !seed)
        return refuse(why, PuzzleNumberRefusal::Kind::NotANumber, std::string(text));
    if (!isClassicBoard(*width, *height))
        return refuse(why, PuzzleNumberRefusal::Kind::NotAClassicSize,
                      std::to_string(*width) + "x" + std::to_string(*height), classicBoardSizes());
    if (*seed > kMaxPuzzleSeed)
        return refuse(why, PuzzleNumberRefusal::Kind::SeedOutOfRange, std::to_string(*seed),
                      std::to_string(kMaxPuzzleSeed));
    return PuzzleNumber{*width, *height, *seed, language};
}

}  // namespace game
