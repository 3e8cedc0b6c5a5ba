#!/usr/bin/env bash
# Installs the Debian packages Kavendor needs to build, test and run.
# Idempotent: packages already present are skipped, so a second run is quick.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core xvfb xauth socat poppler-utils python3
  libwmf-dev fonts-urw-base35
  clang libclang-rt-14-dev
  dpkg-dev file desktop-file-utils appstream dbus-daemon lintian systemd
  qt6-httpserver-dev qt6-websockets-dev chromium chromium-driver python3-selenium
  libmosquitto-dev mosquitto mosquitto-clients openssl nginx-light
  openbox x11-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
