#!/usr/bin/env bash
# Builds the Debian package of this tree, build-package/kartello_<version>-1_<arch>.deb, and
# checks it: lintian (no errors), desktop-file-validate and appstreamcli validate --no-net on
# what it installs. Needs dpkg-dev (dpkg-shlibdeps), lintian, desktop-file-utils and appstream.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARTELLO_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DKARTELLO_DEBIAN_DOCS=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)"
rm -f "$build"/kartello_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/kartello_*.deb)

echo "== package: $deb"
dpkg-deb --field "$deb"
echo "== files"
dpkg-deb --contents "$deb" | awk '{print $1, $6}'

echo "== lintian"
lintian --fail-on error "$deb" && echo "lintian: no errors"

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb --extract "$deb" "$tree"
echo "== desktop-file-validate"
desktop-file-validate "$tree"/usr/share/applications/*.desktop && echo "desktop-file-validate: passed"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$tree"/usr/share/metainfo/*.metainfo.xml
