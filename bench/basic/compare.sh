#!/usr/bin/env bash
# Times the same programs in our engine (build/bin/basic_run), yabasic, bwbasic and lua5.4,
# and prints each interpreter's time as a ratio to ours (ratio > 1: ours is faster).
# Each time is the least processor time of several runs minus that of an empty program in the
# same interpreter, so start-up (process creation, loading) is not counted: inside the program the
# engine is started once and runs many scripts.
# The other interpreters are for measuring only: install them with
#   apt-get install yabasic bwbasic lua5.4
# tak, matmul, dispatch, fields and globals have no yabasic or bwbasic version: those columns show "-".
# Usage: bench/basic/compare.sh [BUILD_DIR]   (default: build)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build}"
runner="$build/bin/basic_run"
programs="$here/programs"
runs=3 # per measurement; bwbasic, a hundred times slower, gets one

[ -x "$runner" ] || { echo "Error: $runner not found; build the default preset first" >&2; exit 1; }

# Least processor time (user + system) of $runs runs in milliseconds, so that other load on the
# machine does not count; "-" when the interpreter is missing or fails.
best_ms() {
    local best=""
    command -v "$1" > /dev/null 2>&1 || { echo "-"; return; }
    for _ in $(seq "$runs"); do
        local cpu
        cpu=$( { TIMEFORMAT='%3U %3S'; time timeout 600 "$@" > /dev/null 2>&1 < /dev/null; } 2>&1 ) ||
            { echo "-"; return; }
        local ms
        ms=$(awk -v t="$cpu" 'BEGIN { split(t, p, " "); printf "%d", (p[1] + p[2]) * 1000 + 0.5 }')
        if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
    done
    echo "$best"
}

# Time of a program minus the interpreter's start-up, at least 1 ms.
net_ms() {
    local total=$1 empty=$2
    if [ "$total" = "-" ] || [ "$empty" = "-" ]; then echo "-"; return; fi
    local net=$(( total - empty ))
    [ "$net" -ge 1 ] || net=1
    echo "$net"
}

ratio() {
    if [ "$2" = "-" ] || [ "$1" = "-" ]; then echo "-"; return; fi
    awk -v other="$2" -v ours="$1" 'BEGIN { printf "%.2f", other / ours }'
}

declare -A empty
empty[ours]=$(best_ms "$runner" "$programs/empty.bas")
empty[yab]=$(best_ms yabasic "$programs/empty.yab")
empty[bwb]=$(best_ms bwbasic "$programs/empty.bwb")
empty[lua]=$(best_ms lua5.4 "$programs/empty.lua")
echo "start-up (ms): ours ${empty[ours]}, yabasic ${empty[yab]}, bwbasic ${empty[bwb]}," \
    "lua5.4 ${empty[lua]}; times below are without it"
printf "%-8s %9s %9s %9s %9s   %8s %8s %8s\n" program ours_ms yabasic bwbasic lua5.4 \
    yab/ours bwb/ours lua/ours
for p in loop strings fib sort tak matmul dispatch fields globals; do
    ours=$(net_ms "$(best_ms "$runner" "$programs/$p.bas")" "${empty[ours]}")
    yab=$(net_ms "$(runs=2 best_ms yabasic "$programs/$p.yab")" "${empty[yab]}")
    bwb=$(net_ms "$(runs=1 best_ms bwbasic "$programs/$p.bwb")" "${empty[bwb]}")
    lua=$(net_ms "$(best_ms lua5.4 "$programs/$p.lua")" "${empty[lua]}")
    printf "%-8s %9s %9s %9s %9s   %8s %8s %8s\n" "$p" "$ours" "$yab" "$bwb" "$lua" \
        "$(ratio "$ours" "$yab")" "$(ratio "$ours" "$bwb")" "$(ratio "$ours" "$lua")"
done
