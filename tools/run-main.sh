#!/usr/bin/env bash
# The main job, for now: build everything and show the installed inverter sample project
# with heskmon (header, a parameter page, a raw value converted through its formula and
# the base values, a validated input, the faults a fault word explains). The desktop
# program and the simulated drive take this place as they are built.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default
bin=build/default
project=data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj
heskmon() {
  printf '\n$ heskmon %s\n' "$*"
  "$bin/src/cli/heskmon" "$@"
}
heskmon project find VRA1 V1.14.18
heskmon project info "$project"
heskmon project params "$project" --page 逆变器并联
heskmon param show "$project" r0006.0 --raw 8192
heskmon param check "$project" P0070 150
heskmon param to-raw "$project" P0070 150
heskmon faults "$project" r0943.0=0x0039 r0943.9=0x0004
