#!/usr/bin/env bash
# The driver through GDAL's own tools and Python, with GDAL_DRIVER_PATH set
# to the build tree. Usage: tools_test.sh CASE BUILD_DIR SOURCE_DIR GNSSIMPORT PYTHON
set -euo pipefail
case_name=$1 build=$2 source=$3 tool=$4 python=${5:-}
export GDAL_DRIVER_PATH=$build/gdalplugins
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
count() { # FILE LAYER: the layer's feature count by ogrinfo
    ogrinfo -ro -so "$1" "$2" | sed -n 's/^Feature Count: //p'
}
driver_of() { ogrinfo -ro -so "$1" 2>/dev/null | sed -n "s/.*using driver \`\([^']*\)'.*/\1/p"; }

case $case_name in
ogrinfo)
    # Every example and real export: counts and first names as the tool's JSON has them.
    files=("$source"/examples/*/*.{asc,txt,tvf,dat,csv,prn})
    for f in /work/shared/real-samples/tgotbc/*.asc; do [ -e "$f" ] && files+=("$f"); done
    for f in "${files[@]}"; do
        "$tool" -f json "$f" > "$work/out.json" || true
        read -r points vectors first <<<"$(python3 -c '
import json, sys
f = json.load(open(sys.argv[1]))["files"][0]
print(len(f["points"]), len(f["vectors"]), (f["points"] or f["vectors"])[0].get("name") or f["vectors"][0]["from"])
' "$work/out.json")"
        [ "$(driver_of "$f")" = GNSSImport ] || fail "$f not opened by GNSSImport"
        [ "$(count "$f" points)" = "$points" ] || fail "$f: points $(count "$f" points), tool $points"
        [ "$(count "$f" vectors)" = "$vectors" ] || fail "$f: vectors $(count "$f" vectors), tool $vectors"
        grep -qF -- "$first" <<<"$(ogrinfo -ro -al "$f")" || fail "$f: $first not listed"
    done
    ;;
ogr2ogr)
    # A TBC export to GeoPackage and GeoJSON and back, feature for feature.
    src=$source/examples/tgotbc/lakeland-control.asc
    for format in GPKG GeoJSON; do
        for layer in points vectors; do
            out=$work/$layer.$format
            ogr2ogr -f "$format" "$out" "$src" "$layer"
            [ "$(count "$out" "$layer")" = "$(count "$src" "$layer")" ] || fail "$format $layer count"
            grep -q 'LINESTRING Z\|POINT Z' <<<"$(ogrinfo -ro -al "$out")" || fail "$format $layer lost Z"
        done
        # Names and values survive (GeoJSON and GPKG write them the same way).
        for name in $(ogrinfo -ro -al "$src" points | sed -n 's/^  name (String) = //p'); do
            grep -q "name (String) = $name" <<<"$(ogrinfo -ro -al "$work/points.$format")" || fail "$format lost $name"
        done
    done
    ;;
python)
    [ -n "$python" ] || { echo "no python3 with osgeo"; exit 77; }
    "$python" - "$source/examples/topcon/berezovka-cp1251.txt" <<'PY'
import sys
from osgeo import ogr
ogr.UseExceptions()
ds = ogr.Open(sys.argv[1])
assert ds.GetDriver().GetName() == "GNSSImport", ds.GetDriver().GetName()
points, vectors = ds.GetLayerByName("points"), ds.GetLayerByName("vectors")
assert points.GetFeatureCount() == 5 and vectors.GetFeatureCount() == 7
names = [f.GetField("name") for f in points]
assert all(names), names
first = points.GetFeature(1)
x, y, z = first.GetGeometryRef().GetPoint()
assert 20 < x < 60 and 40 < y < 70, (x, y)
PY
    ;;
not-claimed)
    printf 'name,lat,lon\nParis,48.85,2.35\nOslo,59.91,10.75\n' > "$work/cities.csv"
    [ "$(driver_of "$work/cities.csv")" = CSV ] || fail "plain CSV not read by the CSV driver"
    printf 'The survey went well.\nP, as in Peter.\nSpectrum Survey is a program.\n' > "$work/notes.txt"
    if ogrinfo -ro -so "$work/notes.txt" >/dev/null 2>&1; then fail "prose .txt opened"; fi
    ;;
*) fail "unknown case $case_name" ;;
esac
