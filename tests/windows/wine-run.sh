#!/usr/bin/env bash
# Runs a Windows program under wine in one of the build's own wine prefixes, with no debug output
# and no offer to install wine's Mono and Gecko add-ons.
#   wine-run.sh PREFIX --init                  makes the prefix (once; later calls are quick)
#   wine-run.sh PREFIX [--exclusive] PROGRAM ARGS...
# --exclusive: the prefix's wine server ends with the program, so that nothing of it stays bound to
# the X display the program ran on.
set -euo pipefail
export WINEPREFIX=$1
shift
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
if [ "${1:-}" = "--init" ]; then
  # A prefix made before wine's 32-bit half was installed runs nothing once it is there (not even
  # 64-bit programs): it is made again.
  if [ -d /usr/lib/i386-linux-gnu/wine ] && [ -f "$WINEPREFIX/system.reg" ] &&
    [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    wineserver --kill 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || true
  wineserver --wait
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wine could not make the prefix $WINEPREFIX"; exit 1; }
  exit 0
fi
if [ "${1:-}" = "--exclusive" ]; then
  shift
  status=0
  wine "$@" || status=$?
  wineserver --kill 2>/dev/null || true
  exit "$status"
fi
exec wine "$@"
