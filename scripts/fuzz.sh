#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (clang, ASan+UBSan) and runs them.
#
#   scripts/fuzz.sh [--smoke] [--replay] [--time SECONDS] [--parallel N] [target...]
#
#   (default)       long campaign: each target runs --time seconds (default
#                   1800), --parallel at a time (default 1), on a corpus kept
#                   in build-fuzz/corpus/<target> that grows from run to run.
#   --smoke         CI run: every target for --time seconds (default 25), two
#                   at a time, on a throwaway corpus, with a fixed mutation seed.
#   --replay        runs every seed and regression input once, nothing more.
#
# Targets: spectrum tgotbc lgo pinnacle topcon detector lines propertylist (all by default).
# Every run starts from fuzz/seeds/<target>, the examples of its format and
# fuzz/regressions/<target>; it uses fuzz/dict/<target>.dict. A finding stops
# its target and lands as crash-*/timeout-*/oom-* in build-fuzz/artifacts/<target>;
# replay one with `build-fuzz/fuzz/fuzz_<target> FILE`, then make it a
# regression test and copy it to fuzz/regressions/<target>/. Figures of each
# run (executions, cov, ft, corpus) are appended to build-fuzz/report.txt,
# the logs are in build-fuzz/logs-<mode>/.
# Exits non-zero when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=campaign
seconds=""
parallel=1
targets=()
while [ $# -gt 0 ]; do
    case "$1" in
    --smoke) mode=smoke ;;
    --replay) mode=replay ;;
    --time) seconds="$2"; shift ;;
    --parallel) parallel="$2"; shift ;;
    -h|--help) sed -n '2,21p' "$0"; exit 0 ;;
    *) targets+=("$1") ;;
    esac
    shift
done
[ ${#targets[@]} -gt 0 ] || targets=(spectrum tgotbc lgo pinnacle topcon detector lines propertylist)
if [ "$mode" = smoke ]; then
    seconds=${seconds:-25}
    parallel=2
elif [ "$mode" = replay ]; then
    seconds=0
else
    seconds=${seconds:-1800}
fi

scripts/install-deps.sh clang libclang-rt-dev llvm >/dev/null
build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGNSSIMPORT_BUILD_FUZZERS=ON -DGNSSIMPORT_WERROR=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target "${targets[@]/#/fuzz_}"

# Example folders feeding each target's corpus.
examples_of() {
    case "$1" in
    detector) echo examples/tgotbc examples/topcon tests/detector/corpus ;;
    lines) echo examples/topcon examples/lgo ;;
    spectrum) echo examples/spectrum tests/spectrum/data ;;
    *) echo "examples/$1" ;;
    esac
}

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run_target() {
    local t="$1" corpus artifacts log
    artifacts="$build/artifacts/$t"
    mkdir -p "$artifacts"
    if [ "$mode" = smoke ]; then
        corpus="$build/smoke-corpus/$t"
        rm -rf "$corpus"
    else
        corpus="$build/corpus/$t"
    fi
    mkdir -p "$corpus"
    local seeds=()
    for d in fuzz/seeds/$t fuzz/regressions/$t $(examples_of "$t"); do
        [ -d "$d" ] && seeds+=("$d")
    done
    log="$build/logs-$mode/$t.log"
    mkdir -p "$build/logs-$mode"
    local args=(-dict="fuzz/dict/$t.dict" -max_len=16384 -timeout=20 -rss_limit_mb=3072
                -artifact_prefix="$artifacts/" -print_final_stats=1)
    # The same mutations on every CI run, so that a red run replays.
    [ "$mode" = smoke ] && args+=(-seed=1)
    local status=0
    if [ "$mode" = replay ]; then
        "$build/fuzz/fuzz_$t" "${args[@]}" -runs=0 "${seeds[@]}" >"$log" 2>&1 || status=$?
    else
        "$build/fuzz/fuzz_$t" "${args[@]}" -max_total_time="$seconds" "$corpus" "${seeds[@]}" >"$log" 2>&1 || status=$?
    fi
    local execs cov ft size
    execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo '?')
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo '?')
    if [ "$mode" = replay ]; then
        size=$(find "${seeds[@]}" -type f | wc -l)
    else
        size=$(ls "$corpus" | wc -l)
    fi
    local line
    line=$(printf '%s %-9s %-8s %ss execs=%s cov=%s ft=%s corpus=%s status=%s' \
        "$(date -u +%FT%TZ)" "$t" "$mode" "$seconds" "$execs" "$cov" "$ft" "$size" "$status")
    echo "$line" | tee -a "$build/report.txt"
    if [ "$status" -ne 0 ]; then
        echo "fuzz_$t failed; log: $log" >&2
        tail -40 "$log" >&2
        return 1
    fi
}

failed=0
pids=()
for t in "${targets[@]}"; do
    run_target "$t" &
    pids+=($!)
    if [ ${#pids[@]} -ge "$parallel" ]; then
        wait "${pids[0]}" || failed=1
        pids=("${pids[@]:1}")
    fi
done
for p in "${pids[@]}"; do
    wait "$p" || failed=1
done
exit $failed
