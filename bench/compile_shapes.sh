#!/usr/bin/env bash
# Whole-process timings of `vek check` on generated descriptions of several shapes, beside
# `wc -l` on the same files: median wall time of RUNS runs, lines per second, median processor
# time (user + system, which a loaded machine disturbs less than wall time), peak memory (maximum
# resident set size) and peak bytes per register item.
#
#   bench/compile_shapes.sh [BIN_DIR] [RUNS] [SHAPE...]
#
# BIN_DIR holds vek and generate_description (default build/bin); RUNS defaults to 5. A shape is
# DEVICESxREGISTERSxBITFIELDS with "r" (names repeated in every device) or "u" (unique) after it,
# e.g. 1000x333x2r; without shapes the standard set below runs. The files are written to a
# temporary folder and removed at the end.
set -euo pipefail

bin=${1:-build/bin}
runs=${2:-5}
shift $(($# < 2 ? $# : 2))
shapes=("$@")
if [ ${#shapes[@]} -eq 0 ]; then
    shapes=(
        # A million registers cut four ways, names repeated and unique.
        10x100000x0r 100x10000x0r 1000x1000x0r 10000x100x0r
        10x100000x0u 100x10000x0u 1000x1000x0u 10000x100x0u
        # A million lines of registers with two bit fields; the same as 100 devices.
        1000x333x2r 100x3333x2r
        # 300,000 lines: many small devices, and the memory target's shape.
        3000x33x2r 300x333x2r 100x1000x2u
    )
fi
for tool in vek generate_description; do
    if [ ! -x "$bin/$tool" ]; then
        echo "compile_shapes.sh: $bin/$tool not found (build it first)" >&2
        exit 2
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now() { date +%s%N; }
# The median of the numbers on standard input.
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "load: $(cut -d' ' -f1-3 /proc/loadavg)  runs: $runs"
printf '%-14s %9s %8s %7s %9s %9s %8s %8s %10s\n' shape lines items wc_ms check_ms lines/s cpu_ms RSS_MiB bytes/item
for shape in "${shapes[@]}"; do
    if [[ ! $shape =~ ^([0-9]+)x([0-9]+)x([0-9]+)([ru])$ ]]; then
        echo "compile_shapes.sh: bad shape '$shape' (DEVICESxREGISTERSxBITFIELDS[r|u])" >&2
        exit 2
    fi
    devices=${BASH_REMATCH[1]} registers=${BASH_REMATCH[2]} fields=${BASH_REMATCH[3]}
    style=$([ "${BASH_REMATCH[4]}" = r ] && echo repeated || echo unique)
    file="$work/$shape.vek"
    "$bin/generate_description" "$devices" "$registers" "$fields" "$style" >"$file"
    lines=$(wc -l <"$file")
    # Driver line, then per device the device, its set, its variable, registers and bit fields.
    items=$((1 + devices * (3 + registers * (1 + fields))))
    wc_times=() check_times=() cpu=() rss=()
    for ((run = 0; run < runs; ++run)); do
        start=$(now)
        wc -l "$file" >/dev/null
        wc_times+=($(($(now) - start)))
        start=$(now)
        if ! /usr/bin/time -f '%M %U %S' -o "$work/rss" "$bin/vek" check "$file" >"$work/out"; then
            echo "compile_shapes.sh: $shape did not compile cleanly:" >&2
            tail -3 "$work/out" >&2
            exit 1
        fi
        check_times+=($(($(now) - start)))
        read -r kib user system < <(tail -1 "$work/rss")
        rss+=("$kib")
        cpu+=("$(awk -v u="$user" -v s="$system" 'BEGIN { print (u + s) * 1000 }')")
    done
    wc_ns=$(printf '%s\n' "${wc_times[@]}" | median)
    check_ns=$(printf '%s\n' "${check_times[@]}" | median)
    cpu_ms=$(printf '%s\n' "${cpu[@]}" | median)
    rss_kib=$(printf '%s\n' "${rss[@]}" | median)
    awk -v shape="$shape" -v lines="$lines" -v items="$items" -v wc="$wc_ns" -v check="$check_ns" \
        -v cpu="$cpu_ms" -v rss="$rss_kib" 'BEGIN {
            printf "%-14s %9d %8d %7.1f %9.1f %9.0f %8.0f %8.1f %10.0f\n", shape, lines, items,
                wc / 1e6, check / 1e6, lines / (check / 1e9), cpu, rss / 1024, rss * 1024 / items
        }'
    rm -f "$file"
done
