#!/usr/bin/env bash
# Configures and builds Quintora.
#   scripts/build.sh             Release build of the program, tests and benchmarks into build/
#   scripts/build.sh --sanitize  AddressSanitizer and UndefinedBehaviorSanitizer build of the
#                                program and tests (no benchmarks) into build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--sanitize" ]; then
  # No recovery from undefined behaviour: the first report fails the test that caused it.
  # Frame pointers are kept so that every report has a whole stack.
  flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUINTORA_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
  cmake --build build-asan --parallel "$(nproc)"
  exit 0
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --parallel "$(nproc)"
