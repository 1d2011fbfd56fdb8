#!/usr/bin/env bash
# vek32 opening 100 devices x 1,000 registers x 2 bit fields (300,300 tree rows), started as a
# user starts it on an X screen of 1280 x 1024 (Xvfb): the time from the start of the process to
# the first painted tree rows, and the peak resident memory (VmHWM) once the window is idle.
# Three runs; a fresh profile and no user settings. With "svd" the same registers come as a
# vendor's CMSIS-SVD map, which vek32 imports as it opens it, its memory driver connected to the
# tests' own GDB server on a free loopback port (no box asks for simulation).
#   bench/ui/first_rows.sh [RUNS] [vek|svd]
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake --build --preset default \
    --target vek32 bench_first_rows generate_description generate_map pardrv32 gdbdrv \
    fake_gdb_server >/dev/null
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
case "${2:-vek}" in
vek)
    file="$scratch/board.vek"
    build/bin/generate_description 100 1000 2 >"$file"
    ;;
svd)
    file="$scratch/board.svd"
    build/bin/generate_map 100 1000 2 >"$file"
    build/bin/fake_gdb_server >"$scratch/server.log" &
    server=$!
    trap 'kill "$server" 2>/dev/null; rm -rf "$scratch"' EXIT
    for _ in $(seq 100); do
        grep -q '^PORT ' "$scratch/server.log" && break
        sleep 0.05
    done
    export VEK_GDB_REMOTE="127.0.0.1:$(sed -n 's/^PORT //p' "$scratch/server.log")"
    ;;
*)
    echo "usage: bench/ui/first_rows.sh [RUNS] [vek|svd]" >&2
    exit 2
    ;;
esac
export HOME="$scratch" XDG_RUNTIME_DIR="$scratch" XDG_CONFIG_HOME="$scratch/config"
export VEK_PCALH_IO="$scratch/pcalh_io.ini"
xvfb-run -a -s "-screen 0 1280x1024x24" \
    build/bin/bench_first_rows build/bin/vek32 "$file" "${1:-3}"
