#!/usr/bin/env bash
# `marbelle render` on the sample project under a virtual display: a picture
# on the preview's silver with the skin's colours, team and face seen from the
# front, a turntable sheet of eight, a refusal that names what exists, and one
# line where there is no display.
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

"$marbelle" render "$home/MannequinSkinsSample.mrb" --home "$home" --skin stel --team 1 --size 330x480 --out "$out/one.png" >/dev/null
[ "$(identify -format '%wx%h' "$out/one.png")" = "330x480" ] || { echo "render-test: one.png has the wrong size"; exit 1; }
colours=$(convert "$out/one.png" -format '%k' info:)
[ "$colours" -gt 2 ] || { echo "render-test: one.png shows only $colours colours: no model"; exit 1; }

corner=$(convert "$out/one.png" -format '%[pixel:p{0,0}]' info:)
[ "$corner" = "srgb(192,192,192)" ] || { echo "render-test: the background is $corner, not silver"; exit 1; }

# Seen from the front, the Steel skin shows its team and its face: each choice
# changes clearly more pixels than faint edges would.
for look in plain:"" red:"--team 0" blue:"--team 1" ada:"--face ada"; do
  # shellcheck disable=SC2086
  "$marbelle" render "$home/MannequinSkinsSample.mrb" --home "$home" --skin stel ${look#*:} --size 330x480 \
    --out "$out/${look%%:*}.png" >/dev/null
done
for pair in "plain red" "red blue" "plain ada"; do
  read -r one two <<<"$pair"
  changed=$(compare -metric AE -fuzz 10% "$out/$one.png" "$out/$two.png" null: 2>&1 | cut -d' ' -f1 || true)
  awk -v n="$changed" 'BEGIN { exit !(n >= 150) }' ||
    { echo "render-test: $one and $two differ in only $changed pixels"; exit 1; }
done

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
