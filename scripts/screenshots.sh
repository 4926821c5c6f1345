#!/usr/bin/env bash
# Makes the README's screenshots (docs/*.png): runs Quintora with the demo library
# under Xvfb, drives it with xdotool as a user would, and photographs each window.
# The demo lives in a temporary home folder, so nothing of the user's is touched.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
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
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }
shoot() { import -window "$1" "$2"; }
# The pedal box appears once the demo library is ready (a first start makes it).
box=$(window '^Pedaliera virtuale$')
sleep 1
main=$(xdotool search --onlyvisible --name '^Quintora$' | head -n 1)
# Connect, choose running order 1, prepare its first song, start it with pedal 1.
click 46 511
xdotool key --window "$main" F8 Down Down Escape
sleep 1.5
xdotool mousemove 806 104 mousedown 1; sleep 0.3; xdotool mouseup 1
sleep 0.5
shoot "$main" docs/main-window.png
shoot "$box" docs/pedal-box.png
# The library check, run over the title list.
click 412 511
check=$(window '^Verifiche')
xdotool mousemove --window "$check" 58 397 click 1
sleep 1.5
shoot "$check" docs/library-check.png
xdotool key --window "$check" Escape
# The song dialog of the third song (a double click on its row), then the set lists
# (the last item of the menu Archivio).
xdotool mousemove 50 184 click --repeat 2 --delay 80 1
song=$(window '^Brano$')
sleep 0.5
shoot "$song" docs/song-dialog.png
xdotool key --window "$song" Escape
sleep 0.3
click 106 8
xdotool key Up Return
lists=$(window '^Scalette$')
sleep 0.5
shoot "$lists" docs/set-lists.png
xdotool key --window "$lists" Escape
# The settings.
click 326 511
settings=$(window '^Configurazione')
sleep 0.5
shoot "$settings" docs/settings.png
kill "$pid"
SCRIPT
xvfb-run -a -s "-screen 0 1280x900x24" bash "$HOME/drive.sh"
ls -l docs/*.png
