#!/usr/bin/env bash
# Start-up time and resident memory of the real program on a virtual X server without a GPU
# (Xvfb): the median of RUNS starts. Usage: bench_startup.sh [PROGRAM [RUNS]]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=${1:-@VARNOOK_BIN_DIR@/varnook}
runs=${2:-5}
probe=${STARTUP_PROBE:-$here/startup_probe}
# The sound effects stay on whatever audio the machine has; the display is the virtual server.
exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$probe" "$program" "$runs"
