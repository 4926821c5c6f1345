#!/usr/bin/env bash
# Installs the Debian packages Quintora needs to build, test and run, when any is missing.
set -euo pipefail
PACKAGES=(
  cmake ninja-build g++ pkg-config libgtest-dev libbenchmark-dev
  qt6-base-dev libqt6sql6-sqlite libsqlite3-dev
  portaudio19-dev libsndfile1-dev libsamplerate0-dev jackd2
  xvfb xauth xdotool x11-xkb-utils imagemagick x11-utils fonts-dejavu-core sox lame
  qt6-translations-l10n
  desktop-file-utils appstream lintian man-db dpkg-dev fakeroot gzip qt6-qpa-plugins
  libtag1-dev libebur128-dev libpoppler-qt6-dev
  librtmidi-dev libjack-jackd2-dev
  mdbtools-dev python3
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
# jackd2 asks about realtime priority unless the front end is non-interactive.
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
