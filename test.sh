#!/usr/bin/env bash
# Installs what Kartello needs, builds it with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh -DKARTELLO_TESTS=ON -DKARTELLO_BENCH=ON
cd build
ctest --output-on-failure --no-tests=error --timeout 300 -j "$(nproc)"
