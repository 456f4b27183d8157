# A new user on a plain machine (LANG=C.UTF-8, no list files): a title in Chinese, Hebrew,
# an emoji and an accent is pasted into the title field, composed both ways, added to both
# lists and saved; after a restart the BBCode entry is recalled, composed and added again
# and both lists saved. Each file must then hold the exact title once (a recall that cut the
# title would have added a second, shorter entry; a file in the locale's code page would
# hold "???? ???? ? Café").
source "$(dirname "$0")/lib.sh"
[ $# -eq 2 ] || fail "usage: new_user.sh QUILLON X11_TOOL"
x11_tool=$2
export LANG=C.UTF-8 LC_ALL=C.UTF-8
folder="$E2E_WORK/fresh"
mkdir -p "$folder"
cp "$1" "$folder/quillon"
title='我的博客 שלום 😀 Café'
address='blog.example/p'
bbcode_file="$folder/博客SEO_富文本型.txt"
markdown_file="$folder/博客SEO_MarkDown型.txt"

# Answers the error boxes about the missing files, then waits for the window.
start_quillon() {
  "$folder/quillon" 2>>"$E2E_WORK/quillon.log" &
  QUILLON_PID=$!
  started "$QUILLON_PID"
  for _ in $(seq 1 200); do
    has_window Quillon && break
    "$x11_tool" close quillon 2>/dev/null || true
    sleep 0.1
  done
  wait_until 20 has_window Quillon || fail "the window did not appear"
  QUILLON_WINDOW=$(windows_named Quillon | head -1)
}
click() {
  xdotool mousemove --window "$QUILLON_WINDOW" "$1" "$2" click 1 sleep 0.3
}
paste_into() {
  printf '%s' "$3" | xclip -selection clipboard -i
  wait_until 10 clipboard_text_is "$3" || fail "xclip did not take the text"
  click "$1" "$2"
  xdotool key --delay 50 ctrl+a ctrl+v
  sleep 0.3
}
compose_add_save() {
  click 344 12  # BBCode link
  click 344 40  # Markdown link
  click 637 84  # add to the BBCode list
  click 637 254 # add to the Markdown list
  click 637 146 # save the BBCode list
  click 637 316 # save the Markdown list
}
stop_quillon() {
  kill -TERM "$QUILLON_PID"
  wait_until 10 bash -c "! [ -r /proc/$QUILLON_PID/status ] || grep -q '^State:[[:space:]]*Z' /proc/$QUILLON_PID/status" ||
    fail "Quillon did not end on SIGTERM"
}

start_quillon
paste_into 150 12 "$title"
paste_into 150 39 "$address"
compose_add_save
wait_until 10 test -s "$markdown_file" || fail "the Markdown list was not saved"
stop_quillon

bbcode_entry="[url=$address]$title[/url]"
markdown_entry="[$title](http://$address)"
expect_file() {
  local want
  want=$(printf '\xEF\xBB\xBF%s\r\n' "$2" | od -An -tx1)
  [ "$(od -An -tx1 <"$1")" = "$want" ] || fail "$(basename "$1") holds: $(cat -A "$1")"
}
expect_file "$bbcode_file" "$bbcode_entry"
expect_file "$markdown_file" "$markdown_entry"
echo "first start: both files hold the exact title, as UTF-8 with a mark"

# A restart: the entry is recalled from the list (a click on its first row, below the
# filter field), composed and added again, and both lists saved.
start_quillon
click 300 104
sleep 0.5
compose_add_save
sleep 1
stop_quillon
expect_file "$bbcode_file" "$bbcode_entry"
expect_file "$markdown_file" "$markdown_entry"
echo "after a restart: the recalled title is whole, so composing it again added no other entry"
