#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and running HESKMonitor needs.
# Safe to run again; uses sudo only when not already root.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-serialport-dev qt6-svg-dev libqt6core5compat6-dev qt6-translations-l10n
  qt6-l10n-tools qt6-tools-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libzip-dev libpugixml-dev libxlsxwriter-dev
  libqcustomplot-dev libqcustomplot2.1-qt6
  fonts-wqy-microhei
)
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${packages[@]}"
