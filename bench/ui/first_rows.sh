#!/usr/bin/env bash
# vek32 opening a description of 100 devices x 1,000 registers x 2 bit fields (300,300 tree rows),
# started as a user starts it on an X screen of 1280 x 1024 (Xvfb): the time from the start of
# the process to the first painted tree rows, and the peak resident memory (VmHWM) once the
# window is idle. Three runs; a fresh profile and no user settings.
#   bench/ui/first_rows.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake --build --preset default --target vek32 bench_first_rows generate_description pardrv32 >/dev/null
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
build/bin/generate_description 100 1000 2 >"$scratch/board.vek"
export HOME="$scratch" XDG_RUNTIME_DIR="$scratch" XDG_CONFIG_HOME="$scratch/config"
export VEK_PCALH_IO="$scratch/pcalh_io.ini"
xvfb-run -a -s "-screen 0 1280x1024x24" \
    build/bin/bench_first_rows build/bin/vek32 "$scratch/board.vek" "${1:-3}"
