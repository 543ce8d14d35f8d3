#!/usr/bin/env bash
# Reduces the same 10 pictures of 256 x 256 to 256 colours four ways in one
# run: marbelle quantize --quality classic and --quality high (the palettes the
# compiler builds), ImageMagick (convert IN -dither FloydSteinberg -colors 256)
# and pngquant (default settings). Prints, per way, the mean PSNR against the
# originals, and the mean PSNR once both are blurred by a Gaussian of 1 pixel,
# which is closer to what the eye sees of dithering. Debian packages
# imagemagick and pngquant (scripts/install-deps installs both).
set -euo pipefail
cd "$(dirname "$0")/.."

convert=/usr/bin/convert
compare=/usr/bin/compare
[ -x "$convert" ] || convert=$(command -v convert)
[ -x "$compare" ] || compare=$(command -v compare)
command -v pngquant >/dev/null || { echo "compare-quantizers: pngquant is missing (scripts/install-deps)"; exit 1; }
marbelle=build/release/bin/marbelle
cmake --preset release >/dev/null
cmake --build --preset release --target marbelle >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in"
# Plasma fractals, gradients, and ImageMagick's built-in pictures, all 256 x 256.
for seed in 1 2 3; do
  "$convert" -seed "$seed" -size 256x256 plasma:fractal "$work/in/plasma$seed.png"
done
"$convert" -size 256x256 gradient:'#1030a0'-'#f0c040' "$work/in/gradient.png"
"$convert" -size 256x256 radial-gradient:'#ffffff'-'#602010' "$work/in/radial.png"
for builtin in rose wizard logo granite netscape; do
  "$convert" "$builtin:" -resize '256x256!' "$work/in/$builtin.png"
done
pictures=("$work"/in/*.png)

for way in classic high magick pngquant; do mkdir -p "$work/$way"; done
"$marbelle" quantize "${pictures[@]}" --quality classic --out "$work/classic" >/dev/null
"$marbelle" quantize "${pictures[@]}" --quality high --out "$work/high" >/dev/null
for picture in "${pictures[@]}"; do
  name=$(basename "${picture%.png}")
  "$convert" "$picture" -dither FloydSteinberg -colors 256 "$work/magick/$name.png"
  pngquant --force --output "$work/pngquant/$name.png" 256 "$picture"
done

psnr() {
  local value
  value=$("$compare" -metric PSNR "$1" "$2" null: 2>&1 || true)
  # Identical pictures have no finite PSNR; count them as 99 dB.
  [ "$value" = inf ] && value=99
  echo "$value"
}
blurred() {
  "$convert" "$1" -gaussian-blur 0x1 "$work/a.png"
  "$convert" "$2" -gaussian-blur 0x1 "$work/b.png"
  psnr "$work/a.png" "$work/b.png"
}
extension() { case $1 in classic | high) echo bmp ;; *) echo png ;; esac; }

printf '%-16s %10s %10s\n' "" "PSNR" "blurred"
for way in classic high magick pngquant; do
  total=0
  totalBlurred=0
  for picture in "${pictures[@]}"; do
    result="$work/$way/$(basename "${picture%.png}").$(extension "$way")"
    total=$(echo "$total + $(psnr "$picture" "$result")" | bc -l)
    totalBlurred=$(echo "$totalBlurred + $(blurred "$picture" "$result")" | bc -l)
  done
  case $way in
    classic) label="ours, classic" ;; high) label="ours, high" ;; magick) label="ImageMagick" ;; *) label="pngquant" ;;
  esac
  printf '%-16s %10.1f %10.1f\n' "$label" "$(echo "$total / ${#pictures[@]}" | bc -l)" \
    "$(echo "$totalBlurred / ${#pictures[@]}" | bc -l)"
done
