/* The puzzle engine's C interface: six exports of libQXDLL.so (QXDLL.dll on Windows), usable from
   C and C++. Callers either link the library or load it by name and look the exports up (see the Fn types;
   C++ callers bind all six at once with qxdll::Exports). */
#ifndef QXDLL_H
#define QXDLL_H

#include <stdint.h>

#if defined(QXDLL_BUILDING) && defined(_WIN32)
#define QXDLL_API __declspec(dllexport)
#elif defined(QXDLL_BUILDING) && defined(__GNUC__)
#define QXDLL_API __attribute__((visibility("default")))
#else
#define QXDLL_API
#endif

/* Paths carry each cell as one byte, so a board has at most this many cells. */
#define QXDLL_MAX_CELLS 256

/* QXDLL_CALL is the calling convention of every export: __stdcall in 32-bit Windows builds, for
   callers that bind the exports by name through foreign-function declarations (the names stay
   undecorated, see qxdll.def); the platform's default everywhere else. */
#ifndef QXDLL_CALL
#if defined(_WIN32) && !defined(_WIN64)
#define QXDLL_CALL __stdcall
#else
#define QXDLL_CALL
#endif
#endif

/* The six exports, one entry each: result, name, parameters, and the pointer type for callers that
   look the export up by name. The declarations and pointer types below, and every caller's table of
   bound exports (qxdll::Exports), are made from this one list.

   loadLangDict: loads the dictionary file and builds a fresh engine (replacing any earlier one).
     On Windows path is in the ANSI code page, or UTF-8 when no file is found in the ANSI reading.
     1 on success; 0 when the file is missing, unreadable, shorter than 260 bytes or corrupt, after
     which every other export does nothing and returns 0.
   makeQXPuzzleA: fills the cells of grid (width x height bytes, row-major) that hold 1..127 with
     letters drawn from seed, lays dictionary words along random walks, and solves the result. dirs
     holds numDirs (dx, dy) pairs; only the low 16 bits of numDirs count. Returns the number of
     solution words of 3 to 10 letters, or 0 (grid untouched) when an argument is out of range.
   qxpGetNumWordsInSize: number of listed solution words of k + 1 letters (k from 0 to 14).
   qxpGetWord: copies word n (from 1) of list k: k + 1 letters and a zero into word (k + 2 bytes),
     the cell index of each letter into path (k + 1 bytes). Returns k + 1, or 0 without writing.
   clearMemory: empties the solution lists of 1 to 10 letters.
   recreatePuzzle: solves a grid of letters the caller already has (any non-zero byte is a usable
     cell). Returns the number of solution words of 3 to 10 letters, or 0 when an argument is out
     of range. */
#define QXDLL_EXPORT_LIST(X)                                                                               \
    X(int32_t, loadLangDict, (const char* path), qxLoadLangDictFn)                                         \
    X(int32_t, makeQXPuzzleA,                                                                              \
      (int32_t width, int32_t height, uint8_t * grid, const int32_t* dirs, int32_t numDirs, int32_t seed), \
      qxMakeQXPuzzleAFn)                                                                                   \
    X(int32_t, qxpGetNumWordsInSize, (int32_t k), qxGetNumWordsInSizeFn)                                   \
    X(int32_t, qxpGetWord, (int32_t k, int32_t n, char* word, uint8_t* path), qxGetWordFn)                 \
    X(void, clearMemory, (void), qxClearMemoryFn)                                                          \
    X(int32_t, recreatePuzzle,                                                                             \
      (int32_t width, int32_t height, const uint8_t* grid, const int32_t* dirs, int32_t numDirs), qxRecreatePuzzleFn)

#ifdef __cplusplus
extern "C" {
#endif

#define QXDLL_DECLARE(result, name, params, fnType) \
    QXDLL_API result QXDLL_CALL name params;        \
    typedef result(QXDLL_CALL* fnType) params;
QXDLL_EXPORT_LIST(QXDLL_DECLARE)
#undef QXDLL_DECLARE

#ifdef __cplusplus
}

namespace qxdll {

/* The number of exports, and their names in list order. */
#define QXDLL_NAME(result, name, params, fnType) #name,
inline constexpr const char* kExportNames[] = {QXDLL_EXPORT_LIST(QXDLL_NAME)};
#undef QXDLL_NAME
inline constexpr int kExportCount = static_cast<int>(sizeof kExportNames / sizeof kExportNames[0]);

/* The exports of one loaded copy of the library, bound by name. */
struct Exports {
#define QXDLL_POINTER(result, name, params, fnType) fnType name = nullptr;
    QXDLL_EXPORT_LIST(QXDLL_POINTER)
#undef QXDLL_POINTER

    /* Binds every export through lookup(name), which gives the export's address or null. Returns
       the name of the first export that is missing (the others may then be unbound), or null. */
    template <class Lookup>
    const char* bind(Lookup&& lookup) {
#define QXDLL_BIND(result, name, params, fnType)    \
    name = reinterpret_cast<fnType>(lookup(#name)); \
    if (name == nullptr) return #name;
        QXDLL_EXPORT_LIST(QXDLL_BIND)
#undef QXDLL_BIND
        return nullptr;
    }
};

}  // namespace qxdll
#endif

#endif /* QXDLL_H */
