/* The puzzle engine's C interface: six exports of libQXDLL.so, usable from C and C++.
   Callers either link the library or load it by name and look the exports up (see the Fn types). */
#ifndef QXDLL_H
#define QXDLL_H

#include <stdint.h>

#if defined(QXDLL_BUILDING) && defined(__GNUC__)
#define QXDLL_API __attribute__((visibility("default")))
#else
#define QXDLL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Loads the dictionary file and builds a fresh engine (replacing any earlier one).
   1 on success; 0 when the file is missing, unreadable, shorter than 260 bytes or corrupt,
   after which every other export does nothing and returns 0. */
QXDLL_API int32_t loadLangDict(const char* path);

/* Fills the cells of grid (width x height bytes, row-major) that hold 1..127 with letters drawn
   from seed, lays dictionary words along random walks, and solves the result. dirs holds numDirs
   (dx, dy) pairs; only the low 16 bits of numDirs count. Returns the number of solution words of
   3 to 10 letters, or 0 (grid untouched) when an argument is out of range. */
QXDLL_API int32_t makeQXPuzzleA(int32_t width, int32_t height, uint8_t* grid, const int32_t* dirs, int32_t numDirs,
                                int32_t seed);

/* Number of listed solution words of k + 1 letters (k from 0 to 14). */
QXDLL_API int32_t qxpGetNumWordsInSize(int32_t k);

/* Copies word n (from 1) of list k: k + 1 letters and a zero into word (k + 2 bytes), the cell
   index of each letter into path (k + 1 bytes). Returns k + 1, or 0 without writing anything. */
QXDLL_API int32_t qxpGetWord(int32_t k, int32_t n, char* word, uint8_t* path);

/* Empties the solution lists of 1 to 10 letters. */
QXDLL_API void clearMemory(void);

/* Solves a grid of letters the caller already has (any non-zero byte is a usable cell).
   Returns the number of solution words of 3 to 10 letters, or 0 when an argument is out of range. */
QXDLL_API int32_t recreatePuzzle(int32_t width, int32_t height, const uint8_t* grid, const int32_t* dirs,
                                 int32_t numDirs);

/* Pointer types for callers that look the exports up by name. */
typedef int32_t (*qxLoadLangDictFn)(const char* path);
typedef int32_t (*qxMakeQXPuzzleAFn)(int32_t width, int32_t height, uint8_t* grid, const int32_t* dirs, int32_t numDirs,
                                     int32_t seed);
typedef int32_t (*qxGetNumWordsInSizeFn)(int32_t k);
typedef int32_t (*qxGetWordFn)(int32_t k, int32_t n, char* word, uint8_t* path);
typedef void (*qxClearMemoryFn)(void);
typedef int32_t (*qxRecreatePuzzleFn)(int32_t width, int32_t height, const uint8_t* grid, const int32_t* dirs,
                                      int32_t numDirs);

#ifdef __cplusplus
}
#endif

#endif /* QXDLL_H */
