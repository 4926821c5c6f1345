#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quintora with the given arguments
# (./run.sh --demo starts it with the demo library).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh
exec build/quintora "$@"
