/* The few dlfcn calls the engine's tests make, over LoadLibraryA and GetProcAddress, so that the
   same test sources load QXDLL.dll in the Windows build. */
#ifndef VARNOOK_COMPAT_DLFCN_H
#define VARNOOK_COMPAT_DLFCN_H

#include <windows.h>

#define RTLD_NOW 2
#define RTLD_LOCAL 0

static inline void* dlopen(const char* file, int mode) {
    (void)mode;
    return (void*)LoadLibraryA(file);
}
static inline void* dlsym(void* library, const char* name) { return (void*)GetProcAddress((HMODULE)library, name); }
static inline int dlclose(void* library) { return FreeLibrary((HMODULE)library) ? 0 : 1; }
static inline char* dlerror(void) { return NULL; }

#endif
