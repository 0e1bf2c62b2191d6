#!/usr/bin/env bash
# The main job: build everything, start the simulated drive on a pseudo-terminal with the
# installed inverter sample project, point a settings file at it and open HESKMonitor
# with a copy of that project, ready to connect (调试 > 连接下位机), then open a page from
# the project tree and watch the values live.
#
# Without a display (no DISPLAY or WAYLAND_DISPLAY) it says how to run the window under
# Xvfb and runs the command-line demo against the same simulated drive instead: connect,
# read, run the motor and watch it ramp up.
#
# Arguments are handed to HESKMonitor (`tools/run-main.sh --language en` shows the English
# window).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default
bin=build/default
sample=data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj
work=$(mktemp -d)
sim=
trap '[ -n "$sim" ] && kill "$sim" 2>/dev/null; rm -rf "$work"' EXIT

# A copy of the project: opening it writes its "logs" folder beside it.
mkdir -p "$work/project"
cp "$sample" "$work/project/"
project="$work/project/$(basename "$sample")"

# The simulated drive, paced like a real 38400-baud line, behind a stable name.
"$bin/src/sim/hesk-drive-sim" --project "$project" --pty --link "$work/drive" --baud 38400 \
    >"$work/sim.out" 2>"$work/sim.err" <&- &
sim=$!
for _ in $(seq 50); do [ -e "$work/drive" ] && break; sleep 0.1; done
[ -e "$work/drive" ] || { cat "$work/sim.err" >&2; exit 1; }

# The settings the window uses: serial mode on the simulated drive.
printf '[CURRENT MODE]\r\nMODE=232\r\n[232 MODE]\r\nPORTNAME=%s\r\nBAUNDRATE=38400\r\n' "$work/drive" \
    >"$work/interfacecfg.ini"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "HESKMonitor: connect with 调试 > 连接下位机, then double-click r参数 in the project tree."
  "$bin/src/app/HESKMonitor" --settings "$work/interfacecfg.ini" "$@" "$project"
  exit
fi

cat <<'TEXT'
No display here. To see the window, run this script under a virtual display:
  sudo apt-get install -y xvfb && xvfb-run -a -s '-screen 0 1280x800x24' tools/run-main.sh
(or with a VNC or X server of your own). Meanwhile, the same simulated drive from the
command line:
TEXT
heskmon() {
  printf '\n$ heskmon %s\n' "$*"
  "$bin/src/cli/heskmon" "$@"
}
line=(--project "$project" --port "$work/drive")
heskmon connect "${line[@]}"
heskmon read "${line[@]}" r0001 P0070 P0107.1 r0006.0
heskmon write "${line[@]}" --panel P7030=40.00 P0880=1 P7000.5=1
heskmon watch "${line[@]}" r0001 r0002 r0015 --seconds 4
heskmon write "${line[@]}" --panel P7000.5=0
