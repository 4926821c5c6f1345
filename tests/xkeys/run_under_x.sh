#!/usr/bin/env bash
# Runs the key-layout test program ($1) on a private Xvfb display: the Italian
# layout's tests with the display set to Italian, then the US ones with it set to US.
# Skips (exit 77) only when Xvfb is not installed.
set -euo pipefail
program="$1"
if ! command -v Xvfb >/dev/null || ! command -v xvfb-run >/dev/null; then
  echo "SKIPPED: Xvfb is not installed, so the keyboard layouts cannot be tried (scripts/deps.sh installs it)"
  exit 77
fi
for tool in setxkbmap xdotool xauth; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/deps.sh"; exit 1; }
done
export PROGRAM="$program"
# -noreset: Xvfb otherwise goes back to its US keymap each time its last client
# leaves, which undoes setxkbmap before the program connects.
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
  set -e
  export QT_QPA_PLATFORM=xcb
  setxkbmap it
  "$PROGRAM" --gtest_filter="XKeysIt.*"
  setxkbmap us
  "$PROGRAM" --gtest_filter="XKeysUs.*"
'
