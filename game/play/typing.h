// Typing a word on the board: the chain that spells what the chain spells now followed by a typed
// letter, found among every path of the board. Rules only; the session applies and reports it.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "game/play/game_data.h"

namespace game::typing {

// True for the characters a player types onto a board: A to Z in either case and the accented
// Latin letters, which play letters in every language (letters::boardLetters).
bool isTypedLetter(char32_t ch);

// The chain (1-based cells) after typing a character onto the current chain: a path that spells the
// chain's letters followed by the board letters the character plays in the board's language (é
// plays e in French, ä plays ä in German and a in French, ß plays s then s; either case), no cell
// twice, each cell a neighbour of the one before, at most kMaxWordLen letters. Of all such paths, the one that keeps the longest start
// of the current chain: the current chain itself, extended, whenever it can take the letter; among
// equals the first in board order (start cells by index, then the neighbour steps in table order).
// nullopt when no path can take the letter: the chain stays as it is.
std::optional<std::vector<int>> chainAfterTyping(const GameData& g, char32_t letter);

// Makes cells the chain: curPath, curWordLen and cellSelected, nothing else.
void setChain(GameData& g, std::span<const int> cells);

}  // namespace game::typing
