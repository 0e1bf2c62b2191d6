#!/usr/bin/env bash
# The main job, for now: build everything, write a generated inverter sample project and
# show it with heskmon (header, a parameter page, one parameter with a raw value
# converted, the faults a fault word explains). The desktop program and the simulated
# drive take this place as they are built.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default
bin=build/default
sample=$bin/samples/demo.tmprj
mkdir -p "$(dirname "$sample")"
"$bin/tools/hesk-make-sample" "$sample" --definitions 400
heskmon() {
  printf '\n$ heskmon %s\n' "$*"
  "$bin/src/cli/heskmon" "$@"
}
heskmon project info "$sample"
heskmon project params "$sample" --page 逆变器并联
heskmon param show "$sample" P0007.0 --raw 8192
heskmon param check "$sample" P0070 60 || true
heskmon faults "$sample" r0943.0=0x0039
