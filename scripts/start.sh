#!/usr/bin/env bash
# Installs what building and running the program needs, builds the program alone (no tests, no
# benchmarks) and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# A window needs a display: say so at once rather than after the build.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    cat >&2 <<'MSG'
Quilvar est une application à fenêtres, mais cette machine n'a pas d'écran graphique
(ni DISPLAY ni WAYLAND_DISPLAY ne sont définis).
Pour la lancer sur un écran virtuel (paquet xvfb) :
    xvfb-run -a -s "-screen 0 1024x768x24" scripts/start.sh
Depuis un bureau graphique, lancez simplement scripts/start.sh.
MSG
    exit 1
fi
scripts/install-deps.sh run
scripts/build.sh build/release -DQUILVAR_TESTS=OFF
exec build/release/app/quilvar "$@"
