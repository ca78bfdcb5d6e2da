#!/bin/sh
# Makes the demo tree's coast movies: data/demo/MOVIES/<code>.mpg, MPEG-1 program streams of
# 75 frames (three seconds at 25 frames a second), 320 x 240, from frames the generator draws.
# Usage: tools/demo-satellite/make_movies.sh [path of skelvane-demo-satellite]
# Needs ffmpeg (apt-get install ffmpeg); only regenerating the movies needs it.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
tool=${1:-"$root/build/bin/skelvane-demo-satellite"}
out="$root/data/demo/MOVIES"
command -v ffmpeg >/dev/null || { echo "ffmpeg is not installed" >&2; exit 1; }
mkdir -p "$out"
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
for code in $("$tool" --list-movies 2>/dev/null); do
  rm -f "$frames"/*.png
  "$tool" --movie-frames "$code" "$frames" 2>/dev/null
  # bitexact: no encoder version in the stream, so a rebuild with the same ffmpeg is identical.
  ffmpeg -hide_banner -loglevel error -y -framerate 25 -i "$frames/%03d.png" \
    -c:v mpeg1video -q:v 8 -g 25 -pix_fmt yuv420p -flags +bitexact -fflags +bitexact \
    -f mpeg "$out/$code.mpg"
  echo "$out/$code.mpg: $(wc -c < "$out/$code.mpg") bytes"
done
