#!/usr/bin/env bash
# Runs a command on an Xvfb display of its own with openbox as window manager, with the Qt
# platform xcb:  x11_session.sh COMMAND [ARG...]
# Exits 77 (skipped) when Xvfb or openbox is not installed; otherwise with the command's status.
set -uo pipefail
command -v Xvfb >/dev/null && command -v openbox >/dev/null || { echo "skipped: needs Xvfb and openbox"; exit 77; }

scratch=$(mktemp -d)
xvfb=
wm=
cleanup() {
  [ -z "$wm" ] || kill "$wm" 2>/dev/null
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number once it accepts connections.
mkfifo "$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
read -r -t 20 number <"$scratch/display" || { echo "Xvfb did not start:"; cat "$scratch/xvfb.log"; exit 1; }
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

openbox >"$scratch/openbox.log" 2>&1 &
wm=$!
# openbox is ready once it names itself on the root window.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

"$@"
