#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test offscreen.
# Fails when a test fails or when no test ran.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure --no-tests=error --timeout 900 -j "$(nproc)"
