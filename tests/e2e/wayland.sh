# Quillon under a Wayland compositor (weston, headless): it runs as a native Wayland client
# without being told to, shows its window, and ends cleanly when asked to.
source "$(dirname "$0")/lib.sh"
[ $# -eq 1 ] || fail "usage: wayland.sh QUILLON"
app=$(program_copy "$1" lists)

socket="quillon-test-$$"
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 \
  >"$E2E_WORK/weston.log" 2>&1 &
weston=$!
started "$weston"
wait_until 20 test -S "$XDG_RUNTIME_DIR/$socket" || fail "weston did not start: $(cat "$E2E_WORK/weston.log")"

shown() {
  grep -q 'quillon: window shown on' "$E2E_WORK/quillon.log"
}
# start_expecting PLATFORM ENV...: starts Quillon with the environment changes, waits for its
# window and checks the platform it was shown on.
start_expecting() {
  local platform=$1
  shift
  env -u QT_QPA_PLATFORM "$@" QUILLON_REPORT_PLATFORM=1 "$app" 2>"$E2E_WORK/quillon.log" &
  quillon=$!
  started "$quillon"
  wait_until 30 shown || fail "the window was not shown: $(cat "$E2E_WORK/quillon.log")"
  grep -q "quillon: window shown on $platform\$" "$E2E_WORK/quillon.log" ||
    fail "not shown on $platform: $(cat "$E2E_WORK/quillon.log")"
}

# A Wayland session as a desktop sets it up: no X display, no platform chosen.
start_expecting wayland -u DISPLAY WAYLAND_DISPLAY="$socket"
echo "the window was shown as a Wayland client"

start=$(now)
kill -TERM "$quillon"
wait "$quillon" || fail "Quillon ended with status $? under Wayland"
echo "ended cleanly in $(elapsed "$start")s"

# Without a usable Wayland display it falls back to X11.
start_expecting xcb WAYLAND_DISPLAY=no-such-socket
kill -TERM "$quillon"
wait "$quillon" || fail "Quillon ended with status $? on X11"
echo "fell back to X11 without a Wayland display"
