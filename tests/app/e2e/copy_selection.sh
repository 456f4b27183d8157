#!/usr/bin/env bash
# Quillon on a virtual X server, as a user would drive it: type a title and an address, click
# the blue label, select part of the title in the editor with the keyboard, press Ctrl+C, and
# read the clipboard back with xclip. The selected part alone must be there in every format,
# still a hyperlink to the address.
#
# Usage: copy_selection.sh QUILLON_EXECUTABLE. Needs xvfb-run, xdotool and xclip (the test
# packages of scripts/lib/common.sh); a missing tool fails the test.
set -euo pipefail

app=${1:?usage: copy_selection.sh QUILLON_EXECUTABLE}
for tool in xvfb-run xdotool xclip; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 1; }
done

if [ -z "${QUILLON_E2E_INNER:-}" ]; then
  export QUILLON_E2E_INNER=1
  exec timeout 150 xvfb-run -a -n 200 -s "-screen 0 1024x600x24 -dpi 96" bash "$0" "$app"
fi

title="Quillon docs"
address="https://example.com/docs"
selected="Quill"
field="{\\field{\\*\\fldinst HYPERLINK \"$address\"}{\\fldrslt \\plain \\f0\\ul\\fs20\\cf1 $selected}}"
html="<meta charset=\"utf-8\"><a href=\"$address\" style=\"color:#0000ff;text-decoration:underline\">$selected</a>"

"$app" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT

# Waits up to $1 seconds for a visible window named exactly $2; prints its id.
wait_window() {
  local deadline=$((SECONDS + $1)) w
  while [ $SECONDS -lt $deadline ]; do
    for w in $(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null); do
      # the search ignores case; the name must match exactly
      [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$2" ] && { echo "$w"; return 0; }
    done
    kill -0 "$pid" 2>/dev/null || { echo "quillon exited early" >&2; return 1; }
    sleep 0.2
  done
  echo "no window named $2 after $1 s" >&2
  return 1
}

# Reads one clipboard target, bounded in time.
clip() {
  timeout 10 xclip -o -selection clipboard -t "$1"
}

# Polls until the clipboard's plain text is $1 (the copy is asynchronous to the key press).
wait_clipboard_text() {
  local deadline=$((SECONDS + 15))
  while [ $SECONDS -lt $deadline ]; do
    [ "$(clip UTF8_STRING 2>/dev/null || true)" = "$1" ] && return 0
    sleep 0.2
  done
  echo "clipboard text is '$(clip UTF8_STRING 2>/dev/null || true)', expected '$1'" >&2
  return 1
}

# List files missing beside a fresh build are reported in an error box titled after the
# executable before the window shows; each is answered as a person would.
main=
deadline=$((SECONDS + 60))
while [ -z "$main" ] && [ $SECONDS -lt $deadline ]; do
  if box=$(wait_window 1 quillon 2>/dev/null); then
    xdotool mousemove --window "$box" 10 10 click 1 key --clearmodifiers Return
    sleep 0.3
    continue
  fi
  main=$(wait_window 1 Quillon 2>/dev/null) || main=
done
[ -n "$main" ] || { echo "no Quillon window after 60 s" >&2; exit 1; }
sleep 0.5

# Layout positions of the window (96 dots per inch): Edit1, Edit2, Label1, RichViewEdit1.
xdotool mousemove --window "$main" 100 12 click 1
xdotool type --delay 30 "$title"
xdotool mousemove --window "$main" 100 39 click 1
xdotool type --delay 30 "$address"
xdotool mousemove --window "$main" 120 59 click 1
wait_clipboard_text "$title"

# Into the editor: a click places the caret, Home goes to the line's start, Shift+Right five
# times selects "Quill", Ctrl+C copies.
xdotool mousemove --window "$main" 400 61 click 1
sleep 0.3
xdotool key --delay 50 Home shift+Right shift+Right shift+Right shift+Right shift+Right ctrl+c
wait_clipboard_text "$selected"

fail=0
rtf=$(clip text/rtf)
case "$rtf" in
  *"\\itap0 $field}") ;;
  *) echo "text/rtf does not end in the hyperlink field of '$selected':" >&2
     echo "$rtf" >&2; fail=1 ;;
esac
case "$rtf" in
  *docs}*) echo "text/rtf holds the unselected part of the title" >&2; fail=1 ;;
esac
[ "$(clip application/rtf)" = "$rtf" ] || { echo "application/rtf differs from text/rtf" >&2; fail=1; }
got_html=$(clip text/html)
[ "$got_html" = "$html" ] || { echo "text/html is '$got_html', expected '$html'" >&2; fail=1; }
[ "$(clip TEXT)" = "$selected" ] || { echo "TEXT is not '$selected'" >&2; fail=1; }
clip "RichView Format" | grep -q "$address" ||
  { echo "RichView Format lacks the address" >&2; fail=1; }
[ $fail -eq 0 ] && echo "the clipboard holds '$selected' as a link to $address in every format"
exit $fail
