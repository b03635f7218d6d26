#!/bin/sh
# Runs one scenario of the driver in a fresh copy of the template prefix:
#   run-scenario.sh PREFIXES LOCALE DRIVER WEXOR SCENARIO
# SCENARIO may also be a driver mode that takes WEXOR alone, e.g. --manifest.
# LOCALE becomes LC_ALL, which sets Wine's user locale. The copy is removed
# when the scenario passes; when it fails, its registry files are kept.
set -eu
prefixes=$1 locale=$2 driver=$3 wexor=$4 scenario=$5
here=$(cd "$(dirname "$0")" && pwd)
WINEPREFIX=$(mktemp -d "$prefixes/${scenario#--}.XXXXXX")
. "$here/wine-env.sh"
export LC_ALL="$locale"

finish() {
    status=$?
    stop_own_wineserver
    if [ "$status" -eq 0 ]; then
        rm -rf "$WINEPREFIX"
    else
        rm -rf "$WINEPREFIX/drive_c" "$WINEPREFIX/dosdevices"
        echo "registry of the failed run kept in $WINEPREFIX"
    fi
    exit "$status"
}
trap finish EXIT

# Shared lock: the template is not swapped while being copied.
flock -s "$prefixes/.lock" cp -a "$prefixes/template/." "$WINEPREFIX"
# Wine shows the host's root as drive Z:.
wine "$driver" "$scenario" "Z:$(printf '%s' "$wexor" | tr / '\\')"
