#!/usr/bin/env bash
# Installs what building, running and testing Quilvar needs on Debian 12.
set -euo pipefail
packages=(
    build-essential cmake ccache pkg-config
    qt6-base-dev qt6-translations-l10n libgl-dev
    libjpeg62-turbo-dev libbenchmark-dev
    clang-14 libclang-rt-14-dev
    xvfb xauth imagemagick poppler-utils
    cups printer-driver-cups-pdf
    fonts-dejavu-core fonts-liberation
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
