#!/usr/bin/env bash
# Builds everything and runs the whole test suite: unit, integration and CLI tests
# (default preset), then each fuzz target for a short bounded time (fuzz preset).
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
cmake --workflow --preset default
cmake --workflow --preset fuzz
