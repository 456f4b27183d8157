# The browser extension end to end: Debian's Chromium (with its window) loads the unpacked
# extension and knows the host from a throwaway profile; Alt+Shift+Q on a page whose title
# holds Chinese, accents, "&" and "<" leaves the formatted hyperlink on the X clipboard and
# the title and address in the running window's fields.
source "$(dirname "$0")/lib.sh"
[ $# -eq 3 ] || fail "usage: browser_send.sh QUILLON HOST EXTENSION_DIR"
[ -x /usr/bin/chromium ] || fail "missing /usr/bin/chromium (package chromium)"

app=$(program_copy "$1" lists)
cp "$2" "$(dirname "$app")/quillon-browser-host"
"$app" 2>"$E2E_WORK/quillon.log" &
started $!
wait_until 20 has_window Quillon || fail "the window did not appear: $(tail -20 "$E2E_WORK/quillon.log")"
window=$(windows_named Quillon | head -1)
# Out of the browser's way: the window stays on top.
xdotool windowmove "$window" 420 480

# The page, served on the loopback interface by a server that picks its own port.
title='中文标题 — Café & <Quillon> ✓'
mkdir "$E2E_WORK/site"
cat >"$E2E_WORK/site/page.html" <<'PAGE'
<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>中文标题 — Café &amp; &lt;Quillon&gt; ✓</title></head>
<body style="height:2000px"><p>A page to send to Quillon.</p></body></html>
PAGE
/usr/bin/python3 -c '
import functools, http.server, sys
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1])
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
open(sys.argv[2], "w").write(str(server.server_address[1]))
server.serve_forever()
' "$E2E_WORK/site" "$E2E_WORK/port" 2>"$E2E_WORK/server.log" &
started $!
wait_until 10 test -s "$E2E_WORK/port" || fail "the page server did not start"
address="http://127.0.0.1:$(cat "$E2E_WORK/port")/page.html"

# A profile of its own, whose NativeMessagingHosts/ names the host beside the program.
profile="$E2E_WORK/profile"
mkdir -p "$profile/NativeMessagingHosts"
cat >"$profile/NativeMessagingHosts/org.quillon.quillon.json" <<JSON
{
  "name": "org.quillon.quillon",
  "description": "Send to Quillon",
  "path": "$(dirname "$app")/quillon-browser-host",
  "type": "stdio",
  "allowed_origins": ["chrome-extension://kmfinkjejonpjnlnmhindhpgmbfnnknd/"]
}
JSON
/usr/bin/chromium --no-sandbox --user-data-dir="$profile" --load-extension="$3" \
  --disable-background-networking --disable-component-update --disable-sync --no-first-run \
  --no-default-browser-check --password-store=basic --disable-gpu \
  --window-position=0,0 --window-size=1000,460 "$address" >"$E2E_WORK/chromium.log" 2>&1 &
browser=$!
started "$browser"
# The browser's window is named after the page; xdotool's own search does not match the
# non-ASCII part of such a name, so the names are compared here.
browser_window() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    case "$(xdotool getwindowname "$id" 2>/dev/null)" in
    "$title - Chromium") echo "$id" && return 0 ;;
    esac
  done
}
shown_windows() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    echo "'$(xdotool getwindowname "$id" 2>/dev/null)'"
  done
}
has_browser_window() {
  [ -n "$(browser_window)" ]
}
wait_until 60 has_browser_window ||
  fail "the page did not open: $(shown_windows) $(grep -v dbus "$E2E_WORK/chromium.log" | tail -5)"

html_has_link() {
  case "$(clip text/html)" in *"<a href=\"$address\""*) return 0 ;; esac
  return 1
}
# The extension's command works once the extension has loaded: until the link arrives,
# click into the page and press the keys again.
sent() {
  xdotool mousemove 500 300 click 1 sleep 0.2 key alt+shift+q
  wait_until 3 html_has_link
}
wait_until 60 sent || fail "Alt+Shift+Q put no link on the clipboard: '$(clip TARGETS | tr '\n' ' ')' \
'$(clip text/html)' $(tail -5 "$E2E_WORK/quillon.log") $(tail -5 "$E2E_WORK/chromium.log")"

html=$(clip text/html)
escaped='中文标题 — Café &amp; &lt;Quillon&gt; ✓'
[ "$(grep -o '<a href' <<<"$html" | wc -l)" -eq 1 ] || fail "not one link in the HTML: $html"
case "$html" in
*"<a href=\"$address\""*">$escaped</a>"*) echo "text/html holds the link: $address" ;;
*) fail "text/html is '$html'" ;;
esac
rtf=$(clip text/rtf)
[ "$(grep -o 'HYPERLINK' <<<"$rtf" | wc -l)" -eq 1 ] || fail "not one HYPERLINK field: $rtf"
case "$rtf" in
*"HYPERLINK \"$address\""*) echo "text/rtf holds one HYPERLINK field" ;;
*) fail "text/rtf is '$rtf'" ;;
esac
clipboard_text_is "$title" || fail "the text is '$(clip UTF8_STRING)'"

# The window's fields hold the title and the address: copied out of them as a user would.
field_is() {
  xdotool mousemove --window "$window" 100 "$1" click 1 sleep 0.2 key ctrl+a ctrl+c
  wait_until 3 clipboard_text_is "$2"
}
field_is 12 "$title" || fail "the title field holds '$(clip UTF8_STRING)'"
field_is 39 "$address" || fail "the address field holds '$(clip UTF8_STRING)'"
echo "the window's fields hold the title and the address"
