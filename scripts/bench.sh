#!/usr/bin/env bash
# Builds the benchmarks in Release, writes the large inputs into the build
# folder (once) and prints the table of import speeds, peak memory and the
# reference tools on the same files, then the gnssimport tool writing each
# output format.
#   scripts/bench.sh [--sizes 1,10,100] [--formats topcon,lgo] [--repeat N]
# (further options go to bench/run.py).
# BUILD_DIR (default build-bench) chooses the build folder.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
sizes="1,10,100"
formats="topcon,tgotbc,lgo,pinnacle,spectrum"
passthrough=()
while [ $# -gt 0 ]; do
    case "$1" in
        --sizes) sizes="$2"; passthrough+=("$1" "$2"); shift 2 ;;
        --formats) formats="$2"; passthrough+=("$1" "$2"); shift 2 ;;
        *) passthrough+=("$1"); shift ;;
    esac
done

# Google Benchmark, mawk and Python for the references, uchardet to compare
# the detector with.
"$root/scripts/install-deps.sh" libbenchmark-dev mawk python3 libuchardet-dev pkg-config >&2

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGNSSIMPORT_BUILD_BENCH=ON \
    -DBUILD_TESTING=OFF >/dev/null
# Building and generating report on stderr; stdout carries the table alone.
cmake --build "$build" --target import_bench gnssimport_import_once detector_bench number_bench gnssimport >&2
python3 "$root/bench/make_inputs.py" --out "$build/bench-inputs" --sizes "$sizes" --formats "$formats" >&2
python3 "$root/bench/run.py" --build "$build" "${passthrough[@]}"
