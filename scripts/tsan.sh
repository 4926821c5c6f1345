#!/usr/bin/env bash
# ThreadSanitizer over the code that runs on more than one thread. Builds the program
# and these test programs with -fsanitize=thread into build-tsan/ (no benchmarks) and
# runs them:
#   test_playback     the audio engine, its groove loader and the offline output
#   test_audiodevice  the engine on a paced device (JACK dummy servers, 44.1 and 48 kHz)
#   test_pedals       the MIDI pedals through a JACK dummy server (RtMidi's own thread)
#   test_remote       the whole program through the harness, from the pedals to the sound
#   test_beatclock    the beat clock's JACK thread reading the engine's timeline
# The JACK servers are started here, outside the sanitized test processes (a fork of
# jackd from inside one gives false reports). Fails when a test fails or when
# ThreadSanitizer reports anything (a data race, a lock order inversion, ...) that
# tests/sanitizer/tsan.supp does not list; that list holds only reports wholly inside
# libraries not built for ThreadSanitizer (Qt, GLib, JACK), never ours.
#   scripts/tsan.sh              all of them
#   scripts/tsan.sh test_pedals  only the test programs named
# Each program's output is kept in build-tsan/<program>.log; the summary names, for
# every report, the first two places in Quintora's own code. Run it before any change
# to the threads; CI does not.
set -euo pipefail
cd "$(dirname "$0")/.."
tests=("$@")
[ ${#tests[@]} -gt 0 ] || tests=(test_playback test_audiodevice test_pedals test_remote test_beatclock)
scripts/deps.sh
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINTORA_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" >/dev/null
cmake --build build-tsan --parallel "$(nproc)" --target quintora "${tests[@]}"

prefix="quintora_tsan_$$"
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; }
trap cleanup EXIT
# Named "<prefix>_<rate>" at 256 frames, "<prefix>_<rate>_<period>" at other periods,
# with "_p<ports>" after it when the server has other than two playback ports.
servers=("44100 256 2 ${prefix}_44100" "48000 256 2 ${prefix}_48000"
         "44100 64 2 ${prefix}_44100_64" "44100 512 2 ${prefix}_44100_512"
         "48000 512 4 ${prefix}_48000_512_p4")
for server in "${servers[@]}"; do
  read -r rate period ports name <<<"$server"
  jackd -n "$name" --no-realtime -d dummy -r "$rate" -p "$period" -P "$ports" >/dev/null 2>&1 &
  pids+=($!)
done
for server in "${servers[@]}"; do
  read -r _ _ _ name <<<"$server"
  jack_wait -s "$name" -w -t 10 >/dev/null
done

export QT_QPA_PLATFORM=offscreen QUINTORA_JACK_SERVERS="$prefix"
export TSAN_OPTIONS="halt_on_error=0:exitcode=0:second_deadlock_stack=1:die_after_fork=0:suppressions=$(pwd)/tests/sanitizer/tsan.supp"
status=0
races=0
for t in "${tests[@]}"; do
  echo "== $t"
  log="build-tsan/$t.log"
  rc=0
  build-tsan/tests/$t >"$log" 2>&1 || rc=$?
  grep -E '^\[  (PASSED|FAILED|SKIPPED) ' "$log" || true
  [ "$rc" -eq 0 ] || { echo "$t exited with $rc"; status=1; }
  # Each report: its title and the first two frames of our own sources in the stacks
  # of its accesses. JACK opens some descriptors in ways ThreadSanitizer does not see,
  # so a descriptor JACK closes and opens again looks like a race on it: such a report,
  # with no frame of ours in either access, is shown but not counted.
  awk -v counted="build-tsan/$t.counted" '
    /WARNING: ThreadSanitizer/ {
      title = $0; sub(/.*WARNING: ThreadSanitizer: /, "", title); sub(/ \(pid=[0-9]+\)/, "", title)
      places = ""; n = 0; fd = 0; access = 1; inside = 1; next
    }
    !inside { next }
    /^  (Read|Write|Atomic|Previous|Mutex M[0-9]+ acquired)/ { access = 1 }
    /^  (Location is|Mutex M[0-9]+ .*created|Thread T[0-9]+ .*created|As if synchronized)/ { access = 0 }
    /^  Location is file descriptor/ { fd = 1 }
    access && / #[0-9]+ / && !/libsanitizer/ && match($0, /(^|[ \/])(src|tests)\/[^ ]+:[0-9]+/) {
      fn = substr($0, 1, RSTART); sub(/^ *#[0-9]+ /, "", fn); sub(/ [^ ]*$/, "", fn)
      place = substr($0, RSTART, RLENGTH); sub(/^[ \/]/, "", place)
      if (n < 2) places = places "\n      " place " (" fn ")"
      n++
    }
    /^SUMMARY: ThreadSanitizer/ {
      inside = 0
      if (n == 0 && fd) { print "  " title " on a descriptor inside JACK: not counted"; next }
      total++
      print "  " title ":" (n > 0 ? places : " no frame of our code")
    }
    END { print total + 0 > counted }' "$log"
  races=$((races + $(cat "build-tsan/$t.counted")))
done
echo "ThreadSanitizer reports: $races"
[ "$races" -eq 0 ] || status=1
exit $status
