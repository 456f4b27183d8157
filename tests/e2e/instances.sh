# Two starts on the same lists: the second brings the first forward and ends; a Quillon
# killed outright leaves a lock that the next start takes over; closing the window ends the
# program at once when no clipboard manager runs; a list folder removed while Quillon runs
# is made again by the next save.
source "$(dirname "$0")/lib.sh"
[ $# -eq 2 ] || fail "usage: instances.sh QUILLON X11_TOOL"
x11_tool=$2
app=$(program_copy "$1" lists)

"$app" 2>"$E2E_WORK/first.log" &
first=$!
started "$first"
wait_until 20 has_window Quillon || fail "the first window did not appear"

start=$(now)
timeout 20 "$app" 2>"$E2E_WORK/second.log" || fail "the second start failed ($?)"
took=$(elapsed "$start")
less "$took" 5 || fail "the second start took ${took}s to hand over"
[ "$(window_count Quillon)" -eq 1 ] || fail "a second window opened"
running "$first" || fail "the first Quillon ended"
echo "second start handed over to the first in ${took}s"

# A crash: the lock file stays behind, and its owner is gone.
kill -KILL "$first"
wait "$first" 2>/dev/null || true
ls "$XDG_RUNTIME_DIR"/quillon-*.lock >/dev/null || fail "no lock file to take over"
wait_until 10 has_no_window Quillon || fail "the killed window stayed"
"$app" 2>"$E2E_WORK/third.log" &
third=$!
started "$third"
wait_until 20 has_window Quillon || fail "no window after a crash: the stale lock was not taken over"
running "$third" || fail "the start after a crash ended"
echo "the lock of a killed Quillon was taken over"

# The list folder goes away while Quillon runs; the BBCode list's save button makes it again.
rm -rf "$(dirname "$app")"
id=$(windows_named Quillon | head -1)
xdotool mousemove --window "$id" 637 146 click 1
list="$(dirname "$app")/博客SEO_富文本型.txt"
wait_until 10 test -f "$list" || fail "the save did not make the removed list folder again"
[ "$(od -An -tx1 "$list" | tr -d ' \n')" = efbbbf ] || fail "the saved list is not an empty UTF-8 list"
has_no_window quillon || fail "an error box opened on saving into a removed folder"
echo "a removed list folder was made again by the save"

# Closing the window with nothing on the clipboard: the program ends at once.
start=$(now)
"$x11_tool" close Quillon || fail "no window to close"
wait_until 10 has_no_window Quillon || fail "the window stayed after closing"
wait "$third" || fail "Quillon ended with status $? after closing"
took=$(elapsed "$start")
less "$took" 4 || fail "Quillon took ${took}s to end after closing"
echo "closed and ended in ${took}s"

# A session that ends while the error box of a first start is up (no lists yet): the box
# goes and the program ends, rather than waiting for an answer that will not come.
bare="$E2E_WORK/bare"
mkdir -p "$bare"
cp "$1" "$bare/quillon"
"$bare/quillon" 2>"$E2E_WORK/bare.log" &
bare_pid=$!
started "$bare_pid"
wait_until 20 has_window quillon || fail "no error box for the missing lists"
start=$(now)
kill -TERM "$bare_pid"
wait "$bare_pid" || fail "ended with status $? on SIGTERM at the error box"
took=$(elapsed "$start")
less "$took" 5 || fail "took ${took}s to end on SIGTERM at the error box"
has_no_window quillon || fail "an error box stayed"
has_no_window Quillon || fail "the window opened after SIGTERM"
echo "SIGTERM at the start-up error box ended the program in ${took}s"
