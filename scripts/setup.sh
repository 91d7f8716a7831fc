#!/usr/bin/env bash
# Installs what building, testing and running Quorlix needs on Debian 12. Safe to run again:
# it installs only what is missing and does nothing when everything is there.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    nlohmann-json3-dev libcli11-dev libpcap-dev libdbus-1-dev
    qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libgl-dev fonts-wqy-microhei
    xvfb xauth x11-apps imagemagick openbox wmctrl xdotool
    clang libclang-rt-14-dev valgrind
    libbpf-dev bpftool
    desktop-file-utils dpkg-dev file man-db
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ "${#missing[@]}" -eq 0 ]; then
    exit 0
fi

echo "setup: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
