#!/usr/bin/env bash
# The main job: builds everything, lists the five plug-ins, and imports the
# bundled examples of all five formats, each file routed to its plug-in by
# the tool itself; ends with the network check and a GeoJSON of it all.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

tool=build/bin/gnssimport
echo "== Plug-ins"
"$tool" plugins

files=()
for f in examples/*/*; do
    case "$f" in *.md) continue ;; esac
    [ -f "$f" ] && files+=("$f")
done
if [ ${#files[@]} -eq 0 ]; then
    echo "no examples found" >&2
    exit 1
fi

echo
echo "== gnssimport --check examples/*/*"
status=0
"$tool" --check "${files[@]}" || status=$?

echo
echo "== gnssimport -f geojson -o build/examples.geojson examples/*/*"
"$tool" -f geojson -o build/examples.geojson "${files[@]}" || status=$?
exit $status
