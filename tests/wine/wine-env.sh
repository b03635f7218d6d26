# Sourced by the scripts here once WINEPREFIX names the prefix: the
# environment every Wine run of the tests gets, and a way to stop that
# prefix's server alone.
: "${WINEPREFIX:?must name the prefix}"
export WINEPREFIX
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no prompts to install Mono or Gecko
unset DISPLAY WAYLAND_DISPLAY

# Ends the server of this prefix (and whatever still runs in it), never another's.
stop_own_wineserver() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}
