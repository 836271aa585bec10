#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
scripts/build.sh build/release
exec build/release/app/quilvar "$@"
