#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz) and runs each for SECONDS seconds, one after the
# other: all of them, or the NAMEs given (description, values, values_open, profile, basic).
#   scripts/fuzz.sh SECONDS [NAME...]
# Each target's corpus stays in build-fuzz/corpus/NAME, so repeated runs grow it; the seeds are
# made afresh in build-fuzz/seeds/NAME from examples/ and tests/. A crash, a leak, an input that
# runs longer than 10 s or takes more than 2 GB stops the run with exit status 1; the input is
# left in build-fuzz/findings/ and the report printed. docs/fuzzing.md says more.
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets=(description values values_open profile basic map)
if [ $# -lt 1 ] || ! [[ "$1" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/fuzz.sh SECONDS [${all_targets[*]}]" >&2
    exit 2
fi
seconds=$1
shift
targets=("${all_targets[@]}")
[ $# -eq 0 ] || targets=("$@")
for name in "${targets[@]}"; do
    [[ " ${all_targets[*]} " == *" $name "* ]] || { echo "fuzz.sh: no target '$name'" >&2; exit 2; }
done

bash scripts/install-deps.sh --fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target vek "${targets[@]/#/fuzz_}"

build=$PWD/build-fuzz
vek=$build/bin/vek
# The sanitizers name the source lines of a report through llvm-symbolizer.
export PATH=/usr/lib/llvm-14/bin:$PATH
# The targets write their files below TMPDIR: memory, where there is one, as each input is saved.
scratch=$(mktemp -d -p /dev/shm vek-fuzz.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Seeds: the descriptions and scripts of the repository, and register-values files saved by vek
# for the values board and the examples (in simulation, so no driver is needed).
rm -rf "$build/seeds"
mkdir -p "$build"/seeds/{description,values,values_open,profile,basic,map}
copy_seeds() { # NAME EXTENSION FOLDER...: the files *.EXTENSION below the folders
    local name=$1 extension=$2
    shift 2
    find "$@" -name "*.$extension" | while read -r file; do
        cp "$file" "$build/seeds/$name/${file//\//_}"
    done
}
copy_seeds description vek examples tests/data fuzz
copy_seeds basic bas examples tests/scripting/basic/programs
copy_seeds map svd tests/data/import
copy_seeds map xml tests/data/import
save_values() { # DESCRIPTION FILE.vkg OPERATION...
    local description=$1 file=$2
    shift 2
    "$vek" open "$description" --simulate "$@" save "$file" --comment "fuzz seed" >/dev/null 2>&1
}
board=fuzz/values_board.vek
save_values $board "$build/seeds/values/unknown.vkg"
save_values $board "$build/seeds/values/defaults.vkg" write-default
save_values $board "$build/seeds/values/written.vkg" write-default write ONE=0x5a \
    write FOUR=0x89abcdef write WR=0x34 write BIG=0xbeef
cp "$build"/seeds/values/*.vkg "$build/seeds/profile"
for example in examples/*.vek; do
    save_values "$example" "$build/seeds/profile/$(basename "$example" .vek).vkg" write-default
done
# A values file and the description it names, joined by a NUL byte; "@VEK@" in the values file
# stands for the description and "@VKG@" for the values file itself.
pair_seed() { # VALUES DESCRIPTION SEED
    { sed 's/^VekFile=.*/VekFile=@VEK@/' "$1"; printf '\0'; cat "$2"; } >"$3"
}
for example in examples/*.vek; do
    pair_seed "$build/seeds/profile/$(basename "$example" .vek).vkg" "$example" \
        "$build/seeds/values_open/$(basename "$example" .vek)"
done
pair_seed "$build/seeds/values/written.vkg" $board "$build/seeds/values_open/values_board"
sed 's/^VekFile=.*/VekFile=@VKG@/' "$build/seeds/values/written.vkg" \
    >"$build/seeds/values_open/names_itself"

# Large inputs of the shapes that once took time growing with the square of their size: many
# registers at one address (the overlap check), and a values file whose DRVn keys all name one
# driver (a reader that went through the driver's devices once for each key).
crowded_description() { # REGISTERS
    awk -v n="$1" 'BEGIN {
        print "#BeginRegisterList \"fuzzdrv.dll\""; print "0: CHIP A1 D1;"
        for (i = 0; i < n; i++) printf "1: R%d [0x01] = 0 b;\n", i
        print "1: ODD [0x01] & 0x01 = 1 b;"; print "1: RD [0x02] = 0 r;"; print "1: WR [0x02] = 0 w;"
        print "#EndRegisterList" }'
}
many_drivers_values() { # KEYS DEVICES DESCRIPTION
    awk -v n="$1" -v devices="$2" -v vek="$3" 'BEGIN {
        print "[HEADER]"; print "Version=1.2"; print "VekFile=" vek; print "[DRIVER]"
        for (i = 1; i <= n; i++) printf "DRV%d=fuzzdrv.dll\n", i
        print "[fuzzdrv]"; for (i = 1; i <= devices; i++) printf "DEV%d=CHIP\n", i
        print "[fuzzdrv:CHIP]"; print "0x01=0x5a"; print "0x02=0x1234" }'
}
crowded_description 6000 >"$build/seeds/description/crowded.vek"
many_drivers_values 6000 40 "$PWD/$board" >"$build/seeds/values/many_drivers.vkg"
{ many_drivers_values 6000 40 @VEK@; printf '\0'; cat "$build/seeds/description/crowded.vek"; } \
    >"$build/seeds/values_open/large"

mkdir -p "$build/findings" "$build/logs"
for name in "${targets[@]}"; do
    corpus=$build/corpus/$name
    log=$build/logs/$name.log
    mkdir -p "$corpus"
    status=0
    TMPDIR=$scratch "$build/bin/fuzz_$name" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$name-" \
        "$corpus" "$build/seeds/$name" >"$log" 2>&1 || status=$?
    if [ $status -ne 0 ]; then
        echo "== $name: FAILED (exit $status); the input is in $build/findings/, the log in $log"
        grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse|INITED)' "$log" | tail -n 60
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
    echo "== $name: $runs runs in ${seconds} s ($speed/s), $coverage, corpus $(ls "$corpus" | wc -l) inputs"
done
