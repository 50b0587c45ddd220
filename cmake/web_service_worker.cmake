# Writes the service worker from its template: the list of files it keeps for offline play, and a
# cache name that changes with the program, so that a new build replaces the old cache.
file(SHA256 ${WASM} hash)
string(SUBSTRING ${hash} 0 16 version)
string(REPLACE "," "\", \"" VARNOOK_WEB_CACHED "${FILES}")  # FILES: names joined by ","
set(VARNOOK_WEB_VERSION ${version})
configure_file(${IN} ${OUT} @ONLY)
