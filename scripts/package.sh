#!/usr/bin/env bash
# Builds the Debian package of this tree, build-package/kartello_<version>-1_<arch>.deb, and
# checks it: lintian (no errors), desktop-file-validate and appstreamcli validate --no-net on
# what it installs. Installs what the build needs and the packaging tools first (as root or with
# sudo): dpkg-dev (dpkg-shlibdeps works out the dependencies), lintian, desktop-file-utils and
# appstream.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
tools=()
for p in dpkg-dev lintian desktop-file-utils appstream; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || tools+=("$p")
done
if [ ${#tools[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${tools[@]}" >/dev/null
fi

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
