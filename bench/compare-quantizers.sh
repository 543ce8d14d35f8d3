#!/usr/bin/env bash
# Reduces the same pictures of 256 x 256, saved with 8 bits a channel, to 256
# colours four ways in one run: marbelle quantize --quality classic and
# --quality high (the palettes the compiler builds), ImageMagick (convert IN
# -dither FloydSteinberg -colors 256) and pngquant (default settings). Prints,
# per way, the mean PSNR against the originals on ten pictures and on four
# others that no test uses. Debian packages imagemagick and pngquant
# (scripts/install-deps installs both).
set -euo pipefail
cd "$(dirname "$0")/.."

convert=/usr/bin/convert
compare=/usr/bin/compare
[ -x "$convert" ] || convert=$(command -v convert)
[ -x "$compare" ] || compare=$(command -v compare)
command -v pngquant >/dev/null || { echo "compare-quantizers: pngquant is missing (scripts/install-deps)"; exit 1; }
marbelle=${MARBELLE:-build/release/bin/marbelle}
if [ -z "${MARBELLE:-}" ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target marbelle >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/ten" "$work/four"
# Plasma fractals, gradients, and ImageMagick's built-in pictures, all 256 x 256.
for seed in 1 2 3; do
  "$convert" -seed "$seed" -size 256x256 plasma:fractal -depth 8 "$work/ten/plasma$seed.png"
done
"$convert" -size 256x256 gradient:'#1030a0'-'#f0c040' -depth 8 "$work/ten/gradient.png"
"$convert" -size 256x256 radial-gradient:'#ffffff'-'#602010' -depth 8 "$work/ten/radial.png"
for builtin in rose wizard logo granite netscape; do
  "$convert" "$builtin:" -resize '256x256!' -depth 8 "$work/ten/$builtin.png"
done
# Four others: plain plasma, a noisy gradient, a swirled granite and a blurred fractal.
"$convert" -seed 7 -size 256x256 plasma: -depth 8 "$work/four/plasma.png"
"$convert" -seed 8 -size 256x256 gradient:'#204020'-'#e0a080' -attenuate 0.4 +noise Gaussian -depth 8 "$work/four/noisy.png"
"$convert" granite: -resize '256x256!' -swirl 120 -modulate 100,180,40 -depth 8 "$work/four/swirl.png"
"$convert" -seed 9 -size 256x256 plasma:fractal -blur 0x3 -depth 8 "$work/four/soft.png"

psnr() {
  local value
  value=$("$compare" -metric PSNR "$1" "$2" null: 2>&1 || true)
  # Identical pictures have no finite PSNR; count them as 99 dB.
  [ "$value" = inf ] && value=99
  echo "$value"
}
extension() { case $1 in classic | high) echo bmp ;; *) echo png ;; esac; }

# The mean PSNR of one way on one set, its pictures reduced into $work/<way>-<set>.
mean() {
  local way=$1 set=$2 out="$work/$1-$2" total=0
  local pictures=("$work/$set"/*.png)
  mkdir -p "$out"
  case $way in
    classic | high) "$marbelle" quantize "${pictures[@]}" --quality "$way" --out "$out" >/dev/null ;;
    magick) for p in "${pictures[@]}"; do "$convert" "$p" -dither FloydSteinberg -colors 256 "$out/$(basename "$p")"; done ;;
    pngquant) for p in "${pictures[@]}"; do pngquant --force --output "$out/$(basename "$p")" 256 "$p"; done ;;
  esac
  for p in "${pictures[@]}"; do
    total=$(echo "$total + $(psnr "$p" "$out/$(basename "${p%.png}").$(extension "$way")")" | bc -l)
  done
  echo "$total / ${#pictures[@]}" | bc -l
}

printf '%-16s %14s %14s\n' "mean PSNR, dB" "ten pictures" "four others"
for way in classic high magick pngquant; do
  case $way in
    classic) label="ours, classic" ;; high) label="ours, high" ;; magick) label="ImageMagick" ;; *) label="pngquant" ;;
  esac
  printf '%-16s %14.1f %14.1f\n' "$label" "$(mean "$way" ten)" "$(mean "$way" four)"
done
