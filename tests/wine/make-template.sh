#!/bin/sh
# Builds the prefix that each scenario starts from a copy of:
#   make-template.sh PREFIXES
# into PREFIXES/template. Built aside and swapped in under an exclusive lock,
# so that another ctest run in the same tree never copies half a prefix.
set -eu
prefixes=$1
mkdir -p "$prefixes"
here=$(cd "$(dirname "$0")" && pwd)
WINEPREFIX=$(mktemp -d "$prefixes/template.new.XXXXXX")
. "$here/wine-env.sh"
# Made under one fixed locale; each run picks its own through LC_ALL.
export LC_ALL=C.UTF-8

trap 'stop_own_wineserver; rm -rf "$WINEPREFIX"' EXIT
wineboot --init
# Windows without a display.
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f
# Registry written out before the copies are taken.
wineserver -w
flock "$prefixes/.lock" sh -c 'rm -rf "$1/template" && mv "$2" "$1/template"' swap "$prefixes" "$WINEPREFIX"
