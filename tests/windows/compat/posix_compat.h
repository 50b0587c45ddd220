/* POSIX calls that the shared test sources use and the Windows C runtime names differently;
   included ahead of every source of the Windows test programs. */
#ifndef VARNOOK_COMPAT_POSIX_H
#define VARNOOK_COMPAT_POSIX_H

#include <direct.h>
#include <io.h>
#include <stdlib.h>
#include <string.h>

static inline int setenv(const char* name, const char* value, int overwrite) {
    if (!overwrite && getenv(name) != NULL) return 0;
    return _putenv_s(name, value) == 0 ? 0 : -1;
}
static inline int unsetenv(const char* name) { return _putenv_s(name, "") == 0 ? 0 : -1; }

/* Replaces the trailing XXXXXX of pattern and makes that folder. */
static inline char* mkdtemp(char* pattern) {
    for (int tries = 0; tries < 100; ++tries) {
        char candidate[1024];
        const size_t n = strlen(pattern);
        if (n < 6 || n >= sizeof candidate) return NULL;
        memcpy(candidate, pattern, n + 1);
        if (_mktemp_s(candidate, n + 1) != 0) return NULL;
        if (_mkdir(candidate) == 0) {
            memcpy(pattern, candidate, n + 1);
            return pattern;
        }
    }
    return NULL;
}

#endif
