# List files that real machines hold, as an ordinary user would meet them:
# - a BBCode list its user may not read: the start reports it, the window shows, an add and a
#   save report that nothing was written, and the file keeps every byte (before, the save
#   replaced it with the new entry alone);
# - a list that is a symbolic link to a FIFO: the window shows within 5 s (before, the start
#   blocked before any window, SIGTERM had no effect, and a second start hung the same way),
#   a second start brings the first forward and ends, and SIGTERM ends the first.
source "$(dirname "$0")/lib.sh"
[ $# -eq 2 ] || fail "usage: list_files.sh QUILLON X11_TOOL"
x11_tool=$2

# As root, an ordinary user of its own runs the program: root reads every file anyway.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  id quillon-e2e >/dev/null 2>&1 || useradd --no-create-home --shell /usr/sbin/nologin quillon-e2e
  user_id=$(id -u quillon-e2e)
  group_id=$(id -g quillon-e2e)
  cp "${XAUTHORITY:-$HOME/.Xauthority}" "$E2E_WORK/xauthority" 2>/dev/null || true
  chown -R "$user_id:$group_id" "$E2E_WORK"
  chmod 755 "$E2E_WORK"
  export XAUTHORITY="$E2E_WORK/xauthority"
  as_user=(setpriv "--reuid=$user_id" "--regid=$group_id" --clear-groups)
fi

start_as_user() { # FOLDER: starts the copy of the program in FOLDER
  "${as_user[@]}" "$1/quillon" 2>>"$E2E_WORK/quillon.log" &
  QUILLON_PID=$!
  started "$QUILLON_PID"
}
answer_boxes() { # answers the program's error boxes (named after it, in lower case)
  while has_window quillon; do
    "$x11_tool" close quillon 2>/dev/null || true
    sleep 0.1
  done
}
ended() {
  ! running "$1"
}

# 1. An unreadable list.
folder="$E2E_WORK/unreadable"
mkdir -p "$folder"
cp "$1" "$folder/quillon"
bbcode="$folder/博客SEO_富文本型.txt"
printf '\xEF\xBB\xBF[url=http://a.example/]Kept[/url]\r\n' >"$bbcode"
printf '\xEF\xBB\xBF' >"$folder/博客SEO_MarkDown型.txt"
[ "${#as_user[@]}" -eq 0 ] || chown -R quillon-e2e "$folder"
before=$(od -An -tx1 "$bbcode")
chmod 000 "$bbcode"
start_as_user "$folder"
wait_until 20 has_window quillon || fail "no error box about the unreadable list"
answer_boxes
wait_until 20 has_window Quillon || fail "the window did not appear"
id=$(windows_named Quillon | head -1)
xdotool mousemove --window "$id" 637 84 click 1 sleep 0.5 # add (the empty BBCode link)
xdotool mousemove --window "$id" 637 146 click 1           # save
wait_until 10 has_window quillon || fail "the save said nothing"
answer_boxes
chmod 600 "$bbcode"
[ "$(od -An -tx1 "$bbcode")" = "$before" ] || fail "the unreadable list was written"
kill -TERM "$QUILLON_PID"
wait_until 10 ended "$QUILLON_PID" || fail "SIGTERM did not end Quillon"
echo "an unreadable list: reported, never written, every byte kept"

# 2. A list linked to a FIFO.
folder="$E2E_WORK/fifo"
mkdir -p "$folder"
cp "$1" "$folder/quillon"
mkfifo "$E2E_WORK/a-fifo"
ln -s "$E2E_WORK/a-fifo" "$folder/博客SEO_富文本型.txt"
printf '\xEF\xBB\xBF' >"$folder/博客SEO_MarkDown型.txt"
[ "${#as_user[@]}" -eq 0 ] || chown -R quillon-e2e "$folder" "$E2E_WORK/a-fifo"
start=$(now)
start_as_user "$folder"
first=$QUILLON_PID
until has_window Quillon; do
  answer_boxes
  less "$(elapsed "$start")" 5 || fail "no window within 5 s with a list linked to a FIFO"
  sleep 0.1
done
echo "window shown after $(elapsed "$start") s"
start=$(now)
start_as_user "$folder"
second=$QUILLON_PID
wait_until 10 ended "$second" || fail "a second start was held up"
[ "$(window_count Quillon)" -eq 1 ] || fail "a second window opened"
echo "a second start ended after $(elapsed "$start") s and opened no window"
kill -TERM "$first"
wait_until 10 ended "$first" || fail "SIGTERM did not end Quillon"
echo "SIGTERM ended it"
