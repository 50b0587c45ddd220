/* qxdll_dump: a C caller of the engine that loads it by name (dlopen on Linux, LoadLibraryA on
   Windows; in the web build the engine is linked in and its exports are found in a table), makes
   and solves puzzles for a range of seeds and board shapes, and writes every grid, list, word and
   path, and the results of refused calls, to a file. The same source is built for every system,
   so the files must be equal byte for byte.
     qxdll_dump LIBRARY DICTIONARY OUTPUT */
#include <stdio.h>
#include <string.h>

#ifdef _WIN32
#include <windows.h>
#elif !defined(__EMSCRIPTEN__)
#include <dlfcn.h>
#endif

#include "qxdll.h"

#ifdef __EMSCRIPTEN__
/* The exports of the linked-in engine by name; LIBRARY names nothing. */
#define QXDLL_ENTRY(result, name, params, fnType) {#name, (void*)name},
static const struct {
    const char* name;
    void* address;
} kLinkedExports[] = {QXDLL_EXPORT_LIST(QXDLL_ENTRY)};
#undef QXDLL_ENTRY
#endif

static const int32_t kSteps[16] = {1, 0, 0, 1, -1, 0, 0, -1, 1, 1, 1, -1, -1, -1, -1, 1};
enum { kMaxCells = 256, kLists = 15 };

static qxLoadLangDictFn load;
static qxMakeQXPuzzleAFn make;
static qxGetNumWordsInSizeFn count;
static qxGetWordFn getWord;
static qxClearMemoryFn clear;
static qxRecreatePuzzleFn recreate;

static void* openLibrary(const char* file) {
#ifdef _WIN32
    return (void*)LoadLibraryA(file);
#elif defined(__EMSCRIPTEN__)
    (void)file;
    return (void*)kLinkedExports;
#else
    return dlopen(file, RTLD_NOW | RTLD_LOCAL);
#endif
}

static void* findExport(void* library, const char* name) {
#ifdef _WIN32
    return (void*)GetProcAddress((HMODULE)library, name);
#elif defined(__EMSCRIPTEN__)
    (void)library;
    for (size_t i = 0; i < sizeof kLinkedExports / sizeof kLinkedExports[0]; ++i)
        if (strcmp(kLinkedExports[i].name, name) == 0) return kLinkedExports[i].address;
    return NULL;
#else
    return dlsym(library, name);
#endif
}

static void writeGrid(FILE* out, int width, int height, const uint8_t* grid) {
    for (int y = 0; y < height; ++y) {
        fputs("  ", out);
        for (int x = 0; x < width; ++x) {
            const uint8_t c = grid[y * width + x];
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
                fputc(c, out);
            else
                fprintf(out, "<%u>", c);
        }
        fputc('\n', out);
    }
}

/* Every list with its words and paths, then a word number on each side of a list's range, which
   must be refused without writing. */
static void writeLists(FILE* out) {
    for (int k = 0; k < kLists; ++k) {
        const int32_t n = count(k);
        if (n == 0) continue;
        fprintf(out, "  list %d: %d\n", k, n);
        for (int32_t i = 1; i <= n; ++i) {
            char word[kLists + 2];
            uint8_t path[kLists + 1];
            memset(word, 0, sizeof word);
            const int32_t len = getWord(k, i, word, path);
            fprintf(out, "    %d %s", len, word);
            for (int32_t p = 0; p < len; ++p) fprintf(out, " %u", path[p]);
            fputc('\n', out);
        }
        char word[kLists + 2];
        uint8_t path[kLists + 1];
        memset(word, '#', sizeof word);
        memset(path, 0xEE, sizeof path);
        const int32_t below = getWord(k, 0, word, path);
        const int32_t above = getWord(k, n + 1, word, path);
        const int untouched = word[0] == '#' && path[0] == 0xEE;
        fprintf(out, "    refused: %d %d untouched %d\n", below, above, untouched);
    }
}

static void puzzle(FILE* out, int width, int height, const uint8_t* mask, int32_t seed) {
    uint8_t grid[kMaxCells];
    const int cells = width * height;
    for (int i = 0; i < cells; ++i) grid[i] = mask != NULL ? mask[i] : 1;
    const int32_t total = make(width, height, grid, kSteps, 8, seed);
    fprintf(out, "make %dx%d seed %d: %d\n", width, height, seed, total);
    writeGrid(out, width, height, grid);
    writeLists(out);
    clear();
    const int32_t again = recreate(width, height, grid, kSteps, 8);
    int sum = 0;
    for (int k = 2; k < 10; ++k) sum += count(k);
    fprintf(out, "  recreate: %d (lists 3 to 10 hold %d)\n", again, sum);
    clear();
}

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: qxdll_dump LIBRARY DICTIONARY OUTPUT\n");
        return 2;
    }
    void* library = openLibrary(argv[1]);
    if (library == NULL) {
        fprintf(stderr, "qxdll_dump: cannot load %s\n", argv[1]);
        return 1;
    }
    load = (qxLoadLangDictFn)findExport(library, "loadLangDict");
    make = (qxMakeQXPuzzleAFn)findExport(library, "makeQXPuzzleA");
    count = (qxGetNumWordsInSizeFn)findExport(library, "qxpGetNumWordsInSize");
    getWord = (qxGetWordFn)findExport(library, "qxpGetWord");
    clear = (qxClearMemoryFn)findExport(library, "clearMemory");
    recreate = (qxRecreatePuzzleFn)findExport(library, "recreatePuzzle");
    if (!load || !make || !count || !getWord || !clear || !recreate) {
        fprintf(stderr, "qxdll_dump: an export is missing\n");
        return 1;
    }
    FILE* out = fopen(argv[3], "wb");
    if (out == NULL) {
        fprintf(stderr, "qxdll_dump: cannot write %s\n", argv[3]);
        return 1;
    }

    fprintf(out, "before the dictionary: list 2 holds %d\n", count(2));
    fprintf(out, "loadLangDict: %d\n", load(argv[2]));

    /* The game's board shapes and a few others, over a range of seeds. */
    static const int shapes[][2] = {{4, 4}, {5, 4}, {4, 5}, {5, 5}, {6, 5}, {5, 6}, {6, 6}, {3, 7}, {8, 2}, {16, 16}};
    static const int32_t seeds[] = {0, 1, 2, 3, 7, 42, 99, 1000, 2024, 5000, 9999, 10000, 65535, 2147483647, -1};
    for (size_t s = 0; s < sizeof shapes / sizeof shapes[0]; ++s)
        for (size_t i = 0; i < sizeof seeds / sizeof seeds[0]; ++i)
            puzzle(out, shapes[s][0], shapes[s][1], NULL, seeds[i]);
    for (int32_t seed = 100; seed < 160; ++seed) puzzle(out, 4 + seed % 3, 4 + (seed / 3) % 3, NULL, seed);

    /* Boards with holes: 0 and bytes from 128 up are holes, 1 to 127 cells in play. */
    uint8_t mask[36];
    for (int i = 0; i < 36; ++i) mask[i] = (uint8_t)(i % 7 == 3 ? 0 : i % 11 == 5 ? 200 : 1 + i * 3);
    for (int32_t seed = 0; seed < 10; ++seed) puzzle(out, 6, 6, mask, seed);

    /* Refused calls: the grid stays as it was. */
    {
        uint8_t grid[kMaxCells];
        memset(grid, 1, sizeof grid);
        fprintf(out, "make 0x4: %d\n", make(0, 4, grid, kSteps, 8, 1));
        fprintf(out, "make -4x4: %d\n", make(-4, 4, grid, kSteps, 8, 1));
        fprintf(out, "make 4x4 without steps: %d\n", make(4, 4, grid, kSteps, 0, 1));
        fprintf(out, "recreate 0x0: %d\n", recreate(0, 0, grid, kSteps, 8));
        fprintf(out, "grid untouched: %d\n", grid[0] == 1 && grid[15] == 1);
        fprintf(out, "list 16: %d, list -1: %d\n", count(16), count(-1));
        clear();
    }

    /* A dictionary that is not there: the engine refuses everything after it. */
    fprintf(out, "loadLangDict of a missing file: %d\n", load("no-such-dictionary.dict"));
    {
        uint8_t grid[16];
        memset(grid, 1, sizeof grid);
        fprintf(out, "make after it: %d\n", make(4, 4, grid, kSteps, 8, 1));
    }
    fclose(out);
    return 0;
}
