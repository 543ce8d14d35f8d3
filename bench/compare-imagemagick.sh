#!/usr/bin/env bash
# Reduces the same 40 pictures to 256 colours with Floyd-Steinberg dithering
# twice, in one run: with ImageMagick (convert IN -dither FloydSteinberg
# -colors 256 OUT.bmp, Debian package imagemagick) and with marbelle quantize,
# the palette generation and mapping the compiler uses. Prints both times, the
# ratio, and the PSNR of every result against its original.
set -euo pipefail
cd "$(dirname "$0")/.."

convert=${CONVERT:-/usr/bin/convert}
[ -x "$convert" ] || convert=$(command -v convert)
[ -x "$convert" ] || { echo "compare-imagemagick: ImageMagick's convert is missing (scripts/install-deps)"; exit 1; }
marbelle=build/release/bin/marbelle
cmake --preset release >/dev/null
cmake --build --preset release --target marbelle >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in" "$work/magick" "$work/ours"
# Plasma fractals seeded one by one: the same 40 colourful 256 x 256 pictures every run.
for i in $(seq -w 1 40); do
  "$convert" -seed "$i" -size 256x256 plasma:fractal "$work/in/p$i.png"
done
pictures=("$work"/in/*.png)

now() { date +%s.%N; }
elapsed() { echo "$2 - $1" | bc -l; }

# One process per picture, as the command is given.
start=$(now)
for picture in "${pictures[@]}"; do
  "$convert" "$picture" -dither FloydSteinberg -colors 256 "$work/magick/$(basename "${picture%.png}").bmp"
done
magickEach=$(elapsed "$start" "$(now)")
start=$(now)
for picture in "${pictures[@]}"; do
  "$marbelle" quantize "$picture" --out "$work/ours" >/dev/null
done
oursEach=$(elapsed "$start" "$(now)")

# One process for all 40, so that start-up costs drop out.
start=$(now)
/usr/bin/mogrify -path "$work/magick" -format bmp -dither FloydSteinberg -colors 256 "${pictures[@]}"
magickAll=$(elapsed "$start" "$(now)")
start=$(now)
"$marbelle" quantize "${pictures[@]}" --out "$work/ours" >/dev/null
oursAll=$(elapsed "$start" "$(now)")

psnr() { /usr/bin/compare -metric PSNR "$1" "$2" null: 2>&1 || true; }
magickTotal=0
oursTotal=0
echo "picture  PSNR ImageMagick  PSNR marbelle (dB)"
for picture in "${pictures[@]}"; do
  name=$(basename "${picture%.png}")
  m=$(psnr "$picture" "$work/magick/$name.bmp")
  o=$(psnr "$picture" "$work/ours/$name.bmp")
  printf '%-8s %16s %15s\n' "$name" "$m" "$o"
  magickTotal=$(echo "$magickTotal + $m" | bc -l)
  oursTotal=$(echo "$oursTotal + $o" | bc -l)
done
count=${#pictures[@]}
printf '\nmean PSNR: ImageMagick %.2f dB, marbelle %.2f dB\n' "$(echo "$magickTotal / $count" | bc -l)" \
  "$(echo "$oursTotal / $count" | bc -l)"
printf 'one process per picture: ImageMagick %.3f s, marbelle %.3f s, ratio %.1f\n' "$magickEach" "$oursEach" \
  "$(echo "$magickEach / $oursEach" | bc -l)"
printf 'one process for all 40:  ImageMagick %.3f s, marbelle %.3f s, ratio %.1f\n' "$magickAll" "$oursAll" \
  "$(echo "$magickAll / $oursAll" | bc -l)"
