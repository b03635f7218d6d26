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

# Tries the loader: status 0 when it runs; 3 when the kernel refuses to
# execute it for its format (ENOEXEC: the i386 loader on a kernel without
# 32-bit x86 support); 1 for any other trouble, said on stderr.
try_wine_loader() {
    if [ ! -x "$wine_loader" ]; then
        echo "no Wine loader $wine_loader for $WINEARCH; scripts/install-deps installs it" >&2
        return 1
    fi
    loader_status=0
    loader_said=$(LC_ALL=C sh -c 'exec "$0" --version' "$wine_loader" 2>&1) || loader_status=$?
    [ "$loader_status" -eq 0 ] && return 0
    case "$loader_status:$loader_said" in
        126:*"Exec format error"*) return 3 ;;
    esac
    echo "$wine_loader --version failed with status $loader_status: $loader_said" >&2
    return 1
}

# Ends the script unless the loader runs. Where the kernel cannot execute the
# i386 loader at all, the 32-bit tests are skipped, with the line their CTest
# SKIP_REGULAR_EXPRESSION looks for; any other trouble, and any trouble of
# the x86-64 loader, fails.
require_wine_loader() {
    loader_check=0
    try_wine_loader || loader_check=$?
    [ "$loader_check" -eq 0 ] && return 0
    if [ "$loader_check" -eq 3 ] && [ "$WINEARCH" = win32 ]; then
        echo "SKIPPED: this machine cannot execute 32-bit x86 programs, so 32-bit Wine cannot run here"
        exit 77
    fi
    [ "$loader_check" -eq 3 ] && echo "this machine cannot execute $wine_loader" >&2
    exit 1
}

# Ends the server of this prefix (and whatever still runs in it), never another's.
stop_own_wineserver() {
    : "${WINEPREFIX:?names the prefix whose server to stop}"
    export WINEPREFIX
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}
