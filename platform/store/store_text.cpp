// The store file's text form. One section per key, one line per value:
//
//   varnook-store 1
//   [Software\Mirrim\Varnook\1.0]
//   @class="USERDATA"
//   "SOLVINGDATA"=binary:00,00,01,00
//   "STATS11"=string:"Anononymous\0"
//   end
//
// Strings keep their exact bytes: printable ASCII as is, "\"" and "\\" escaped, a zero byte as \0 and
// every other byte as \xHH. The closing "end" line makes a cut-off file detectable. The file may be
// edited by hand, so each line is read on its own: one that cannot be read is dropped and reported,
// and everything else is kept.
#include "store_text.h"

#include <algorithm>
#include <cstdio>

namespace platform::store_text {
namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

constexpr char kHex[] = "0123456789abcdef";

// Why a line was dropped, in words the player can act on.
constexpr std::string_view kOutsideKey = "a value or class line before any [key] line";
constexpr std::string_view kBadKeyLine = "a [key] line that does not hold a valid key path";
constexpr std::string_view kInDroppedKey = "a line of a section whose [key] line was dropped";
constexpr std::string_view kBadClass = "a class line that is not @class=\"...\"";
constexpr std::string_view kSecondClass = "a second class line for the same key";
constexpr std::string_view kBadName = "a value line that does not start with a valid quoted name";
constexpr std::string_view kNoType = "a value line without =type: after its name";
constexpr std::string_view kUnknownType = "a value of an unknown type (binary, dword and string are known)";
constexpr std::string_view kBadBinary = "a binary value that is not a comma-separated list of two-digit hex bytes";
constexpr std::string_view kBadDword = "a dword value that is not eight hex digits";
constexpr std::string_view kBadString =
    "a string value that is not one quoted text of printable ASCII with \\\" \\\\ \\0 \\xHH escapes";
constexpr std::string_view kSecondValue = "a second value of the same name in one key";
constexpr std::string_view kAfterEnd = "a line after the end line";
constexpr std::string_view kCutOff = "a last line cut off before its line end (and no end line)";
constexpr std::string_view kUnknownLine = "a line of no known kind";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

void skipBlanks(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
}

void appendHexByte(std::string& out, std::uint8_t b) {
    out += kHex[b >> 4];
    out += kHex[b & 0x0f];
}

// Reads a quoted, escaped string starting at text[pos] == '"'. On success pos is past the closing
// quote.
bool parseQuoted(std::string_view text, std::size_t& pos, std::string& out, std::size_t maxLength) {
    if (pos >= text.size() || text[pos] != '"') return false;
    ++pos;
    out.clear();
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c == '"') return true;
        if (out.size() >= maxLength) return false;
        if (c != '\\') {
            if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) return false;
            out += c;
            continue;
        }
        if (pos >= text.size()) return false;
        const char e = text[pos++];
        if (e == '\\' || e == '"') {
            out += e;
        } else if (e == '0') {
            out += '\0';
        } else if (e == 'x') {
            if (pos + 2 > text.size()) return false;
            const int hi = hexDigit(text[pos]);
            const int lo = hexDigit(text[pos + 1]);
            if (hi < 0 || lo < 0) return false;
            out += static_cast<char>(hi * 16 + lo);
            pos += 2;
        } else {
            return false;
        }
    }
    return false;  // no closing quote
}

void appendQuoted(std::string& out, std::string_view bytes) {
    out += '"';
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b == 0) {
            out += "\\0";
        } else if (b < 0x20 || b >= 0x7f) {
            out += "\\x";
            appendHexByte(out, b);
        } else {
            out += c;
        }
    }
    out += '"';
}

// Two-digit hex bytes separated by commas, blanks allowed around the commas; the text is trimmed.
bool parseBinary(std::string_view text, std::vector<std::uint8_t>& data) {
    data.clear();
    if (text.empty()) return true;
    std::size_t pos = 0;
    while (true) {
        if (pos + 2 > text.size()) return false;
        const int hi = hexDigit(text[pos]);
        const int lo = hexDigit(text[pos + 1]);
        if (hi < 0 || lo < 0) return false;
        if (data.size() >= store_limits::kMaxValueSize) return false;
        data.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
        pos += 2;
        skipBlanks(text, pos);
        if (pos == text.size()) return true;
        if (text[pos] != ',') return false;
        ++pos;
        skipBlanks(text, pos);
    }
}

bool parseDword(std::string_view text, std::vector<std::uint8_t>& data) {
    if (text.size() != 8) return false;
    std::uint32_t v = 0;
    for (const char c : text) {
        const int d = hexDigit(c);
        if (d < 0) return false;
        v = v * 16 + static_cast<std::uint32_t>(d);
    }
    data = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
            static_cast<std::uint8_t>(v >> 24)};
    return true;
}

// One value line, "name"=type:data, added to key. Returns why it cannot be read, or empty.
std::string_view parseValueLine(std::string_view line, Key& key) {
    std::size_t pos = 0;
    std::string name;
    if (!parseQuoted(line, pos, name, store_limits::kMaxValueNameLength) || !isValidValueName(name)) return kBadName;
    skipBlanks(line, pos);
    if (pos >= line.size() || line[pos] != '=') return kNoType;
    const std::string_view rest = line.substr(pos + 1);
    const std::size_t colon = rest.find(':');
    if (colon == std::string_view::npos) return kNoType;
    const std::string_view type = trimBlanks(rest.substr(0, colon));
    const std::string_view body = trimBlanks(rest.substr(colon + 1));
    std::vector<std::uint8_t> data;
    ValueType valueType;
    if (type == "binary") {
        valueType = ValueType::Binary;
        if (!parseBinary(body, data)) return kBadBinary;
    } else if (type == "dword") {
        valueType = ValueType::Dword;
        if (!parseDword(body, data)) return kBadDword;
    } else if (type == "string") {
        valueType = ValueType::String;
        std::size_t at = 0;
        std::string bytes;
        if (!parseQuoted(body, at, bytes, store_limits::kMaxValueSize) || at != body.size()) return kBadString;
        data.assign(bytes.begin(), bytes.end());
    } else {
        return kUnknownType;
    }
    // Which of two values of one name was meant cannot be told; the first one stays.
    if (key.findValue(name) != nullptr) return kSecondValue;
    key.values.push_back(Value{std::move(name), valueType, std::move(data)});
    return {};
}

// A class line, @class="text"; false when it cannot be read.
bool parseClassLine(std::string_view line, std::string& keyClass) {
    constexpr std::string_view kClassWord = "@class";
    if (!line.starts_with(kClassWord)) return false;
    std::size_t pos = kClassWord.size();
    skipBlanks(line, pos);
    if (pos >= line.size() || line[pos] != '=') return false;
    ++pos;
    skipBlanks(line, pos);
    return parseQuoted(line, pos, keyClass, store_limits::kMaxClassLength) && pos == line.size() &&
           isValidClass(keyClass);
}

}  // namespace

std::string foldName(std::string_view name) {
    std::string out(name);
    std::transform(out.begin(), out.end(), out.begin(), lowerAscii);
    return out;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

bool isValidKeyName(std::string_view name) {
    if (name.empty() || name.size() > store_limits::kMaxKeyNameLength) return false;
    return std::all_of(name.begin(), name.end(), [](char c) { return c >= 0x20 && c <= 0x7e && c != '\\'; });
}

bool isValidKeyPath(std::string_view path) {
    std::size_t depth = 0;
    while (true) {
        const std::size_t slash = path.find('\\');
        if (!isValidKeyName(path.substr(0, slash))) return false;
        if (++depth > store_limits::kMaxKeyDepth) return false;
        if (slash == std::string_view::npos) return true;
        path.remove_prefix(slash + 1);
    }
}

bool isValidValueName(std::string_view name) {
    return name.size() <= store_limits::kMaxValueNameLength && name.find('\0') == std::string_view::npos;
}

bool isValidClass(std::string_view keyClass) {
    return keyClass.size() <= store_limits::kMaxClassLength && keyClass.find('\0') == std::string_view::npos;
}

bool isKnownType(ValueType type) {
    return type == ValueType::String || type == ValueType::Binary || type == ValueType::Dword;
}

Value* Key::findValue(std::string_view name) {
    for (Value& v : values)
        if (sameName(v.name, name)) return &v;
    return nullptr;
}

const Value* Key::findValue(std::string_view name) const {
    for (const Value& v : values)
        if (sameName(v.name, name)) return &v;
    return nullptr;
}

void Key::setValue(std::string_view name, ValueType type, std::vector<std::uint8_t> data) {
    if (Value* v = findValue(name)) {
        v->type = type;
        v->data = std::move(data);
        return;
    }
    values.push_back(Value{std::string(name), type, std::move(data)});
}

Key* Hive::find(std::string_view path) {
    const auto it = index_.find(foldName(path));
    return it == index_.end() ? nullptr : &keys_[it->second];
}

const Key* Hive::find(std::string_view path) const {
    const auto it = index_.find(foldName(path));
    return it == index_.end() ? nullptr : &keys_[it->second];
}

QueryResult Hive::query(std::string_view path, std::string_view name, std::span<std::uint8_t> buffer) const {
    const Key* key = find(path);
    const Value* value = key != nullptr ? key->findValue(name) : nullptr;
    if (value == nullptr) return {StoreStatus::NotFound, ValueType::Binary, 0};
    const auto size = static_cast<std::uint32_t>(value->data.size());
    if (buffer.data() == nullptr) return {StoreStatus::Success, value->type, size};
    if (value->data.size() > buffer.size()) return {StoreStatus::MoreData, value->type, size};
    std::copy(value->data.begin(), value->data.end(), buffer.begin());
    return {StoreStatus::Success, value->type, size};
}

Key& Hive::create(std::string_view path, std::string_view keyClass, bool* created) {
    // Keys above the requested one first, so that the file lists parents before children.
    for (std::size_t slash = path.find('\\'); slash != std::string_view::npos; slash = path.find('\\', slash + 1)) {
        const std::string_view above = path.substr(0, slash);
        if (find(above) == nullptr) {
            index_.emplace(foldName(above), keys_.size());
            keys_.push_back(Key{std::string(above), {}, {}});
        }
    }
    if (Key* existing = find(path)) {
        if (created) *created = false;
        return *existing;
    }
    if (created) *created = true;
    index_.emplace(foldName(path), keys_.size());
    keys_.push_back(Key{std::string(path), std::string(keyClass), {}});
    return keys_.back();
}

std::optional<ParseResult> parse(std::string_view text) {
    if (text.size() > kMaxFileSize) return std::nullopt;
    // A byte-order mark, as some editors add when saving.
    constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());

    ParseResult result;
    std::map<std::string, bool> classRead;  // folded path -> a class line was read for the key
    std::string currentPath;
    enum class Section { None, Key, Dropped } section = Section::None;
    bool signatureRead = false;
    std::size_t linesRead = 0;  // key, class and value lines taken in
    std::size_t number = 0;

    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        const bool terminated = nl != std::string_view::npos;
        std::string_view raw = text.substr(0, nl);
        text = terminated ? text.substr(nl + 1) : std::string_view{};
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        const std::string_view line = trimBlanks(raw);
        auto drop = [&](std::string_view reason) { result.dropped.push_back({number, reason, std::string(raw)}); };

        if (line.empty() || line.front() == ';') continue;
        if (!signatureRead) {
            // Without its signature the text is some other file, which must not be written over.
            if (line != kSignature) return std::nullopt;
            signatureRead = true;
            continue;
        }
        if (result.ended) {
            drop(kAfterEnd);
            continue;
        }
        if (line == kEndLine) {
            result.ended = true;
            continue;
        }
        // The writer ends every line, so an unended last line before any end line was cut short.
        if (!terminated) {
            drop(kCutOff);
            continue;
        }
        if (line.front() == '[') {
            const std::string_view path =
                line.size() >= 3 && line.back() == ']' ? line.substr(1, line.size() - 2) : std::string_view{};
            if (!isValidKeyPath(path)) {
                // The lines below belong to a key that cannot be told: they go with it.
                drop(kBadKeyLine);
                section = Section::Dropped;
                continue;
            }
            // A key named twice gets the lines of both sections.
            result.hive.create(path, {});
            currentPath = path;
            section = Section::Key;
            ++linesRead;
            continue;
        }
        if (line.front() != '@' && line.front() != '"') {
            drop(kUnknownLine);
            continue;
        }
        if (section != Section::Key) {
            drop(section == Section::None ? kOutsideKey : kInDroppedKey);
            continue;
        }
        Key* key = result.hive.find(currentPath);
        if (line.front() == '@') {
            std::string keyClass;
            if (!parseClassLine(line, keyClass)) {
                drop(kBadClass);
                continue;
            }
            bool& read = classRead[foldName(currentPath)];
            if (read) {
                drop(kSecondClass);
                continue;
            }
            read = true;
            key->keyClass = std::move(keyClass);
            ++linesRead;
            continue;
        }
        if (const std::string_view reason = parseValueLine(line, *key); !reason.empty()) {
            drop(reason);
            continue;
        }
        ++linesRead;
    }
    if (!signatureRead) return std::nullopt;
    // Damage and nothing else: keep the file whole rather than replace it with an empty store.
    if (linesRead == 0 && !result.dropped.empty()) return std::nullopt;
    return result;
}

std::string format(const Hive& hive) {
    std::string out;
    out += kSignature;
    out += "\n; Varnook's settings and saved game. Written by the game; edit only while it is not running.\n";
    for (const Key& key : hive.keys()) {
        out += "\n[";
        out += key.path;
        out += "]\n@class=";
        appendQuoted(out, key.keyClass);
        out += '\n';
        for (const Value& v : key.values) {
            appendQuoted(out, v.name);
            if (v.type == ValueType::Dword && v.data.size() == 4) {
                const std::uint32_t d =
                    v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) | (static_cast<std::uint32_t>(v.data[3]) << 24);
                char buf[16];
                std::snprintf(buf, sizeof buf, "%08x", d);
                out += "=dword:";
                out += buf;
            } else if (v.type == ValueType::String) {
                out += "=string:";
                appendQuoted(out, std::string_view(reinterpret_cast<const char*>(v.data.data()), v.data.size()));
            } else {
                out += "=binary:";
                for (std::size_t i = 0; i < v.data.size(); ++i) {
                    if (i > 0) out += ',';
                    appendHexByte(out, v.data[i]);
                }
            }
            out += '\n';
        }
    }
    out += '\n';
    out += kEndLine;
    out += '\n';
    return out;
}

}  // namespace platform::store_text
