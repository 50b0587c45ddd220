// A Classic puzzle's number, "WxH-SEED": the board's columns and rows and the seed its letters were
// made from, which with the language's dictionary is all it takes to make the same board again. A
// board of another language than English names it first: "fr-5x4-1234".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "game/play/letters.h"

namespace game {

struct PuzzleNumber {
    int width = 0;
    int height = 0;
    int seed = 0;
    letters::Language language = letters::Language::English;
    friend bool operator==(const PuzzleNumber&, const PuzzleNumber&) = default;
};

// True for the board sizes Classic Mode plays (those of level-table rows 1 to 9).
bool isClassicBoard(int width, int height);
// "6x6, 6x5, 5x5, 6x4, 5x4, 4x4": Classic's sizes, largest first, for messages.
std::string classicBoardSizes();

// "5x4-1234", or "fr-5x4-1234" for a board of another language than English.
std::string puzzleNumberText(const PuzzleNumber& number);

// Why a text is no puzzle number: what is wrong, and the two things an explanation names.
struct PuzzleNumberRefusal {
    enum class Kind {
        UnknownLanguage,  // subject: the code given; allowed: the codes Varnook plays
        NotANumber,       // subject: the text after any language code
        NotAClassicSize,  // subject: the size given ("3x3"); allowed: classicBoardSizes()
        SeedOutOfRange,   // subject: the seed given; allowed: kMaxPuzzleSeed
    };
    Kind kind = Kind::NotANumber;
    std::string subject;
    std::string allowed;
};

// Reads "WxH-SEED" (the x in either case), after the code of a language Varnook plays and "-" when
// the board is not English ("en-" may stand too): one of Classic's board sizes and a seed from 0 to
// kMaxPuzzleSeed, in decimal digits. nullopt otherwise, with what is wrong in *why when asked; the
// interface words it in the player's language.
std::optional<PuzzleNumber> parsePuzzleNumber(std::string_view text, PuzzleNumberRefusal* why = nullptr);

}  // namespace game
