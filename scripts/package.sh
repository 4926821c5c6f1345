#!/usr/bin/env bash
# Builds the Debian package of Quintora into build/package/:
#   scripts/package.sh
#   sudo apt install ./quintora_*.deb
# The package is left in build/package/ and copied into the folder it was started
# from. Only the program and its documents are built for it (Release), not the tests.
set -euo pipefail
here=$(pwd)
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target quintora quintora_docs --parallel "$(nproc)"
(cd build && cpack --config CPackConfig.cmake)
deb=$(ls -t build/package/quintora_*.deb | head -1)
[ "$(cd "$here" && pwd)" = "$(pwd)/build/package" ] || cp "$deb" "$here/"
echo "$here/$(basename "$deb")"
