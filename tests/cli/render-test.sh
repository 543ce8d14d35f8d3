#!/usr/bin/env bash
# `marbelle render` on the sample project under a virtual display: a picture
# on the preview's silver with the skin's colours, a turntable sheet of eight,
# a refusal that names what exists, and one line where there is no display.
# Usage: render-test.sh MARBELLE SAMPLE_HOME
set -euo pipefail
if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a -s "-screen 0 640x480x24" "$0" --inside "$@"
fi
marbelle=$2
home=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export XDG_RUNTIME_DIR="$out/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$marbelle" render "$home/MannequinSkinsSample.mrb" --home "$home" --skin stel --team 1 --size 120x160 --out "$out/one.png" >/dev/null
[ "$(identify -format '%wx%h' "$out/one.png")" = "120x160" ] || { echo "render-test: one.png has the wrong size"; exit 1; }
colours=$(convert "$out/one.png" -format '%k' info:)
[ "$colours" -gt 2 ] || { echo "render-test: one.png shows only $colours colours: no model"; exit 1; }

corner=$(convert "$out/one.png" -format '%[pixel:p{0,0}]' info:)
[ "$corner" = "srgb(192,192,192)" ] || { echo "render-test: the background is $corner, not silver"; exit 1; }

"$marbelle" render "$home/MannequinSkinsSample.mrb" --home "$home" --turntable 8 --size 64x48 --out "$out/turn.png" >/dev/null
[ "$(identify -format '%wx%h' "$out/turn.png")" = "256x96" ] || { echo "render-test: the sheet of eight is not 4 x 2 views"; exit 1; }

if env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$marbelle" render "$home/MannequinSkinsSample.mrb" --home "$home" \
     --out "$out/none.png" 2>"$out/error"; then
  echo "render-test: rendered without a display"
  exit 1
fi
[ "$(wc -l <"$out/error")" -eq 1 ] && grep -q 'xvfb-run' "$out/error" || { echo "render-test: no clear line without display:"; cat "$out/error"; exit 1; }

if "$marbelle" render "$home/MannequinSkinsSample.mrb" --home "$home" --face nobody --out "$out/no.png" 2>"$out/error"; then
  echo "render-test: an unknown face was accepted"
  exit 1
fi
grep -q 'no face "nobody"; there are: < Default >' "$out/error" || { echo "render-test: unclear refusal:"; cat "$out/error"; exit 1; }
[ ! -e "$out/no.png" ] || { echo "render-test: a refused render wrote a picture"; exit 1; }
echo "render-test: passed"
