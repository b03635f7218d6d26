# Sourced by the scripts here once WINEARCH says which Wine to use (win32:
# the i386 loader, for the i686 build; win64: the x86-64 loader, for the
# x86_64 build): the environment every Wine run of the tests gets, the loader
# as $wine_loader, and a way to stop the server of the prefix in WINEPREFIX
# alone. The loaders are named, not found through /usr/bin/wine, which picks
# the i386 one whenever it is installed, whether or not it can run.
: "${WINEARCH:?must be win32 or win64}"
export WINEARCH
case "$WINEARCH" in
    win32) wine_loader=/usr/lib/wine/wine ;;
    win64) wine_loader=/usr/lib/wine/wine64 ;;
    *) echo "WINEARCH must be win32 or win64, not $WINEARCH" >&2; exit 2 ;;
esac
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no prompts to install Mono or Gecko
unset DISPLAY WAYLAND_DISPLAY

# Ends when the loader cannot run. A kernel without 32-bit x86 support refuses
# to execute the i386 loader at all (ENOEXEC): then the 32-bit tests are
# skipped, with the line their CTest SKIP_REGULAR_EXPRESSION looks for. Any
# other trouble, and any trouble of the x86-64 loader, fails.
require_wine_loader() {
    if [ ! -x "$wine_loader" ]; then
        echo "no Wine loader $wine_loader for $WINEARCH; scripts/install-deps installs it" >&2
        exit 1
    fi
    loader_status=0
    loader_said=$(LC_ALL=C sh -c 'exec "$0" --version' "$wine_loader" 2>&1) || loader_status=$?
    [ "$loader_status" -eq 0 ] && return 0
    case "$WINEARCH:$loader_status:$loader_said" in
        win32:126:*"Exec format error"*)
            echo "SKIPPED: this machine cannot execute 32-bit x86 programs, so 32-bit Wine cannot run here"
            exit 77 ;;
    esac
    echo "$wine_loader --version failed with status $loader_status: $loader_said" >&2
    exit 1
}

# Ends the server of this prefix (and whatever still runs in it), never another's.
stop_own_wineserver() {
    : "${WINEPREFIX:?names the prefix whose server to stop}"
    export WINEPREFIX
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}
