#!/usr/bin/env bash
# The Bonus Pack's Skaarj as a user meets it: the game where its Linux release
# installs it, an empty program home, the model compiled, a project of its
# real skins imported by their names and drawn by `marbelle render`: upright,
# centred, taller than wide, most of the view's height, and the red and blue
# teams apart.
# Usage: real-model-render-test.sh MARBELLE CORPUS
set -euo pipefail
if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a -s "-screen 0 640x480x24" "$0" --inside "$@"
fi
marbelle=$2
corpus=$3
if [ ! -f "$corpus/utpatches/System/MultiMesh.u" ] || [ ! -f "$corpus/ut-server/Textures/tskmskins.utx" ]; then
  echo "real-model-render-test: no corpus at $corpus"
  [ "${MARBELLE_REQUIRE_CORPUS:-0}" = 1 ] && exit 1
  exit 77
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export XDG_RUNTIME_DIR="$out/runtime" XDG_DATA_HOME="$out/data" XDG_CONFIG_HOME="$out/config" WINEPREFIX="$out/wine"
mkdir -m 700 "$XDG_RUNTIME_DIR"
game="$XDG_DATA_HOME/OldUnreal/UnrealTournament"
mkdir -p "$game/System" "$game/Textures" "$out/home"
cp "$corpus"/utpatches/System/{MultiMesh.u,epiccustommodels.u,Core.u} "$corpus/utpatches/SystemLocalized/int/multimesh.int" "$game/System/"
cp "$corpus/ut-server/Textures/tskmskins.utx" "$game/Textures/"

"$marbelle" compile-model "$game/System/multimesh.int" --model "Skaarj Hybrid" --home "$out/home" >/dev/null 2>&1
"$marbelle" export-textures "$game/Textures/tskmskins.utx" "$out/pictures" >/dev/null
"$marbelle" project create --model TSkM "$out/home/TSkMSkinsReal.mrb" --home "$out/home" >/dev/null
"$marbelle" project import "$out/home/TSkMSkinsReal.mrb" "$out"/pictures/*.png --home "$out/home" >/dev/null

for look in plain:"" red:"--team 0" blue:"--team 1"; do
  # shellcheck disable=SC2086
  "$marbelle" render "$out/home/TSkMSkinsReal.mrb" --home "$out/home" --skin warr ${look#*:} --out "$out/${look%%:*}.png" >/dev/null
done

# The model's box on the silver background: width, height, left, top.
read -r width height left top <<<"$(convert "$out/plain.png" -fuzz 1% -trim -format '%w %h %X %Y' info: | tr -d '+')"
[ "$height" -gt "$width" ] || { echo "real-model-render-test: the Skaarj is $width wide and only $height high"; exit 1; }
[ "$height" -gt 288 ] || { echo "real-model-render-test: the Skaarj takes only $height of 480 rows"; exit 1; }
centre=$((left + width / 2)) middle=$((top + height / 2))
[ "$centre" -gt 256 ] && [ "$centre" -lt 384 ] && [ "$middle" -gt 192 ] && [ "$middle" -lt 288 ] ||
  { echo "real-model-render-test: the Skaarj's middle is at $centre,$middle, far from 320,240"; exit 1; }

changed=$(compare -metric AE -fuzz 10% "$out/red.png" "$out/blue.png" null: 2>&1 | cut -d' ' -f1 || true)
awk -v n="$changed" 'BEGIN { exit !(n >= 500) }' || { echo "real-model-render-test: red and blue differ in only $changed pixels"; exit 1; }
echo "real-model-render-test: passed"
