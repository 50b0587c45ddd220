// The translations of the game's texts, compiled into the game by mkcatalogue (tools/) from
// assets/lang/<code>.po: one catalogue per language, its texts in the English table's order.
#pragma once

#include <span>
#include <string_view>

namespace game::ui {

struct Catalogue {
    std::string_view code;                    // "fr"
    std::span<const std::string_view> texts;  // Windows-1252; an empty text is shown in English
};

std::span<const Catalogue> catalogues();

}  // namespace game::ui
