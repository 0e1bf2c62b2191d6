#!/usr/bin/env bash
# Builds everything and runs the whole test suite: each fuzz target for a short bounded
# time (fuzz preset, clang), the link, online, session, simulator, recorder and fault-data
# tests under the thread sanitizer (tsan preset, clang), then the unit, integration and
# CLI tests (default preset).
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
cmake --workflow --preset fuzz
cmake --workflow --preset tsan
cmake --workflow --preset default
