# Two writers on one list file: an outside program appends to the BBCode list and rewrites
# it (a new file renamed over it) and deletes by rewriting, while the window adds and saves
# (its deletes are merged by the same rule; the unit tests cover them). After every
# outside change the list shown is read back (all rows selected, copied as BBCode from the
# list's context menu, Shift+F10), and after every save the file's bytes are checked.
# Before, the first save after an outside change was refused, and so was every later one.
source "$(dirname "$0")/lib.sh"
[ $# -eq 1 ] || fail "usage: two_writers.sh QUILLON"
app=$(program_copy "$1" lists)
folder=$(dirname "$app")
file="$folder/博客SEO_富文本型.txt"
printf '\xEF\xBB\xBF[url=http://a.example/]A[/url]\r\n' >"$file"
"$app" 2>"$E2E_WORK/quillon.log" &
started $!
wait_until 20 has_window Quillon || fail "the window did not appear"
id=$(windows_named Quillon | head -1)

click() {
  xdotool mousemove --window "$id" "$1" "$2" click 1 sleep 0.3
}
# The rows of the BBCode list, one a line, as its context menu copies them.
shown() {
  click 300 200
  xdotool key --delay 50 ctrl+a shift+F10
  sleep 0.4
  xdotool key --delay 80 Down Down Down Return
  sleep 0.3
  clip UTF8_STRING
}
shown_is() {
  [ "$(shown)" = "$1" ]
}
file_is() { # PRINTF_FORMAT: the file's bytes after its mark
  [ "$(od -An -tx1 <"$file")" = "$(printf "\\xEF\\xBB\\xBF$1" | od -An -tx1)" ]
}

# An outside program appends; the list shown follows.
printf '[url=http://ext.example/]External[/url]\r\n' >>"$file"
wait_until 10 shown_is "$(printf '[url=http://a.example/]A[/url]\n[url=http://ext.example/]External[/url]')" ||
  fail "after the append, the list shows: $(shown)"
echo "an outside append shows in the list"

# The window adds an entry (the composed link of an empty title) ...
click 150 39
xdotool type --delay 20 'http://m.example/'
click 344 12 # compose the BBCode link
click 637 84 # add
# ... while the outside program rewrites the file with one more entry.
printf '\xEF\xBB\xBF[url=http://a.example/]A[/url]\r\n[url=http://ext.example/]External[/url]\r\n[url=http://z.example/]Z[/url]\r\n' >"$file.new"
mv "$file.new" "$file"
sleep 1
click 637 146 # save
want='[url=http://a.example/]A[/url]\r\n[url=http://ext.example/]External[/url]\r\n[url=http://m.example/][/url]\r\n[url=http://z.example/]Z[/url]\r\n'
wait_until 10 file_is "$want" || fail "after the save the file holds: $(cat -A "$file")"
echo "the save kept both writers' entries"

# The outside program deletes "A" by rewriting the file; the window shows that too.
printf '\xEF\xBB\xBF[url=http://ext.example/]External[/url]\r\n[url=http://m.example/][/url]\r\n[url=http://z.example/]Z[/url]\r\n' >"$file.new"
mv "$file.new" "$file"
wait_until 10 shown_is "$(printf '[url=http://ext.example/]External[/url]\n[url=http://m.example/][/url]\n[url=http://z.example/]Z[/url]')" ||
  fail "after the outside delete, the list shows: $(shown)"
echo "an outside delete shows in the list"
