#!/usr/bin/env bash
# The real program under Xvfb, driven by keys as a user drives it: Debug › Identify chip
# and Debug › Check wiring on the simulated programmer answer in an information box,
# and in an error box when the simulated programmer's data-in line is stuck low.
# Usage: debug-commands-xvfb.sh <velmora> <Devices.ini>
set -euo pipefail
program="$1"
devices="$2"
work="$(mktemp -d)"
xvfb_pid=""
velmora_pid=""
cleanup() {
  [ -n "$velmora_pid" ] && kill "$velmora_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The program keeps its settings beside itself: a copy in a scratch folder, with the
# libraries it finds there.
folder="$work/velmora"
mkdir -p "$folder"
cp "$program" "$devices" "$folder/"
cp -P "$(dirname "$program")"/libcorvant.so* "$(dirname "$program")"/libpendrel.so* "$folder/"

# -noreset: by default the server resets when its last client leaves, and a client
# connecting during the reset (the second program start, under load) is refused.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
# The test suite runs Qt offscreen; this program must show real windows.
export QT_QPA_PLATFORM=xcb
# Real windows bring the desktop's libraries, whose own leaks a sanitizer build
# must not blame on the program.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(cd "$(dirname "$0")" && pwd)/system-libraries.lsan.supp"

# The first visible window whose title matches $1, waited for up to 30 s. Each search
# is tried again: a window that closes while xdotool looks at it (a menu, the last
# box) ends that search with an X error.
find_window() {
  local found
  for _ in $(seq 300); do
    found="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)"
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits for a visible window titled $1 and answers it with Enter.
answer_box() {
  local box
  box="$(find_window "^$1\$" || true)"
  [ -n "$box" ] || { echo "no \"$1\" box" >&2; return 1; }
  xdotool windowfocus --sync "$box" key Return
  for _ in $(seq 50); do xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0; sleep 0.1; done
  echo "the \"$1\" box stayed open" >&2
  return 1
}

# Opens Debug (Alt+B) and runs its item by its access key.
debug_item() {
  xdotool windowfocus --sync "$window" key alt+b
  sleep 0.5
  xdotool key "$1"
}

run_on_port() {
  local port="$1" verdict="$2"
  printf '[Config]\r\nCOM=%s\r\nDevice=3\r\n' "$port" > "$folder/Velmora.ini"
  "$folder/velmora" &
  velmora_pid=$!
  window="$(find_window '^Velmora$' || true)"
  [ -n "$window" ] || { echo "no main window on $port" >&2; return 1; }
  sleep 0.5
  debug_item i
  answer_box "$verdict"
  debug_item w
  answer_box "$verdict"
  xdotool windowfocus --sync "$window" key F10
  for _ in $(seq 50); do kill -0 "$velmora_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$velmora_pid" 2>/dev/null; then echo "velmora did not exit on F10" >&2; return 1; fi
  wait "$velmora_pid"
  velmora_pid=""
  echo "$port: Identify chip and Check wiring answered in \"$verdict\" boxes"
}

run_on_port SIM Information
run_on_port "SIM:PIC18F452,fault=data-in-low" Error
