/* A C program's use of the engine: includes qxdll.h as C, finds the exports by name, makes a
   puzzle and reads one word back. Returns the word count, or -1 when an export is missing. */
#include <dlfcn.h>
#include <string.h>

#include "qxdll.h"

int cCallerMakePuzzle(const char* libraryFile, const char* dictFile, char firstWord[4], uint8_t firstPath[3]) {
    static const int32_t steps[16] = {1, 0, 0, 1, -1, 0, 0, -1, 1, 1, 1, -1, -1, -1, -1, 1};
    uint8_t grid[16];
    int32_t total = -1;
    void* lib = dlopen(libraryFile, RTLD_NOW | RTLD_LOCAL);
    if (!lib) return -1;
    {
        qxLoadLangDictFn load = (qxLoadLangDictFn)dlsym(lib, "loadLangDict");
        qxMakeQXPuzzleAFn make = (qxMakeQXPuzzleAFn)dlsym(lib, "makeQXPuzzleA");
        qxGetWordFn getWord = (qxGetWordFn)dlsym(lib, "qxpGetWord");
        qxClearMemoryFn clear = (qxClearMemoryFn)dlsym(lib, "clearMemory");
        if (load && make && getWord && clear && load(dictFile) == 1) {
            memset(grid, 1, sizeof grid);
            total = make(4, 4, grid, steps, 8, 1234);
            if (getWord(2, 1, firstWord, firstPath) != 3) total = -1;
            clear();
        }
    }
    dlclose(lib);
    return total;
}
