#!/usr/bin/env bash
# The main job, for now: build everything, start the simulated drive on a
# pseudo-terminal with the installed inverter sample project, and work with it through
# heskmon: connect, read, write a setpoint, start the motor and watch it ramp up. The
# desktop program takes this place once its window is built.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default
bin=build/default
project=data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj
work=$(mktemp -d)
trap 'kill "$sim" 2>/dev/null || true; rm -rf "$work"' EXIT

# The simulated drive, paced like a real 38400-baud line, behind a stable name.
"$bin/src/sim/hesk-drive-sim" --project "$project" --pty --link "$work/drive" --baud 38400 \
    >"$work/sim.out" 2>"$work/sim.err" <&- &
sim=$!
for _ in $(seq 50); do [ -e "$work/drive" ] && break; sleep 0.1; done

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
