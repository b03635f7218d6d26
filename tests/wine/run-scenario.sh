#!/bin/sh
# Runs one scenario of the driver in a fresh copy of the template prefix:
#   run-scenario.sh WINEARCH PREFIXES LOCALE DRIVER WEXOR SCENARIO
# SCENARIO may also be a driver mode that takes WEXOR alone, e.g. --manifest.
# LOCALE becomes LC_ALL, which sets Wine's user locale. The copy is removed
# when the scenario passes; when it fails, its registry files are kept.
set -eu
WINEARCH=$1 prefixes=$2 locale=$3 driver=$4 wexor=$5 scenario=$6
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
require_wine_loader
export WINEPREFIX
WINEPREFIX=$(mktemp -d "$prefixes/${scenario#--}.XXXXXX")
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
"$wine_loader" "$driver" "$scenario" "Z:$(printf '%s' "$wexor" | tr / '\\')"
