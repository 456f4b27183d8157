# package.sh BUILD_DIR X11_TOOL: makes the package with CPack and checks it. Starts a virtual
# X display of its own for the checks that need one.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: package.sh BUILD_DIR X11_TOOL" >&2; exit 2; }
build=$1
x11_tool=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/quillon-package-XXXXXX")
quillon=
xvfb=
cleanup() {
  [ -z "$quillon" ] || { kill -KILL "$quillon" 2>/dev/null; wait "$quillon" 2>/dev/null; } || true
  [ -z "$xvfb" ] || { kill -TERM "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; } || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$work/cpack.log")"
deb=$(ls "$work"/out/quillon_*_*.deb) || fail "no quillon_VERSION_ARCH.deb made"
echo "made $(basename "$deb")"

dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents"
for path in ./usr/bin/quillon ./usr/bin/quillon-link ./usr/bin/quillon-browser-host \
  ./usr/share/quillon/browser-extension/chromium/manifest.json \
  ./usr/share/quillon/browser-extension/chromium/background.js \
  ./usr/share/applications/org.quillon.Quillon.desktop \
  ./usr/share/icons/hicolor/scalable/apps/org.quillon.Quillon.svg \
  ./usr/share/icons/hicolor/48x48/apps/org.quillon.Quillon.png \
  ./usr/share/icons/hicolor/128x128/apps/org.quillon.Quillon.png \
  ./usr/share/metainfo/org.quillon.Quillon.metainfo.xml \
  ./usr/share/man/man1/quillon-link.1.gz; do
  grep -qx -- "$path" "$work/contents" || fail "the package lacks $path"
done
# The browsers' manifests of the host: Chromium's, Chrome's and Firefox's folders (under /etc
# and /usr/lib for a package built for /usr, under its prefix otherwise).
for folder in 'etc/chromium/native-messaging-hosts' 'etc/opt/chrome/native-messaging-hosts' \
  'lib/mozilla/native-messaging-hosts'; do
  grep -q -- "/$folder/org.quillon.quillon.json\$" "$work/contents" ||
    fail "the package lacks $folder/org.quillon.quillon.json"
done
# Nothing of the build, the tests or the benchmarks.
if grep -E 'test|bench|\.a$|include/' "$work/contents"; then fail "the package holds build files"; fi
echo "the package holds the programs, the desktop entry, the icons, the metainfo and the manual"

dpkg-deb -I "$deb" >"$work/info"
grep -q '^ Package: quillon$' "$work/info" || fail "wrong package name: $(cat "$work/info")"
depends=$(sed -n 's/^ Depends: //p' "$work/info")
for library in libc6 libstdc++6 libicu72 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 \
  fonts-liberation2; do
  [[ ", $depends," == *", $library "* || ", $depends," == *", $library,"* ]] ||
    fail "Depends lacks $library: $depends"
done
echo "Depends: $depends"
# Every dependency is one this Debian has installed, in a version that satisfies it: the
# package installs here as it stands.
IFS=',' read -ra clauses <<<"$depends"
for clause in "${clauses[@]}"; do
  clause=${clause# }
  name=${clause%% *}
  installed=$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null) || fail "$name is not installed"
  if [[ "$clause" =~ \((.+)\ (.+)\) ]]; then
    dpkg --compare-versions "$installed" "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" ||
      fail "$name $installed does not satisfy $clause"
  fi
done
echo "every dependency is satisfied on this system"

root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop="$root/usr/share/applications/org.quillon.Quillon.desktop"
desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 || fail "$(cat "$work/desktop.log")"
# Two main categories are asked for; the checker's only remark may be that hint.
if grep -v 'contains more than one main category' "$work/desktop.log"; then
  fail "desktop-file-validate remarks on the entry"
fi
grep -qx 'Name\[zh_CN\]=.*' "$desktop" && grep -qx 'Comment\[zh_CN\]=.*' "$desktop" ||
  fail "no Chinese name or comment"
grep -qx 'Categories=Utility;Office;' "$desktop" || fail "wrong categories"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.quillon.Quillon.metainfo.xml" \
  >"$work/appstream.log" 2>&1 || fail "$(cat "$work/appstream.log")"
if grep -E '^[EW]:' "$work/appstream.log"; then fail "appstreamcli remarks on the metainfo"; fi
grep -q '<screenshot type="default">' "$root/usr/share/metainfo/org.quillon.Quillon.metainfo.xml" ||
  fail "the metainfo has no screenshot"
zcat "$root/usr/share/man/man1/quillon-link.1.gz" >"$work/quillon-link.1"
LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$work/quillon-link.1" 2>"$work/man.log" ||
  fail "the manual does not render"
[ ! -s "$work/man.log" ] || fail "the manual renders with warnings: $(cat "$work/man.log")"
file -b "$root/usr/share/icons/hicolor/scalable/apps/org.quillon.Quillon.svg" | grep -q SVG ||
  fail "the scalable icon is no SVG"
for size in 48 128; do
  file -b "$root/usr/share/icons/hicolor/${size}x${size}/apps/org.quillon.Quillon.png" |
    grep -q "PNG image data, $size x $size" || fail "the ${size}px icon is not ${size}x${size}"
done
echo "desktop entry, metainfo, manual and icons pass their checks"

# From here on a display is needed: a virtual one, started only now (making the package
# takes a minute or more), on a number the server itself finds free.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 1 200); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -1 "$work/display")"
unset XAUTHORITY

# The menu entry's command, found the way a menu finds it, starts the window.
command=$(sed -n 's/^Exec=//p' "$desktop")
[ "$command" = quillon ] || fail "unexpected Exec line: $command"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
PATH="$root/usr/bin:$PATH" QUILLON_REPORT_PLATFORM=1 $command 2>"$work/quillon.log" &
quillon=$!
# The first start of an installed copy finds no lists yet and says so in error boxes,
# answered here as a person would. window_shown LOG: true once the program whose standard
# error goes to LOG showed its window, answering the boxes until then (at most 20 s).
window_shown() {
  for _ in $(seq 1 400); do
    grep -q 'window shown on xcb' "$1" && return 0
    "$x11_tool" close quillon 2>/dev/null || true
    sleep 0.05
  done
  return 1
}
window_shown "$work/quillon.log" || fail "no window: $(cat "$work/quillon.log")"
kill -TERM "$quillon"
wait "$quillon" || fail "the program ended with status $?"
quillon=
echo "the menu entry's command started the window"

# The real thing, on a machine that may be changed (CI's, which is thrown away after): the
# package installed with apt-get as a user would, the menu entry started through the
# desktop's own launcher, a link added to a list (which lands in the user's data folder, as
# /usr/bin is not the user's to write), and the package removed again.
if [ "${QUILLON_TEST_SYSTEM_INSTALL:-0}" != 1 ] || [ "$(id -u)" -ne 0 ]; then
  echo "not installed system-wide (set QUILLON_TEST_SYSTEM_INSTALL=1 and run as root)"
  exit 0
fi
! dpkg -s quillon >/dev/null 2>&1 || fail "a quillon package is installed already; not touching it"
installed=0
remove_package() {
  [ "$installed" = 1 ] && DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq quillon >/dev/null 2>&1
  cleanup
}
trap remove_package EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1 ||
  fail "apt-get install failed: $(cat "$work/apt.log")"
installed=1
[ -x /usr/bin/quillon ] && [ -x /usr/bin/quillon-link ] || fail "no programs in /usr/bin"
echo "apt-get installed $(basename "$deb")"

export HOME="$work/installed-home"
mkdir -p "$HOME"
QUILLON_REPORT_PLATFORM=1 gio launch /usr/share/applications/org.quillon.Quillon.desktop \
  2>"$work/launched.log" &
quillon=
window_shown "$work/launched.log" ||
  fail "the menu entry started no window: $(cat "$work/launched.log")"
main=$(xdotool search --onlyvisible --name '^Quillon$' | head -1)
[ -n "$main" ] || fail "no window named Quillon"
sleep 0.5
xdotool mousemove --window "$main" 100 12 click 1 sleep 0.3 type --delay 20 'Installed'
xdotool mousemove --window "$main" 100 39 click 1 sleep 0.3 type --delay 20 'https://example.com/i'
# "==>转为富文本型", then the BBCode list's "添加新项" and "去重保存", which saves the list.
xdotool mousemove --window "$main" 343 12 click 1 sleep 0.3 mousemove --window "$main" 637 84 click 1 \
  sleep 0.3 mousemove --window "$main" 637 146 click 1
list="$HOME/.local/share/quillon/博客SEO_富文本型.txt"
for _ in $(seq 1 100); do
  [ -s "$list" ] && break
  sleep 0.1
done
grep -q '\[url=https://example.com/i\]Installed\[/url\]' "$list" 2>/dev/null ||
  fail "the installed program did not save its list in the data folder: $(ls -R "$HOME" 2>&1)"
echo "the installed program saved its list in $list"
"$x11_tool" close Quillon
# Running: a process of that name that has not ended (an ended child of the launcher may
# wait to be reaped).
quillon_running() {
  ps -C quillon -o stat= | grep -qv '^Z'
}
for _ in $(seq 1 100); do
  quillon_running || break
  sleep 0.1
done
! quillon_running || fail "the installed program did not end on close"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq quillon >"$work/remove.log" 2>&1 ||
  fail "apt-get remove failed: $(cat "$work/remove.log")"
installed=0
[ ! -e /usr/bin/quillon ] || fail "/usr/bin/quillon stayed after removing the package"
echo "apt-get removed the package again"
