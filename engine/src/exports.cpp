// The six C exports: argument checks at the boundary, then calls into the one engine object.
// Every refused call returns 0 and writes nothing; no exception crosses the boundary.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "lang_dict.h"
#include "puzzle_engine.h"
#include "qxdll.h"

namespace {

using varnook::engine::Board;
using varnook::engine::kListCount;
using varnook::engine::kMaxCells;
using varnook::engine::LangDict;
using varnook::engine::LoadStatus;
using varnook::engine::PuzzleEngine;

#ifdef _WIN32
// Bytes in a code page as UTF-16; nothing when they are not valid there.
std::optional<std::wstring> wideFrom(const char* text, UINT codePage, DWORD flags) {
    const int n = MultiByteToWideChar(codePage, flags, text, -1, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, flags, text, -1, out.data(), n);
    out.pop_back();  // the terminating zero
    return out;
}
#endif

// The dictionary file a path names. On Windows the path is read in the ANSI code page, as callers
// have always passed it; when no file is there and the bytes are UTF-8, they are read as UTF-8, so
// that a program folder named in any script can be passed too. Elsewhere the bytes are the path.
std::filesystem::path dictionaryPath(const char* path) {
#ifdef _WIN32
    const std::filesystem::path ansi(wideFrom(path, CP_ACP, 0).value_or(std::wstring()));
    std::error_code ec;
    if (std::filesystem::exists(ansi, ec)) return ansi;
    if (auto utf8 = wideFrom(path, CP_UTF8, MB_ERR_INVALID_CHARS)) return std::filesystem::path(*utf8);
    return ansi;
#else
    return std::filesystem::path(path);
#endif
}

// Created by loadLangDict; absent before it and after a failed load.
std::unique_ptr<PuzzleEngine> theEngine;

// The board of a call, or nothing when the arguments are out of range: at least one cell, at
// most 256, at least one step (numDirs counts by its low 16 bits, as a signed number).
std::optional<Board> boardFrom(std::int32_t width, std::int32_t height, const void* grid, const std::int32_t* dirs,
                               std::int32_t numDirs) {
    const auto steps = static_cast<std::int16_t>(numDirs & 0xFFFF);
    if (grid == nullptr || dirs == nullptr || width < 1 || height < 1 || steps < 1) return std::nullopt;
    if (std::int64_t{width} * height > kMaxCells) return std::nullopt;
    return Board{width, height, std::span(dirs, 2 * static_cast<std::size_t>(steps))};
}

std::size_t cellCount(const Board& board) {
    return static_cast<std::size_t>(board.width) * static_cast<std::size_t>(board.height);
}

}  // namespace

extern "C" {

QXDLL_API int32_t loadLangDict(const char* path) {
    try {
        theEngine.reset();
        if (path == nullptr) return 0;
        std::optional<LangDict> dict;
        if (LangDict::load(dictionaryPath(path), dict) != LoadStatus::ok) return 0;
        theEngine = std::make_unique<PuzzleEngine>(std::move(*dict));
        return 1;
    } catch (...) {
        theEngine.reset();
        return 0;
    }
}

QXDLL_API int32_t makeQXPuzzleA(int32_t width, int32_t height, uint8_t* grid, const int32_t* dirs, int32_t numDirs,
                                int32_t seed) {
    try {
        if (!theEngine || !theEngine->hasLetterPool()) return 0;
        const auto board = boardFrom(width, height, grid, dirs, numDirs);
        if (!board) return 0;
        return theEngine->makePuzzle(*board, std::span(grid, cellCount(*board)), seed);
    } catch (...) {
        return 0;
    }
}

QXDLL_API int32_t qxpGetNumWordsInSize(int32_t k) { return theEngine ? theEngine->wordCount(k) : 0; }

QXDLL_API int32_t qxpGetWord(int32_t k, int32_t n, char* word, uint8_t* path) {
    if (!theEngine || word == nullptr || path == nullptr || k < 0 || k >= kListCount) return 0;
    // The caller promises k + 2 word bytes and k + 1 path bytes.
    const auto length = static_cast<std::size_t>(k) + 1;
    if (!theEngine->copyWord(k, n, std::span(word, length + 1), std::span(path, length))) return 0;
    return k + 1;
}

QXDLL_API void clearMemory(void) {
    if (theEngine) theEngine->clearLists();
}

QXDLL_API int32_t recreatePuzzle(int32_t width, int32_t height, const uint8_t* grid, const int32_t* dirs,
                                 int32_t numDirs) {
    try {
        if (!theEngine) return 0;
        const auto board = boardFrom(width, height, grid, dirs, numDirs);
        if (!board) return 0;
        return theEngine->recreatePuzzle(*board, std::span(grid, cellCount(*board)));
    } catch (...) {
        return 0;
    }
}

}  // extern "C"
