#!/usr/bin/env bash
# The main job: builds everything, lists the five plug-ins through the
# reference host, and imports the bundled example of each format.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

tool=build/bin/gnssimport
echo "== Plug-ins"
"$tool" plugins

status=0
import() { # plugin charset files...
    local plugin=$1 charset=$2; shift 2
    local files=()
    for f in "$@"; do [ -e "$f" ] && files+=("$f"); done
    [ ${#files[@]} -gt 0 ] || return 0
    echo "== $plugin: ${files[*]}"
    if [ -n "$charset" ]; then
        "$tool" -p "$plugin" --charset "$charset" "${files[@]}" || status=1
    else
        "$tool" -p "$plugin" "${files[@]}" || status=1
    fi
}

shopt -s nullglob
import spectrum "" examples/spectrum/*.txt
import tgotbc "" examples/tgotbc/*.asc
import lgo "" examples/lgo/*.txt examples/lgo/*.csv examples/lgo/*.prn
import pinnacle "" examples/pinnacle/station.dat examples/pinnacle/vector.dat
import topcon "" examples/topcon/*.txt examples/topcon/*.tvf
exit $status
