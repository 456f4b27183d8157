# Shared by the end-to-end tests. Source it; do not run it. Each test runs on its own
# virtual display (xvfb-run -a), in a scratch folder, and ends every process it started.
set -euo pipefail

E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/quillon-e2e-XXXXXX")
E2E_PIDS=()
export XDG_RUNTIME_DIR="$E2E_WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export HOME="$E2E_WORK/home"
mkdir -p "$HOME"
# The tests drive the real window system, not the offscreen platform of the unit tests.
export QT_QPA_PLATFORM=xcb
export LC_ALL=C.UTF-8
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

e2e_cleanup() {
  local status=$? pid
  for pid in "${E2E_PIDS[@]}"; do
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  # What those started and left behind (a browser's helper processes, which go on writing
  # into its profile for a moment), found by the scratch folder on their command lines.
  pkill -KILL -f -- "$E2E_WORK" 2>/dev/null || true
  local try
  for try in 1 2 3 4 5 6 7 8 9 10; do
    rm -rf "$E2E_WORK" 2>/dev/null && break
    sleep 0.2
  done
  exit "$status"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Remembers a started process so that it is ended however the test ends.
started() {
  E2E_PIDS+=("$1")
}

# True while the process exists and has not ended (a child not yet reaped has ended).
running() {
  [ -r "/proc/$1/status" ] && ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status"
}

# wait_until SECONDS COMMAND...: polls every 50 ms; false when the time runs out.
wait_until() {
  local limit=$1
  shift
  local deadline=$((SECONDS + limit + 1))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# True when the X server takes a connection.
display_answers() {
  xdotool getdisplaygeometry >/dev/null 2>&1
}

# Ids of the shown top-level windows whose name is exactly NAME (the search itself ignores
# case, and an error box of the program is named after it in lower case).
windows_named() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id"
  done
  return 0
}

window_count() {
  windows_named "$1" | wc -l
}

has_window() {
  [ "$(window_count "$1")" -ge 1 ]
}

has_no_window() {
  [ "$(window_count "$1")" -eq 0 ]
}

# A copy of the program in a folder of its own, with two empty UTF-8 lists beside it, so
# that it starts without an error box. Prints the copy's path.
program_copy() {
  local folder="$E2E_WORK/$2"
  mkdir -p "$folder"
  cp "$1" "$folder/quillon"
  printf '\xEF\xBB\xBF' >"$folder/博客SEO_富文本型.txt"
  printf '\xEF\xBB\xBF' >"$folder/博客SEO_MarkDown型.txt"
  echo "$folder/quillon"
}

# now: seconds since the epoch with fractions; elapsed START: seconds since START.
now() {
  date +%s.%N
}
elapsed() {
  awk -v start="$1" -v end="$(now)" 'BEGIN { printf "%.2f", end - start }'
}
# less SECONDS LIMIT: true when SECONDS < LIMIT.
less() {
  awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'
}

# Reads one clipboard target, bounded in time; empty when it cannot be read.
clip() {
  timeout 10 xclip -o -selection clipboard -t "$1" 2>/dev/null | tr -d '\0' || true
}
clipboard_text_is() {
  [ "$(clip UTF8_STRING)" = "$1" ]
}

# copy_link QUILLON TITLE ADDRESS: starts a copy of the program (program_copy), types the
# title and the address (ASCII only: xdotool types other characters by remapping a key for a
# moment, which a busy machine can lose) and clicks the blue label; waits until the title is
# on the clipboard. Sets QUILLON_WINDOW to the window's id.
copy_link() {
  local app pid
  app=$(program_copy "$1" lists)
  "$app" 2>"$E2E_WORK/quillon.log" &
  pid=$!
  started "$pid"
  # On a loaded machine the X server has been seen to refuse the program's very first
  # connection; the program is started once more when that is why it ended.
  shown_or_ended() { has_window Quillon || ! running "$pid"; }
  wait_until 20 shown_or_ended || true
  if ! running "$pid" && grep -q 'could not connect to display' "$E2E_WORK/quillon.log"; then
    echo "the program could not reach the display; starting it again" >&2
    wait_until 10 display_answers || fail "the X server on $DISPLAY does not answer"
    "$app" 2>"$E2E_WORK/quillon.log" &
    started $!
  fi
  wait_until 20 has_window Quillon ||
    fail "the window did not appear; the program said: $(tail -c 3000 "$E2E_WORK/quillon.log")"
  QUILLON_WINDOW=$(windows_named Quillon | head -1)
  xdotool mousemove --window "$QUILLON_WINDOW" 100 12 click 1 sleep 0.3 type --delay 20 "$2"
  xdotool mousemove --window "$QUILLON_WINDOW" 100 39 click 1 sleep 0.3 type --delay 20 "$3"
  xdotool mousemove --window "$QUILLON_WINDOW" 120 59 click 1
  wait_until 10 clipboard_text_is "$2" ||
    fail "the label's copy is not on the clipboard: '$(clip UTF8_STRING)'"
}
