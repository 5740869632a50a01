#!/usr/bin/env bash
# Makes the pictures of the help page (data/help/*.png) from the real main window with the
# shipped data folder. Run it after a change to the window, and commit the pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh -DKARTELLO_TOOLS=ON >/dev/null
build/tools/help_screenshots data/system data/help
