#!/usr/bin/env bash
# Sets up, builds and starts the main program on the ready program folder of the build tree.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
exec "${BUILD_DIR:-build}/bin/focolarium"
