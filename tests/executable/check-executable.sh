#!/bin/sh
# Checks what WEXOR.exe asks of the system: the imports listed in imports.txt
# and nothing else, a 32-bit GUI image that the Windows 95 family will load,
# and its size limit (13 KiB, resources included).
# Usage: check-executable.sh OBJDUMP WEXOR.exe imports.txt
set -eu
objdump=$1 exe=$2 expected=$3
headers=$("$objdump" -p "$exe")
status=0

actual=$(printf '%s\n' "$headers" |
    awk '/DLL Name:/ { dll = toupper($3) } /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z]/ { print dll, $3 }' | sort)
if [ "$actual" != "$(sort "$expected")" ]; then
    echo "imports differ from $expected (< expected, > actual):"
    printf '%s\n' "$actual" | diff "$expected" - || true
    status=1
fi

for line in 'file format pei-i386' 'Subsystem		00000002	(Windows GUI)' \
            'MajorSubsystemVersion	4' 'MinorSubsystemVersion	0'; do
    printf '%s\n' "$headers" | grep -qF "$line" || { echo "missing header line: $line"; status=1; }
done
size=$(wc -c <"$exe")
[ "$size" -le 13312 ] || { echo "WEXOR.exe is $size bytes, over its 13 KiB"; status=1; }
exit $status
