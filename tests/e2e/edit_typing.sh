# Editing the copied link in the window, as a user would: click the blue label, click into
# the editor beside it, press End, type a word, select all and copy. The clipboard must hold
# the edited text with the hyperlink still on the title alone; after Ctrl+Z it holds the
# title alone again.
source "$(dirname "$0")/lib.sh"
[ $# -eq 1 ] || fail "usage: edit_typing.sh QUILLON"
address='https://example.com/docs'
copy_link "$1" 'Quillon docs' "$address"
id=$QUILLON_WINDOW

# Into the editor (right of the title, on its line), to the end, a word, everything copied.
xdotool mousemove --window "$id" 400 61 click 1 sleep 0.3
xdotool key --delay 50 End
xdotool type --delay 50 ' notes'
xdotool key --delay 50 ctrl+a ctrl+c
wait_until 10 clipboard_text_is 'Quillon docs notes' ||
  fail "after typing, the copy is '$(clip UTF8_STRING)', not 'Quillon docs notes'"

html=$(clip text/html)
case "$html" in
*"<a href=\"$address\""*">Quillon docs</a> notes"*) echo "text/html: the link on the title, the word after it" ;;
*) fail "text/html is '$html'" ;;
esac
rtf=$(clip text/rtf)
[ "$(grep -o 'HYPERLINK' <<<"$rtf" | wc -l)" -eq 1 ] || fail "text/rtf has not one hyperlink: $rtf"
case "$rtf" in
*"HYPERLINK \"$address\""*"Quillon docs}}"*"notes"*) echo "text/rtf: the field ends with the title, the word after it" ;;
*) fail "text/rtf does not hold the title alone in its field: $rtf" ;;
esac
clip 'RichView Format' | grep -q 'notes' || fail "RichView Format lacks the typed word"

# One undo takes the word (and its space) away.
xdotool key --delay 50 ctrl+z ctrl+a ctrl+c
wait_until 10 clipboard_text_is 'Quillon docs' || fail "after Ctrl+Z, the copy is '$(clip UTF8_STRING)'"
html=$(clip text/html)
case "$html" in
*">Quillon docs</a>") echo "after Ctrl+Z: the title alone, still a link" ;;
*) fail "after Ctrl+Z, text/html is '$html'" ;;
esac
