#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# check_package.sh <build-dir>: builds the Debian package from the build and lets lintian
# judge it; any error or warning fails. Without lintian or dpkg-shlibdeps it is skipped (77).
set -eu
build=$1
command -v lintian >/dev/null 2>&1 && command -v dpkg-shlibdeps >/dev/null 2>&1 || exit 77
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$tmp" && cpack -G DEB --config "$build/CPackConfig.cmake" >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log" >&2; exit 1; }
deb=$(ls "$tmp"/*.deb)
lintian --fail-on error,warning "$deb"
echo "lintian: no error and no warning on $(basename "$deb")"
