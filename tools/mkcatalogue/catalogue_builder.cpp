// Reading, checking and compiling the translations of the game's texts.
#include "catalogue_builder.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "platform/codepage.h"

namespace mkcatalogue {

namespace {

std::string where(std::string_view file, int line) { return std::string(file) + ":" + std::to_string(line) + ": "; }

// The text of a quoted .po string ("..." with C escapes), or false when it is not one.
bool unquote(std::string_view s, std::string& out) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    if (s.size() < 2 || s.front() != '"' || s.back() != '"') return false;
    s = s.substr(1, s.size() - 2);
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') return false;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == s.size()) return false;
        switch (s[i]) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            default: return false;
        }
    }
    return true;
}

// The placeholders |1 to |4 a text holds, each once however often it occurs.
std::set<char> placeholders(std::string_view text) {
    std::set<char> found;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '|' && text[i + 1] >= '1' && text[i + 1] <= '4') found.insert(text[i + 1]);
    return found;
}

std::size_t lineBreaks(std::string_view text) {
    std::size_t n = 0;
    for (char c : text) n += c == '\n' ? 1 : 0;
    return n;
}

// A Windows-1252 text as a C++ string literal: octal escapes for every byte outside printable ASCII.
std::string literal(std::string_view text) {
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c >= 0x20 && c < 0x7F) {
            out += ch;
        } else {
            const char digits[] = {'\\', static_cast<char>('0' + (c >> 6)), static_cast<char>('0' + ((c >> 3) & 7)),
                                   static_cast<char>('0' + (c & 7))};
            out.append(digits, sizeof digits);
        }
    }
    return out + "\"";
}

std::string poString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            default: out += c;
        }
    }
    return out + "\"";
}

}  // namespace

std::vector<PoEntry> parsePo(std::string_view text, std::string_view file, std::vector<std::string>& errors) {
    std::vector<PoEntry> entries;
    PoEntry entry;
    bool open = false;            // an entry has begun
    bool haveId = false;          // and has its msgid
    std::string* last = nullptr;  // the string a continuation line extends
    bool fuzzy = false;           // the comments before the next entry mark it fuzzy
    int lineNo = 0;
    auto finish = [&] {
        if (open && !entry.id.empty()) entries.push_back(entry);
        entry = PoEntry{};
        open = haveId = false;
        last = nullptr;
    };
    auto start = [&] {
        finish();
        open = true;
        entry.line = lineNo;
        entry.fuzzy = std::exchange(fuzzy, false);
    };
    for (std::size_t from = 0; from < text.size();) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(from, end - from);
        from = end + 1;
        ++lineNo;
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
            line.remove_suffix(1);
        if (line.empty()) continue;
        if (line.front() == '#') {
            if (line.starts_with("#,") && line.find("fuzzy") != std::string_view::npos) fuzzy = true;
            continue;
        }
        std::string* field = nullptr;
        std::string_view rest;
        if (line.starts_with("msgctxt ")) {
            start();
            field = &entry.context;
            rest = line.substr(8);
        } else if (line.starts_with("msgid ")) {
            if (!open || haveId) start();
            haveId = true;
            field = &entry.id;
            rest = line.substr(6);
        } else if (line.starts_with("msgstr ") && haveId) {
            field = &entry.translation;
            rest = line.substr(7);
        } else if (line.front() == '"' && last != nullptr) {
            field = last;
            rest = line;
        } else {
            errors.push_back(where(file, lineNo) + "not a line of a .po file here: " + std::string(line));
            continue;
        }
        if (!unquote(rest, *field)) errors.push_back(where(file, lineNo) + "not a quoted string: " + std::string(rest));
        last = field;
    }
    finish();
    return entries;
}

bool toWindows1252(std::string_view utf8, std::string& out) {
    for (const char32_t c : platform::codepage::fromUtf8(utf8)) {
        // ASCII as it is, the line breaks of the texts included; a malformed sequence is U+FFFD,
        // which the code page has not.
        const std::optional<char> byte =
            c < 0x80 ? std::optional(static_cast<char>(c)) : platform::codepage::fromCodePoint(c);
        if (!byte) return false;
        out += *byte;
    }
    return true;
}

Language checkLanguage(std::string code, std::span<const PoEntry> entries, std::span<const EnglishText> english,
                       std::string_view file, std::vector<std::string>& errors) {
    Language language{std::move(code), std::vector<std::string>(english.size())};
    std::map<std::string_view, std::size_t> index;
    for (std::size_t i = 0; i < english.size(); ++i) index.emplace(english[i].name, i);
    std::set<std::string> seen;
    for (const PoEntry& e : entries) {
        const std::string at = where(file, e.line);
        const auto it = index.find(e.context);
        if (it == index.end()) {
            errors.push_back(at + "no English text is named '" + e.context + "'");
            continue;
        }
        if (!seen.insert(e.context).second) {
            errors.push_back(at + "'" + e.context + "' is given twice");
            continue;
        }
        const EnglishText& en = english[it->second];
        if (e.id != en.text) {
            errors.push_back(at + "the English text of '" + e.context + "' is now " + poString(en.text) +
                             ": translate it again");
            continue;
        }
        if (e.translation.empty() || e.fuzzy) continue;  // shown in English
        std::string bytes;
        if (!toWindows1252(e.translation, bytes)) {
            errors.push_back(at + "'" + e.context + "' has a character that Windows-1252 does not have");
            continue;
        }
        if (placeholders(bytes) != placeholders(en.text))
            errors.push_back(at + "'" + e.context + "' has other placeholders than its English text");
        else if (lineBreaks(bytes) != lineBreaks(en.text))
            errors.push_back(at + "'" + e.context + "' has " + std::to_string(lineBreaks(bytes)) +
                             " line breaks, its English text " + std::to_string(lineBreaks(en.text)));
        else
            language.texts[it->second] = std::move(bytes);
    }
    for (const EnglishText& en : english)
        if (!seen.contains(std::string(en.name)))
            errors.push_back(std::string(file) + ": no entry for '" + std::string(en.name) + "' (" + poString(en.text) +
                             ")");
    return language;
}

std::string catalogueSource(std::span<const Language> languages, std::size_t textCount) {
    std::string out =
        "// Made by mkcatalogue from assets/lang/*.po: every language's texts in the English table's order,\n"
        "// Windows-1252; an empty text is shown in English.\n"
        "#include \"game/ui/catalogue.h\"\n\n"
        "#include \"game/ui/strings.h\"\n\n"
        "namespace game::ui {\n\nnamespace {\n\n";
    out += "constexpr std::size_t kTextCount = " + std::to_string(textCount) + ";\n";
    out += "static_assert(std::size(kStringTable) == kTextCount, \"the catalogues were made for another table\");\n\n";
    for (const Language& l : languages) {
        out += "constexpr std::string_view k_" + l.code + "[kTextCount] = {\n";
        for (const std::string& t : l.texts) out += "    " + literal(t) + ",\n";
        out += "};\n\n";
    }
    out += "constexpr Catalogue kCatalogues[] = {\n";
    for (const Language& l : languages) out += "    {\"" + l.code + "\", k_" + l.code + "},\n";
    out += "};\n\n}  // namespace\n\nstd::span<const Catalogue> catalogues() { return kCatalogues; }\n\n";
    out += "}  // namespace game::ui\n";
    return out;
}

std::string poTemplate(std::span<const EnglishText> english) {
    std::string out = "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n";
    for (const EnglishText& e : english)
        out += "\nmsgctxt " + poString(e.name) + "\nmsgid " + poString(e.text) + "\nmsgstr \"\"\n";
    return out;
}

}  // namespace mkcatalogue
