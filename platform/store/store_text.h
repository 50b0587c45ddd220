// The settings store's tree of keys and values in memory, and its human-readable text form: a
// line-by-line parser that drops only the lines it cannot read (bounded, never reads past its input)
// and the writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/store.h"

namespace platform::store_text {

// First and last lines of every store file.
constexpr std::string_view kSignature = "varnook-store 1";
constexpr std::string_view kEndLine = "end";
// A larger file is not read: it cannot be one the game wrote.
constexpr std::size_t kMaxFileSize = 8u << 20;

// Names compare without regard to ASCII case, as registry names do.
std::string foldName(std::string_view name);
bool sameName(std::string_view a, std::string_view b);
// One key name: 1 to 255 printable ASCII characters, no "\".
bool isValidKeyName(std::string_view name);
// A path of valid key names joined by single "\" (at most kMaxKeyDepth of them).
bool isValidKeyPath(std::string_view path);
// Value names and class strings: bounded, no zero byte.
bool isValidValueName(std::string_view name);
bool isValidClass(std::string_view keyClass);
bool isKnownType(ValueType type);

struct Value {
    std::string name;
    ValueType type = ValueType::Binary;
    std::vector<std::uint8_t> data;
    bool operator==(const Value&) const = default;
};

struct Key {
    std::string path;
    std::string keyClass;
    std::vector<Value> values;  // in the order they were first set

    Value* findValue(std::string_view name);
    const Value* findValue(std::string_view name) const;
    // Creates or replaces a value, keeping its place in the order.
    void setValue(std::string_view name, ValueType type, std::vector<std::uint8_t> data);
    bool operator==(const Key&) const = default;
};

// Every key of the store, in the order they were created. References returned stay valid until the
// next key is created.
class Hive {
public:
    Key* find(std::string_view path);
    const Key* find(std::string_view path) const;
    // Creates the key and any missing keys above it. Only the key itself takes keyClass; keys created
    // on the way have an empty class. *created tells whether the key itself is new.
    Key& create(std::string_view path, std::string_view keyClass, bool* created = nullptr);
    // Reads a value as the store's queryValue answers: its type and size, and its bytes when buffer
    // has room (MoreData when it has not; a null buffer asks for the size alone).
    QueryResult query(std::string_view path, std::string_view name, std::span<std::uint8_t> buffer) const;
    const std::vector<Key>& keys() const { return keys_; }
    bool operator==(const Hive& other) const { return keys_ == other.keys_; }

private:
    std::vector<Key> keys_;
    std::map<std::string, std::size_t> index_;  // folded path -> position in keys_
};

// A line of a store file that could not be read and was left out.
struct DroppedLine {
    std::size_t number = 0;   // counted from 1
    std::string_view reason;  // what was wrong with it, for the player
    std::string text;         // the line as it stood (without its line end)
    bool operator==(const DroppedLine&) const = default;
};

struct ParseResult {
    Hive hive;
    std::vector<DroppedLine> dropped;  // in file order
    bool ended = false;                // the closing end line was there
    // Read whole: nothing dropped and not cut short.
    bool complete() const { return ended && dropped.empty(); }
};

// Reads a store file line by line. A line that cannot be read costs only itself (a damaged key line
// also costs the lines of its section, which belong to no known key); blanks around a line, around
// "=" and ":" and around the commas of a binary list are allowed. Without the end line, a last line
// that has no line end was cut off and is dropped too. nullopt when the text is not a store file at
// all: larger than kMaxFileSize, no signature line first, or nothing in it readable but something
// damaged.
std::optional<ParseResult> parse(std::string_view text);
// The writer's form: signature, one section per key, end line; every line is one parse reads back.
std::string format(const Hive& hive);

}  // namespace platform::store_text
