#!/usr/bin/env bash
# Builds the audio engine's tests under ThreadSanitizer (build-tsan/) and runs them,
# with the JACK dummy servers that the device test plays on started here, outside the
# sanitized test process (a fork of jackd from inside it gives false reports).
# Run it before any change to the audio threads; CI does not.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINTORA_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" >/dev/null
cmake --build build-tsan --parallel "$(nproc)" --target test_playback test_audiodevice

prefix="quintora_tsan_$$"
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; }
trap cleanup EXIT
# Named "<prefix>_<rate>" at 256 frames, "<prefix>_<rate>_<period>" at other periods.
servers=("44100 256 ${prefix}_44100" "48000 256 ${prefix}_48000"
         "44100 64 ${prefix}_44100_64" "44100 512 ${prefix}_44100_512")
for server in "${servers[@]}"; do
  read -r rate period name <<<"$server"
  jackd -n "$name" --no-realtime -d dummy -r "$rate" -p "$period" >/dev/null 2>&1 &
  pids+=($!)
done
for server in "${servers[@]}"; do
  read -r _ _ name <<<"$server"
  jack_wait -s "$name" -w -t 10 >/dev/null
done

export QT_QPA_PLATFORM=offscreen QUINTORA_JACK_SERVERS="$prefix"
export TSAN_OPTIONS="halt_on_error=0:second_deadlock_stack=1:suppressions=$(pwd)/tests/sanitizer/tsan.supp"
status=0
for t in test_playback test_audiodevice; do
  echo "== $t"
  rc=0
  build-tsan/tests/$t >"build-tsan/$t.log" 2>&1 || rc=$?
  grep -E '^\[  (PASSED|FAILED|SKIPPED) |WARNING: ThreadSanitizer' "build-tsan/$t.log" || true
  [ "$rc" -eq 0 ] || status=1
done
races=$(cat build-tsan/test_*.log | grep -c 'WARNING: ThreadSanitizer' || true)
echo "ThreadSanitizer reports: $races"
[ "$races" -eq 0 ] || status=1
exit $status
