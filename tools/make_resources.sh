#!/bin/bash
# Regenerates every file in resources/ (pictures and the explosion sound).
#
# Needs these Debian packages:
#   xplanet-images   /usr/share/xplanet/images/earth.jpg, NASA's public-domain map
#   imagemagick      convert: the "made with" badge
#   fonts-dejavu-core  the badge's font
#   sox              the explosion sound
#   python3 python3-numpy python3-pil   tools/make_resources.py draws the pictures
#
# Usage: tools/make_resources.sh [OUT_DIR]    (OUT_DIR defaults to resources/)
#
# All randomness is seeded, so a rerun writes the same bytes.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
out=${1:-$root/resources}
earth=${EARTH_MAP:-/usr/share/xplanet/images/earth.jpg}
# Debian's own interpreter: that is where python3-numpy and python3-pil live.
python=${PYTHON:-/usr/bin/python3}
font_dir=/usr/share/fonts/truetype/dejavu

need() {
  if ! command -v "$1" >/dev/null 2>&1; then
    echo "make_resources: '$1' is missing; install Debian package $2" >&2
    exit 1
  fi
}
need convert imagemagick
need sox sox
need "$python" python3
"$python" -c 'import numpy, PIL' 2>/dev/null ||
  { echo "make_resources: install python3-numpy and python3-pil" >&2; exit 1; }
[ -r "$earth" ] || { echo "make_resources: $earth not found; install xplanet-images" >&2; exit 1; }
[ -r "$font_dir/DejaVuSans-Bold.ttf" ] ||
  { echo "make_resources: DejaVu fonts not found; install fonts-dejavu-core" >&2; exit 1; }

mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 1. Pictures drawn in Python (numpy + PIL), already as GIF or PNG.
"$python" "$here/make_resources.py" "$earth" "$work"

# 2. GIF pictures are written by Python with a tuned 256-colour palette.
for name in Globeafrica Braking avpuku; do
  cp "$work/$name.gif" "$out/$name.gif"
done

# 3. The .pct pictures hold PNG data. The explosion frames are copied as drawn:
#    their background must stay exactly white and the cloud exactly opaque.
for i in 1 2 3 4 5; do
  cp "$work/Pum$i.png" "$out/Pum$i.pct"
done
cp "$work/space2.png" "$out/space2.pct"

# ImageMagick would otherwise stamp file times into PNGs and break
# byte-for-byte reruns.
png_opts=(-strip -define png:exclude-chunks=date,time)

# 4. The "made with C++ and Qt" badge: a rounded dark plate with two lines of
#    text; the corners outside the plate are transparent.
badge_w=150 badge_h=50
regular=$font_dir/DejaVuSans.ttf
bold=$font_dir/DejaVuSans-Bold.ttf
# Measure the second line so that "Qt" can get its own colour and the whole
# line still sits in the middle.
w_cpp=$(convert -density 72 -font "$bold" -pointsize 18 label:'C++ and ' -format %w info:)
w_qt=$(convert -density 72 -font "$bold" -pointsize 18 label:'Qt' -format %w info:)
x_line=$(( (badge_w - w_cpp - w_qt) / 2 ))
convert -size ${badge_w}x${badge_h} xc:none -density 72 \
  -fill '#1a2232' -stroke '#56688a' -strokewidth 1 \
  -draw "roundrectangle 0.5,0.5 $((badge_w - 1)).5,$((badge_h - 1)).5 9,9" \
  -stroke none \
  -font "$regular" -pointsize 12 -fill '#aebbd2' -gravity north -annotate +0+6 'made with' \
  -gravity northwest \
  -font "$bold" -pointsize 18 -fill '#eef2fa' -annotate +${x_line}+23 'C++ and ' \
  -fill '#41cd52' -annotate +$((x_line + w_cpp))+23 'Qt' \
  "${png_opts[@]}" "PNG32:$out/madewZov.pct"

# 5. The explosion: a sharp crack, a noisy blast body and a low rumble that
#    dies away, mixed into 1.5 s of 16-bit mono PCM at 22050 Hz. Repeated
#    linear fades give each layer a quick, roughly exponential decay.
#    -R seeds sox's noise generators, so the sound is the same on every run.
rate=22050
snd=(-R -D -r $rate -c 1)
sox "${snd[@]}" -n "$work/crack.wav" synth 0.30 whitenoise gain -8 \
  highpass 400 lowpass 6500 \
  fade t 0.001 0.30 0.299 fade t 0 0.30 0.30 fade t 0 0.30 0.30 norm -1
sox "${snd[@]}" -n "$work/body.wav" synth 1.50 pinknoise gain -8 \
  lowpass 1200 lowpass 800 \
  fade t 0.003 1.50 1.497 fade t 0 1.50 1.50 fade t 0 1.50 1.50 norm -1
sox "${snd[@]}" -n "$work/rumble.wav" synth 1.50 brownnoise gain -6 \
  highpass 25 lowpass 150 lowpass 110 \
  fade h 0.04 1.50 1.46 fade t 0 1.50 1.50 norm -1
sox "${snd[@]}" -n "$work/thump.wav" synth 1.50 sine 60-28 \
  fade t 0.004 1.50 1.496 fade t 0 1.50 1.50 fade t 0 1.50 1.50 norm -1
sox -R -D -m -v 0.35 "$work/crack.wav" -v 0.45 "$work/body.wav" \
  -v 0.6 "$work/rumble.wav" -v 0.3 "$work/thump.wav" \
  -r $rate -c 1 -b 16 -e signed-integer "$work/mixed.wav" \
  gain -6 reverb 30 50 60 100 15 highpass 20 norm -1
# Plain RIFF/WAVE PCM file with no extension.
cp "$work/mixed.wav" "$out/Explosion"

echo "make_resources: wrote $(ls "$out" | grep -v README.md | wc -l) files to $out"
