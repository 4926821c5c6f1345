#!/usr/bin/env bash
# Makes the stage view's screenshots (docs/stage-view*.png) at three window sizes:
# runs Quintora with the demo library under Xvfb, connects the virtual pedal box,
# prepares a song, starts it with pedal 1, marks the next one and opens "Palco" (F6).
# The demo lives in a temporary home folder, so nothing of the user's is touched.
# Expects a build (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p docs
export HOME XDG_DATA_HOME XDG_CONFIG_HOME
HOME=$(mktemp -d)
XDG_DATA_HOME="$HOME/.local/share"
XDG_CONFIG_HOME="$HOME/.config"
trap 'rm -rf "$HOME"' EXIT

cat >"$HOME/drive.sh" <<'SCRIPT'
set -u
build/quintora --demo --audio-out "$HOME/session.wav" </dev/null >"$HOME/quintora.log" 2>&1 &
pid=$!
window() { xdotool search --sync --name "$1" 2>/dev/null | head -n 1; }
box=$(window '^Pedaliera virtuale$')
sleep 1
main=$(xdotool search --onlyvisible --name '^Quintora$' | head -n 1)
collega=$(xdotool search --onlyvisible --name '^Quintora$' | head -n 1)
# Connect with Collega (bottom left), prepare the third title, start it with pedal 1.
xdotool mousemove 46 511 click 1; sleep 0.5
xdotool key --window "$main" F8 Down Down Escape
sleep 1.5
xdotool mousemove 806 104 mousedown 1; sleep 0.3; xdotool mouseup 1
sleep 3
xdotool key --window "$main" F6
stage=$(window '^Quintora - Palco$')
for size in 800x600 1920x1080 3840x2160; do
  xdotool windowmove "$stage" 0 0 windowsize "$stage" "${size%x*}" "${size#*x}"
  sleep 1.5
  import -window "$stage" "docs/stage-view-$size.png"
done
kill "$pid"
SCRIPT
xvfb-run -a -s "-screen 0 3840x2160x24" bash "$HOME/drive.sh"
ls -l docs/stage-view*.png
