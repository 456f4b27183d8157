# Editing the copied link in the window, as a user would: click the blue label, click into
# the editor beside it, press End, type a word, select all and copy. The clipboard must hold
# the edited text with the hyperlink still on the title alone; after Ctrl+Z it holds the
# title alone again. The larger window from the editor's context menu edits the same
# document: a paragraph typed there is in its copy and, after Esc, in the editor's.
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

# The larger window, from the editor's context menu (Shift+F10, then its "E"), edits the same
# document: Enter starts a paragraph there, its copy holds both paragraphs with the link, and
# after Esc the editor beside the label copies the same two paragraphs.
editor_window='超链接编辑器'
xdotool key --delay 50 shift+F10
sleep 0.5
xdotool key --delay 50 e
wait_until 10 has_window "$editor_window" || fail "the larger window did not open"
xdotool key --delay 50 End Return
xdotool type --delay 50 'second paragraph'
xdotool key --delay 50 ctrl+a ctrl+c
two_paragraphs() {
  [ "$(clip UTF8_STRING | tr -d '\r')" = $'Quillon docs\nsecond paragraph' ]
}
wait_until 10 two_paragraphs || fail "the larger window's copy is '$(clip UTF8_STRING)'"
rtf=$(clip text/rtf)
case "$rtf" in
*"HYPERLINK \"$address\""*"Quillon docs}}"*"\\par "*"second paragraph"*) echo "larger window: two paragraphs, the link on the title" ;;
*) fail "the larger window's text/rtf is $rtf" ;;
esac
xdotool key --delay 50 Escape
wait_until 10 has_no_window "$editor_window" || fail "Esc did not close the larger window"
xclip -selection clipboard -i <<<'other'
xdotool mousemove --window "$id" 400 61 click 1 sleep 0.3
xdotool key --delay 50 ctrl+a ctrl+c
wait_until 10 two_paragraphs || fail "after Esc, the editor's copy is '$(clip UTF8_STRING)'"
echo "after Esc: the editor beside the label holds and copies both paragraphs"
