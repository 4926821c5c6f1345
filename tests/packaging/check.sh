#!/usr/bin/env bash
# Builds the Debian package from a configured build tree and checks it as Debian
# and the desktops would: the desktop entry and the AppStream data validate, lintian
# finds no error, the manual page renders without a warning and names every option
# of `quintora --help`, and the program unpacked into a temporary root starts and
# tells the package's version.
#   tests/packaging/check.sh BUILD_DIR
# Exits 77 (skipped) when a validator is not installed.
set -euo pipefail
build=$(cd "$1" && pwd)
for tool in desktop-file-validate appstreamcli lintian man dpkg-deb dpkg-shlibdeps fakeroot; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/deps.sh installs it)"
    exit 77
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --build "$build" --target quintora quintora_docs >/dev/null
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out" >cpack.log 2>&1) ||
  { cat "$work/cpack.log"; fail "CPack could not build the package"; }
deb=$(ls "$work"/out/quintora_*.deb)
echo "package: $(basename "$deb")"
dpkg-deb -x "$deb" "$work/root"
root=$work/root

for f in usr/bin/quintora usr/share/applications/org.quintora.Quintora.desktop \
  usr/share/metainfo/org.quintora.Quintora.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/org.quintora.Quintora.svg \
  usr/share/icons/hicolor/48x48/apps/org.quintora.Quintora.png \
  usr/share/man/man1/quintora.1.gz usr/share/doc/quintora/guida.md \
  usr/share/doc/quintora/copyright; do
  [ -e "$root/$f" ] || fail "the package holds no /$f"
done

desktop-file-validate "$root/usr/share/applications/org.quintora.Quintora.desktop" ||
  fail "desktop-file-validate"
appstreamcli validate --no-net --explain \
  "$root/usr/share/metainfo/org.quintora.Quintora.metainfo.xml" || fail "appstreamcli validate"

# The installed program, from the unpacked root, without a display.
version=$(dpkg-deb -f "$deb" Version)
said=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/quintora" --version) ||
  fail "the installed program did not start"
[ "$said" = "Quintora $version" ] || fail "--version says '$said', the package is $version"
grep -q "$version" <(zcat "$root/usr/share/man/man1/quintora.1.gz") ||
  fail "the manual page does not carry the version $version"
grep -q "version=\"$version\"" "$root/usr/share/metainfo/org.quintora.Quintora.metainfo.xml" ||
  fail "the AppStream data does not carry the version $version"

# The manual page renders without a warning and covers every option.
LC_ALL=C.UTF-8 MANWIDTH=80 MAN_KEEP_FORMATTING= man --warnings -E UTF-8 -l \
  "$root/usr/share/man/man1/quintora.1.gz" >"$work/man.txt" 2>"$work/man.err" ||
  fail "man -l"
if [ -s "$work/man.err" ]; then cat "$work/man.err"; fail "the manual page renders with warnings"; fi
for option in $("$root/usr/bin/quintora" --help | grep -o -- '--[a-z-]*' | sort -u); do
  grep -q -- "$option" "$work/man.txt" || fail "the manual page does not explain $option"
done

# lintian: warnings are shown, errors fail.
lintian --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 || true
cat "$work/lintian.txt"
if grep -q '^E:' "$work/lintian.txt"; then fail "lintian reports errors"; fi
echo "package checks passed"
