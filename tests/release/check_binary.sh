#!/bin/bash
# The properties a released binary must have, one row each: hardened as
# Debian builds its packages, reproducible, importing only what it should.
# Usage: check_binary.sh elf|pe BINARY SOURCE_DIR BUILD_DIR
set -uo pipefail
kind=$1 binary=$2 source=$3 build=$4
objdump=objdump
[ "$kind" = pe ] && objdump=x86_64-w64-mingw32-objdump
failed=0
row() { # row WHAT COMMAND...: the binary has the property when COMMAND succeeds
    local what=$1
    shift
    if "$@" >/dev/null 2>&1; then echo "ok   $what"; else echo "FAIL $what"; failed=1; fi
}
has() { grep -qE "$1" <<<"$2"; }
headers=$($objdump -p "$binary")
strings=$(strings -a "$binary")
row "no build or source path inside" eval '! grep -qF -e "$source" -e "$build" <<<"$strings"'

if [ "$kind" = elf ]; then
    dynamic=$(readelf -dW "$binary") symbols=$(readelf --dyn-syms -W "$binary")
    row "position-independent (PIE)" has 'Type: +DYN' "$(readelf -h "$binary")"
    row "read-only relocations (RELRO)" has GNU_RELRO "$(readelf -lW "$binary")"
    row "bound at start (BIND_NOW)" has 'FLAGS.*(BIND_NOW|NOW)' "$dynamic"
    row "stack protector" has '__stack_chk_fail' "$symbols"
    row "fortified calls" has '__[a-z_]+_chk@' "$(grep -v __stack_chk <<<"$symbols")"
else
    imports=$(sed -n 's/^\tDLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
    row "address space randomised, 64-bit (DYNAMIC_BASE, HIGH_ENTROPY_VA)" \
        eval 'has DYNAMIC_BASE "$headers" && has HIGH_ENTROPY_VA "$headers"'
    row "no executable data (NX_COMPAT)" has NX_COMPAT "$headers"
    row "relocations kept" has ' \.reloc ' "$($objdump -h "$binary")"
    row "stack protector inside" has 'stack smashing detected' "$strings"
    row "no link time stamped" has '^Time/Date.*1970' "$headers"
    # KnownDLLs, which Windows takes only from its own folder, and comctl32,
    # which the manifest binds.
    row "imports only system DLLs ($imports)" \
        eval '[ "$imports" = "advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll " ]'
fi
exit $failed
