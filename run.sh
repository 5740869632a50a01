#!/usr/bin/env bash
# Installs what Kartello needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh -DKARTELLO_TESTS=OFF
exec build/bin/kartello "$@"
