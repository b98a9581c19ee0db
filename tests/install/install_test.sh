#!/usr/bin/env bash
# The installed player: `cmake --install` of the built tree into a temporary
# DESTDIR, the installed folders read-only, the installed player run twice
# on a real X server (Xvfb) with the user's folders of the test. The user's
# files must appear under XDG_DATA_HOME only, and the second run must find
# the setting the first one changed. The desktop files must validate, and
# the Debian package must name its maintainer and carry its copyright.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
player=""
server=""
cleanup() {
  for process in $player $server; do kill "$process" 2>/dev/null || true; done
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr
for file in bin/ludro bin/ludroctl bin/sonark-play bin/ludro-cd include/ludro/gen_plugin.h \
            share/man/man1/ludro.1.gz share/man/man1/ludroctl.1.gz share/man/man1/sonark-play.1.gz share/man/man1/ludro-cd.1.gz \
            share/applications/org.ludro.LudroPro.desktop share/icons/hicolor/scalable/apps/org.ludro.LudroPro.svg \
            share/metainfo/org.ludro.LudroPro.metainfo.xml share/ludro-pro/demo/Demo.m3u share/ludro-pro/textures/Ember \
            share/ludro-pro/language/Deutsch.ini share/ludro-pro/presets/Rock share/ludro-pro/Browser/Home.html; do
  [ -e "$usr/$file" ] || fail "$file is not installed"
done

desktop-file-validate "$usr/share/applications/org.ludro.LudroPro.desktop" || fail "desktop-file-validate"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$usr/share/metainfo/org.ludro.LudroPro.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate: $(appstreamcli validate --no-net "$usr/share/metainfo/org.ludro.LudroPro.metainfo.xml")"
else
  echo "SKIPPED: appstreamcli is missing (the appstream package; scripts/setup installs it)"
fi

# The Debian package as lintian wants it: a machine-readable copyright file
# and a maintainer with an address.
format=$(head -n 1 "$usr/share/doc/ludro-pro/copyright" 2>/dev/null || true)
[ "$format" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
  fail "share/doc/ludro-pro/copyright is missing or not machine-readable"
# The package's maintainer, as cpack -G DEB writes it (building the package
# itself is slow on a sanitizer build and adds nothing the install has not).
contact=$(sed -n 's/^set(CPACK_PACKAGE_CONTACT "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[[ $contact == *" <"?*@?*">" ]] || fail "the package's maintainer has no address: $contact"

chmod -R a-w "$root"
# Root may write anyway: what the installed folders hold is compared instead.
find "$root" | sort >"$work/installed.before"

mkdir -p "$work/data" "$work/config" "$work/run" "$work/home"
chmod 700 "$work/run"
export HOME=$work/home XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
export LUDRO_ALSA_DEVICE=null QT_QPA_PLATFORM=xcb
unset LUDRO_HOME
# Qt's X11 platform asks the session bus for desktop settings; libdbus keeps
# what it allocates for that until the process ends.
echo "leak:libdbus-1.so" >"$work/lsan.supp"
export LSAN_OPTIONS="suppressions=$work/lsan.supp"

xvfb=$work/display
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$xvfb" 2>/dev/null &
server=$!
for _ in $(seq 100); do [ -s "$xvfb" ] && break; sleep 0.1; done
[ -s "$xvfb" ] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$xvfb")

# Runs the installed player (no file named) until it answers, sends `$@` with ludroctl,
# then ends it the way a desktop does (SIGTERM).
run_player() {
  "$usr/bin/ludro" >"$work/player.log" 2>&1 &
  player=$!
  local answered=""
  for _ in $(seq 150); do
    if "$usr/bin/ludroctl" 40199 2>/dev/null; then answered=1; break; fi
    sleep 0.2
  done
  [ -n "$answered" ] || { cat "$work/player.log" >&2; fail "the installed player does not answer"; }
  if [ $# -gt 0 ]; then
    "$usr/bin/ludroctl" "$@" || fail "ludroctl $*"
    sleep 2  # the main window's timer takes the command
  fi
  kill -TERM "$player"
  wait "$player" || { cat "$work/player.log" >&2; fail "the player ended with status $?"; }
  player=""
}

# The first start, with nothing to play named, opens the installed demo.
run_player volume 37
mine=$work/data/ludro-pro
[ -f "$mine/LudroPro.ini" ] || fail "no settings in $mine"
grep -q '^Volume=37' "$mine/LudroPro.ini" || fail "the volume was not saved: $(cat "$mine/LudroPro.ini" "$work/player.log")"
grep -q 'morning-waltz.mp3' "$mine/Ludro.m3u" || fail "the default playlist does not hold the demo"
[ -d "$mine/Settings" ] || fail "no Settings folder in $mine"

run_player
grep -q '^Volume=37' "$mine/LudroPro.ini" || fail "the second run lost the volume"
grep -q 'morning-waltz.mp3' "$mine/Ludro.m3u" || fail "the second run lost the default playlist"

find "$root" | sort >"$work/installed.after"
cmp -s "$work/installed.before" "$work/installed.after" ||
  fail "the player wrote into the installed folders: $(diff "$work/installed.before" "$work/installed.after")"
stray=$(find "$work/home" "$work/config" -name 'LudroPro.ini' -o -name 'Ludro.m3u' -o -name 'Settings')
[ -z "$stray" ] || fail "user files outside XDG_DATA_HOME: $stray"
echo "installed player keeps the user's files in $mine"
