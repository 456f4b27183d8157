# quillon-link --copy: the command returns at once, a process in the background holds the
# link on the clipboard in every format the window's label writes, and it ends when another
# program takes the clipboard.
source "$(dirname "$0")/lib.sh"
[ $# -eq 1 ] || fail "usage: link_copy.sh QUILLON_LINK"
# A name of its own, so that the background process is found without mistaking another.
link="$E2E_WORK/ql-copy-$$"
cp "$1" "$link"

# Only this test's own program counts: the same program run by other tests on the machine
# (another build, another display) holds another clipboard.
holder() {
  local pid
  for pid in $(pgrep -x "$(basename "$link")" || true); do
    [ "$(readlink -f "/proc/$pid/exe" 2>/dev/null)" = "$(readlink -f "$link")" ] || continue
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" || continue
    running "$pid" && echo "$pid"
  done
  return 0
}

start=$(now)
timeout 20 "$link" --copy 'Quillon 说明' 'https://example.com/quillon docs' >"$E2E_WORK/out" 2>&1 ||
  fail "--copy failed: $(cat "$E2E_WORK/out")"
took=$(elapsed "$start")
[ ! -s "$E2E_WORK/out" ] || fail "--copy wrote: $(cat "$E2E_WORK/out")"
pid=$(holder)
[ -n "$pid" ] || fail "no process holds the clipboard"
started "$pid"
echo "--copy returned in ${took}s; process $pid holds the clipboard"

targets=$(xclip -o -selection clipboard -t TARGETS)
for target in text/html text/rtf 'RichView Format' UTF8_STRING text/plain; do
  grep -qx "$target" <<<"$targets" || fail "the clipboard offers no $target (it offers: $targets)"
done
html=$(xclip -o -selection clipboard -t text/html)
[[ "$html" == *'<a href="https://example.com/quillon docs"'*'Quillon 说明</a>'* ]] ||
  fail "text/html is '$html'"
rtf=$(xclip -o -selection clipboard -t text/rtf)
[[ "$rtf" == *'HYPERLINK "https://example.com/quillon%20docs"'* ]] || fail "text/rtf is '$rtf'"
# The same bytes as the command writes to standard output.
QT_QPA_PLATFORM=offscreen "$link" --format rtf 'Quillon 说明' 'https://example.com/quillon docs' \
  >"$E2E_WORK/expected.rtf" 2>/dev/null
xclip -o -selection clipboard -t text/rtf >"$E2E_WORK/clipboard.rtf"
cmp -s "$E2E_WORK/expected.rtf" "$E2E_WORK/clipboard.rtf" || fail "text/rtf differs from --format rtf"
[ "$(xclip -o -selection clipboard -t UTF8_STRING)" = 'Quillon 说明' ] || fail "the text differs"
xclip -o -selection clipboard -t 'RichView Format' | grep -aq RVStyle1 || fail "no RichView Format"
echo "every format holds the link"

# Another program takes the clipboard: the background process ends.
echo 'something else' | xclip -selection clipboard -i
wait_until 10 test -z "$(holder)" ||
  fail "the background process still runs after losing the clipboard" \
    "($(grep -h '^State' /proc/"$pid"/status 2>/dev/null), owner targets: $(xclip -o -selection clipboard -t TARGETS 2>&1 | tr '\n' ' '))"
[ "$(xclip -o -selection clipboard)" = 'something else' ] || fail "the new owner lost the clipboard"
echo "the background process ended when xclip took the clipboard"

# An empty title copies nothing and says so; so does a missing display.
if "$link" --copy '' 'https://example.com' 2>"$E2E_WORK/err"; then fail "an empty title was copied"; fi
grep -q 'nothing to copy' "$E2E_WORK/err" || fail "no message for an empty title"
if DISPLAY= WAYLAND_DISPLAY= "$link" --copy 'a' 'b' 2>"$E2E_WORK/err"; then fail "copied without a display"; fi
grep -q 'needs a display' "$E2E_WORK/err" || fail "no message without a display"
[ "$(xclip -o -selection clipboard)" = 'something else' ] || fail "a failed copy changed the clipboard"
echo "an empty title and a missing display are refused"
