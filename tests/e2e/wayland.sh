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

# A Wayland session as a desktop sets it up: no X display, no platform chosen.
shown() {
  grep -q 'quillon: window shown on' "$E2E_WORK/quillon.log"
}
env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY="$socket" QUILLON_REPORT_PLATFORM=1 \
  "$app" 2>"$E2E_WORK/quillon.log" &
quillon=$!
started "$quillon"
wait_until 30 shown || fail "the window was not shown: $(cat "$E2E_WORK/quillon.log")"
grep -q 'quillon: window shown on wayland$' "$E2E_WORK/quillon.log" ||
  fail "not a Wayland client: $(cat "$E2E_WORK/quillon.log")"
echo "the window was shown as a Wayland client"

start=$(now)
kill -TERM "$quillon"
wait "$quillon" || fail "Quillon ended with status $? under Wayland"
echo "ended cleanly in $(elapsed "$start")s"

# Without a usable Wayland display it falls back to X11.
env -u QT_QPA_PLATFORM WAYLAND_DISPLAY=no-such-socket QUILLON_REPORT_PLATFORM=1 \
  "$app" 2>"$E2E_WORK/quillon.log" &
quillon=$!
started "$quillon"
wait_until 30 shown || fail "no window without Wayland: $(cat "$E2E_WORK/quillon.log")"
grep -q 'quillon: window shown on xcb$' "$E2E_WORK/quillon.log" ||
  fail "no fall-back to X11: $(cat "$E2E_WORK/quillon.log")"
kill -TERM "$quillon"
wait "$quillon" || fail "Quillon ended with status $? on X11"
echo "fell back to X11 without a Wayland display"
