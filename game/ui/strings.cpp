// String-table lookup in the language of the texts, and placeholder filling.
#include "game/ui/strings.h"

#include "game/ui/catalogue.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace game::ui {

namespace {

std::string formatDouble(double v) {
    if (v == 0.0) {
        return "0";  // also for -0
    }
    if (!std::isfinite(v)) {
        return std::isnan(v) ? "NaN" : (v < 0 ? "-Infinity" : "Infinity");
    }
    // Fifteen significant digits, written in fixed notation with the trailing zeros removed.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    const int decimals = std::max(0, 14 - exponent);
    std::array<char, 512> buf{};
#if defined(__cpp_lib_to_chars)
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, decimals);
    if (ec != std::errc{}) {
        return "0";
    }
    std::string s(buf.data(), end);
#else
    // A library without std::to_chars for floating point: printf's fixed notation, exactly rounded too.
    const int length = std::snprintf(buf.data(), buf.size(), "%.*f", decimals, v);
    if (length < 0 || static_cast<std::size_t>(length) >= buf.size()) {
        return "0";
    }
    std::string s(buf.data(), static_cast<std::size_t>(length));
#endif
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') {
            s.pop_back();
        }
        if (s.back() == '.') {
            s.pop_back();
        }
    }
    return s == "-0" ? "0" : s;
}

// The catalogue the texts are shown from; none for English.
const Catalogue* shown = nullptr;

// The text of the table's entry at index in the shown language, else in English.
std::string_view textAt(std::size_t index) {
    if (shown != nullptr && index < shown->texts.size() && !shown->texts[index].empty()) return shown->texts[index];
    return kStringTable[index].text;
}

}  // namespace

std::string_view loadResString(StringId id) {
    for (std::size_t i = 0; i < std::size(kStringTable); ++i)
        if (kStringTable[i].id == id) return textAt(i);
    return {};
}

void setTextLanguage(std::string_view code) {
    shown = nullptr;
    for (const Catalogue& c : catalogues())
        if (c.code == code) shown = &c;
}

std::string_view textLanguage() { return shown != nullptr ? shown->code : "en"; }

std::string_view translate(std::string_view english) {
    for (std::size_t i = 0; i < std::size(kStringTable); ++i)
        if (kStringTable[i].text == english) return textAt(i);
    return english;
}

std::string ResArg::toString() const {
    if (const auto* i = std::get_if<long long>(&value_)) {
        return std::to_string(*i);
    }
    if (const auto* d = std::get_if<double>(&value_)) {
        return formatDouble(*d);
    }
    return std::get<std::string>(value_);
}

std::string fillPlaceholders(std::string text, std::span<const ResArg> args) {
    std::string value;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const std::string key = args[i].toString();
        if (i + 1 < args.size()) {
            value = args[i + 1].toString();
        }
        if (key.empty()) {
            continue;  // an empty key would match forever
        }
        if (value.find(key) != std::string::npos) {
            // Replacing from the start again would never end; replace each occurrence once.
            std::string out;
            std::size_t from = 0;
            for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, from)) {
                out.append(text, from, at - from).append(value);
                from = at + key.size();
            }
            text = out.append(text, from);
            continue;
        }
        for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key)) {
            text.replace(at, key.size(), value);
        }
    }
    return text;
}

std::string formatResString(StringId id, std::span<const ResArg> args) {
    return fillPlaceholders(std::string(loadResString(id)), args);
}

std::string formatResString(StringId id, std::initializer_list<ResArg> args) {
    return formatResString(id, std::span<const ResArg>(args.begin(), args.size()));
}

}  // namespace game::ui
