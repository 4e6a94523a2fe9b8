#!/usr/bin/env bash
# Prepara tutto il necessario, compila e avvia Brantovel.
set -euo pipefail
cd "$(dirname "$0")"
scripts/prepara.sh
if [ "$(uname -s)" = Linux ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Brantovel è pronto in build/brantovel, ma qui non c'è uno schermo grafico" >&2
    echo "(né DISPLAY né WAYLAND_DISPLAY sono impostati): avvialo da una sessione desktop," >&2
    echo "oppure in uno schermo virtuale con:  xvfb-run -a build/brantovel" >&2
    exit 1
fi
exec build/brantovel
