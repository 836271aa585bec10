#!/usr/bin/env bash
# install-deps.sh [purpose...]: installs the Debian 12 packages that each purpose needs, one list
# per purpose in scripts/packages/<purpose>.txt (one package a line, # starts a comment):
#   run      build and run the program (the start command)
#   package  make the Debian package with CPack
#   test     run every test (the test command installs all three)
# With no purpose, installs every list.
set -euo pipefail
lists=$(cd "$(dirname "$0")/packages" && pwd)
purposes=("$@")
if [ ${#purposes[@]} -eq 0 ]; then
    for list in "$lists"/*.txt; do purposes+=("$(basename "$list" .txt)"); done
fi
packages=()
for purpose in "${purposes[@]}"; do
    list=$lists/$purpose.txt
    if [ ! -f "$list" ]; then
        known=("$lists"/*.txt)
        known=("${known[@]##*/}")
        echo "install-deps: no package list for '$purpose' (known: ${known[*]%.txt})" >&2
        exit 2
    fi
    while read -r package _; do
        [ -n "$package" ] && packages+=("$package")
    done < <(sed 's/#.*//' "$list")
done
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
