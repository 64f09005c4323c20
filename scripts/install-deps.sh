#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (idempotent) and
# generates the comma-decimal locale the locale tests use.
set -euo pipefail

packages=(cmake ninja-build g++ libboost-dev libeigen3-dev libgtest-dev locales)
# The gnssimport tool: arguments, JSON, geodesy; the .deb test: dpkg-shlibdeps and file.
packages+=(libcli11-dev nlohmann-json3-dev libgeographiclib-dev dpkg-dev file)
# The manual page and bash completion tests, and lintian on the .deb.
packages+=(man-db bash-completion lintian gzip)
# The GDAL/OGR driver and its tests: GDAL's headers, ogrinfo/ogr2ogr, Python bindings.
packages+=(libgdal-dev gdal-bin python3-gdal)
# The export tests validate DynaML and gama-local files with xmllint.
packages+=(libxml2-utils)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# ru_RU writes a decimal comma; ps_AF another decimal point altogether (U+066B).
for name in ru_RU ps_AF; do
    if ! locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8\$"; then
        $sudo localedef -i "$name" -f UTF-8 "$name.UTF-8" 2>/dev/null || echo "note: could not generate $name.UTF-8; its locale tests will be skipped"
    fi
done
