#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test offscreen.
# Fails when a test fails or when no test ran.
#   ./test.sh             the release build (build/)
#   ./test.sh --sanitize  every test again under AddressSanitizer, LeakSanitizer and
#                         UndefinedBehaviorSanitizer, in a tree of its own (build-asan/)
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
export QT_QPA_PLATFORM=offscreen
if [ "${1:-}" = "--sanitize" ]; then
  scripts/build.sh --sanitize
  here=$(pwd)
  # A sanitizer report ends the test process with a failure; leaks are looked for at
  # exit, less those of system libraries listed (each with its reason) in the file.
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1"
  export LSAN_OPTIONS="suppressions=$here/tests/sanitizer/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
  cd build-asan
  ctest --output-on-failure --no-tests=error --timeout 1800 --repeat until-pass:2 -j "$(nproc)"
  exit 0
fi
scripts/build.sh
cd build
ctest --output-on-failure --no-tests=error --timeout 900 --repeat until-pass:2 -j "$(nproc)"
