#!/usr/bin/env bash
# Retakes the pictures of the user manual (docs/manual/images/*.png) from the real
# windows: builds HESKMonitor's window library, the simulated drive and the picture
# taker (hesk-manual-screenshots), starts the simulated drive with a copy of the installed
# inverter sample project on a pseudo-terminal (as tools/run-main.sh does), points a
# settings file at it and lets the picture taker drive the window: open the project,
# connect, run the motor at 40 Hz, open pages, run the editors and the dialogs, create a
# project from data/sample-inputs.
#
#   tools/manual-screenshots.sh [OUT_DIR]      # default: docs/manual/images
#
# It runs under Xvfb when xvfb-run is there (the pictures then come from an X server),
# otherwise on Qt's offscreen platform; ImageMagick's convert, when there, reduces the
# pictures to 256 colours. Look at every picture before you commit it.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/manual/images}
mkdir -p "$out"

cmake --preset default >/dev/null
cmake --build --preset default -j2 --target hesk-drive-sim hesk-manual-screenshots
bin=build/default
sample=data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj
inputs=data/sample-inputs/VRA1V11418
work=$(mktemp -d /tmp/hesk-manual.XXXXXX)
sim=
trap '[ -n "$sim" ] && kill "$sim" 2>/dev/null; rm -rf "$work"' EXIT

mkdir -p "$work/project" "$work/home"
cp "$sample" "$work/project/"
project="$work/project/$(basename "$sample")"

"$bin/src/sim/hesk-drive-sim" --project "$project" --pty --link "$work/drive" --baud 38400 \
    --control "$work/drive.ctl" >"$work/sim.out" 2>"$work/sim.err" <&- &
sim=$!
for _ in $(seq 50); do [ -e "$work/drive" ] && [ -e "$work/drive.ctl" ] && break; sleep 0.1; done
[ -e "$work/drive" ] || { cat "$work/sim.err" >&2; exit 1; }

printf '[CURRENT MODE]\r\nMODE=232\r\n[232 MODE]\r\nPORTNAME=%s\r\nBAUNDRATE=38400\r\n' "$work/drive" \
    >"$work/interfacecfg.ini"

shoot=("$bin/tools/manual-screenshots/hesk-manual-screenshots" --out "$out" --project "$project"
       --settings "$work/interfacecfg.ini" --inputs "$inputs" --work "$work" --sim-control "$work/drive.ctl")
# The user's own settings (docking layout, last folders) stay out of the pictures.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
if command -v xvfb-run >/dev/null; then
  xvfb-run -a -s '-screen 0 1280x800x24' "${shoot[@]}"
else
  QT_QPA_PLATFORM=offscreen "${shoot[@]}"
fi
# 256 colours are plenty for window pictures and keep each file small.
if command -v convert >/dev/null; then
  for picture in "$out"/*.png; do
    convert "$picture" -dither None -colors 256 "PNG8:$picture"
  done
fi
ls -l "$out"
