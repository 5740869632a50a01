#!/usr/bin/env bash
# Installs the Debian packages Kartello needs to build, run and test. Works as root or with sudo.
set -euo pipefail
packages=(
  build-essential cmake ninja-build ccache pkg-config
  clang libfuzzer-14-dev
  qt6-base-dev libjpeg62-turbo-dev libjpeg-turbo-progs
  googletest libgtest-dev libgmock-dev libbenchmark-dev libgif-dev
  fonts-liberation2 fonts-dejavu-core fonts-comic-neue
  python3 python3-aiosmtpd python3-cryptography libssl-dev openssl poppler-utils
  xvfb xauth xdotool
  iproute2
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
