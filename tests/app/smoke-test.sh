#!/usr/bin/env bash
# Starts utmarbelle on a virtual display with a copy of the sample project,
# finds its window by its exact caption, asks it to close with Ctrl+Q, and
# expects it to end at once: an unmodified project asks nothing.
# Usage: smoke-test.sh PROGRAM SAMPLE_HOME
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" --inside "$@"
fi
program=$2
sample=$3
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

export HOME="$work" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" WINEPREFIX="$work/wine"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" "$work/home"
chmod 700 "$XDG_RUNTIME_DIR"
cp -r "$sample/MannequinSkinsSample.mrb" "$sample/Mannequin.u" "$sample/Mannequin.int" "$sample/CustomModels" \
      "$sample/Samples" "$work/home/"

"$program" "$work/home/MannequinSkinsSample.mrb" --home "$work/home" >"$work/output" 2>&1 &
pid=$!
caption='UT Marbelle v2.5 beta 3 - (Mannequin) MannequinSkinsSample.mrb'
window=
for _ in $(seq 150); do
  window=$(xwininfo -root -tree | grep -F "\"$caption\":" | awk '{print $1}' | head -n 1 || true)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || { echo "smoke-test: utmarbelle ended before showing its window"; cat "$work/output"; exit 1; }
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "smoke-test: no window captioned \"$caption\" within 15 s; windows:"
  xwininfo -root -tree | grep '"' | head -n 20
  exit 1
fi
echo "smoke-test: found window $window \"$caption\""

xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool mousemove --window "$window" 200 200
xdotool key --clearmodifiers ctrl+q
for _ in $(seq 100); do
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" && status=0 || status=$?
    pid=
    [ "$status" -eq 0 ] || { echo "smoke-test: utmarbelle ended with status $status"; cat "$work/output"; exit 1; }
    echo "smoke-test: utmarbelle closed without a question"
    exit 0
  fi
  sleep 0.1
done
echo "smoke-test: utmarbelle did not close within 10 s of Ctrl+Q (a question may be open)"
xwininfo -root -tree | grep '"' | head -n 20
exit 1
