# Pasting into the editor what a real browser copied: the clipboard then holds the browser's
# HTML and text, and the editor reads the HTML, after the copied link and without making it
# part of that link: the browser's two links stay links, and the editor's copy holds them as
# RTF HYPERLINK fields that a word processor reads back.
source "$(dirname "$0")/lib.sh"
[ $# -eq 1 ] || fail "usage: browser_paste.sh QUILLON"
for tool in /usr/bin/chromium /usr/bin/chromedriver; do
  [ -x "$tool" ] || fail "missing $tool (packages chromium, chromium-driver)"
done

address='https://example.com/docs'
copy_link "$1" 'Quillon docs' "$address"
id=$QUILLON_WINDOW

# The browser copies its selection and serves it until told it is done.
/usr/bin/python3 "$(dirname "$0")/browser_copy.py" "$E2E_WORK" "$E2E_WORK/done" \
  >"$E2E_WORK/browser.log" 2>&1 &
browser=$!
started "$browser"
browser_copied() {
  clip TARGETS | grep -qx 'text/html' && clipboard_text_is 'Pasted from a browser and another'
}
wait_until 60 browser_copied ||
  fail "the browser's copy is not on the clipboard: '$(clip UTF8_STRING)' $(cat "$E2E_WORK/browser.log")"
echo "the browser copied: $(clip text/html | head -c 200)"

xdotool mousemove --window "$id" 400 61 click 1 sleep 0.3
xdotool key --delay 50 End ctrl+v
touch "$E2E_WORK/done"
xdotool key --delay 50 ctrl+a ctrl+c
wait_until 10 clipboard_text_is 'Quillon docsPasted from a browser and another' ||
  fail "after pasting, the copy is '$(clip UTF8_STRING)'"
html=$(clip text/html)
case "$html" in
*"<a href=\"$address\""*">Quillon docs</a>Pasted from a <a href=\"https://example.org/\""*">browser</a> and <a href=\"https://example.net/b?x=1&amp;y=2\""*">another</a>"*)
  echo "pasted after the link, the browser's links kept" ;;
*) fail "text/html after the paste is '$html'" ;;
esac
clip text/rtf >"$E2E_WORK/copy.rtf"
[ "$(grep -o 'HYPERLINK "https://example\.\(org\|net\)/[^"]*"' "$E2E_WORK/copy.rtf" | wc -l)" -eq 2 ] ||
  fail "the RTF copy lacks the browser's two HYPERLINK fields: $(cat "$E2E_WORK/copy.rtf")"
# A word processor reads the links back out of that RTF.
HOME="$E2E_WORK/home" timeout 120 soffice --headless --convert-to html --outdir "$E2E_WORK" \
  "$E2E_WORK/copy.rtf" >"$E2E_WORK/soffice.log" 2>&1 ||
  fail "LibreOffice could not convert the RTF: $(cat "$E2E_WORK/soffice.log")"
for href in 'https://example.com/docs' 'https://example.org/' 'https://example.net/b?x=1&amp;y=2'; do
  grep -qF "href=\"$href\"" "$E2E_WORK/copy.html" ||
    fail "LibreOffice did not read the link $href: $(cat "$E2E_WORK/copy.html")"
done
echo "LibreOffice reads the three links back"
# The browser and its driver go before the display does.
browser_gone() {
  ! running "$browser"
}
wait_until 30 browser_gone || fail "the browser did not quit: $(cat "$E2E_WORK/browser.log")"
