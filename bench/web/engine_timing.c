/* engine_timing: the engine's speed on bench_engine's board set, from one source for the native
   build and the web build (run under node), so that the two can be set side by side: puzzles of
   4 x 4, 5 x 5 and 6 x 6 made and read back over the game's seeds, and random 4 x 4 boards solved.
   Prints one line per measure: its name and the milliseconds per puzzle or board (best of 3 runs).
     engine_timing DICTIONARY */
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

#include "qxdll.h"

static const int32_t kSteps[16] = {1, 0, 0, 1, -1, 0, 0, -1, 1, 1, 1, -1, -1, -1, -1, 1};
enum { kGameSeeds = 10001, kSeedStride = 4099, kPuzzles = 4000, kBoards = 40000, kRuns = 3 };

static double nowMs(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec * 1000.0 + (double)t.tv_nsec / 1e6;
}

/* What the game does per puzzle: make it, read every list of 2 to 10 letters, free the lists. */
static double makeAndRead(int size) {
    uint8_t grid[36];
    char word[12];
    uint8_t path[11];
    int32_t seed = 0;
    const double start = nowMs();
    for (int i = 0; i < kPuzzles; ++i) {
        memset(grid, 1, sizeof grid);
        makeQXPuzzleA(size, size, grid, kSteps, 8, seed);
        seed = (seed + kSeedStride) % kGameSeeds;
        for (int32_t k = 1; k <= 9; ++k) {
            const int32_t count = qxpGetNumWordsInSize(k);
            for (int32_t n = 1; n <= count; ++n) qxpGetWord(k, n, word, path);
        }
        clearMemory();
    }
    return (nowMs() - start) / kPuzzles;
}

/* Random letters a-z on 4 x 4 boards (a fixed linear congruential sequence), solved and freed. */
static double recreateRandom(void) {
    uint8_t board[16];
    uint32_t state = 1;
    const double start = nowMs();
    for (int i = 0; i < kBoards; ++i) {
        for (int c = 0; c < 16; ++c) {
            state = state * 1664525u + 1013904223u;
            board[c] = (uint8_t)('a' + (state >> 16) % 26);
        }
        recreatePuzzle(4, 4, board, kSteps, 8);
        clearMemory();
    }
    return (nowMs() - start) / kBoards;
}

static double best(double (*measure)(int), int size) {
    double b = 1e300;
    for (int r = 0; r < kRuns; ++r) {
        const double t = measure(size);
        if (t < b) b = t;
    }
    return b;
}

static double recreateAdapter(int unused) {
    (void)unused;
    return recreateRandom();
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: engine_timing DICTIONARY\n");
        return 2;
    }
    if (loadLangDict(argv[1]) != 1) {
        fprintf(stderr, "engine_timing: cannot load %s\n", argv[1]);
        return 1;
    }
    for (int size = 4; size <= 6; ++size) printf("make+read %dx%d %.4f\n", size, size, best(makeAndRead, size));
    printf("recreate random 4x4 %.4f\n", best(recreateAdapter, 0));
    return 0;
}
