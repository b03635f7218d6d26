#!/bin/sh
# Builds the prefix that each scenario starts from a copy of:
#   make-template.sh WINEARCH PREFIXES
# into PREFIXES/template, a win32 or win64 prefix. Built aside and swapped in
# under an exclusive lock, so that another ctest run in the same tree never
# copies half a prefix.
set -eu
WINEARCH=$1 prefixes=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
require_wine_loader
mkdir -p "$prefixes"
export WINEPREFIX
WINEPREFIX=$(mktemp -d "$prefixes/template.new.XXXXXX")
# Made under one fixed locale; each run picks its own through LC_ALL.
export LC_ALL=C.UTF-8

trap 'stop_own_wineserver; rm -rf "$WINEPREFIX"' EXIT
"$wine_loader" wineboot --init
# Windows without a display.
"$wine_loader" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f
# Registry written out before the copies are taken.
wineserver -w
flock "$prefixes/.lock" sh -c 'rm -rf "$1/template" && mv "$2" "$1/template"' swap "$prefixes" "$WINEPREFIX"
