#!/bin/sh
# A bcrypt.dll planted beside a Windows program: the control, which imports it
# the plain way, must load it (so the check can fail), and Quillop's start
# must not, and must still draw its random bytes.
# Usage: planted_dll.sh WINEPREFIX PLANTED_DLL PROGRAM_START_EXE CONTROL_EXE
set -eu
export WINEPREFIX=$1 WINEDEBUG=-all WINEARCH=win64
# Native first, as on Windows, where no built-in copy is preferred.
export WINEDLLOVERRIDES="mscoree,mshtml=;bcrypt=n,b"
unset DISPLAY
planted=$2 program=$3 control=$4
[ -x /usr/lib/wine/wine64 ] || { echo "SKIPPED: wine64 is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run EXE: runs a copy of EXE in a folder of its own with the planted DLL beside it,
# from that folder; prints "loaded" or "not loaded", then the exit status.
run() {
    folder=$(mktemp -d "$work/folder.XXXXXX")
    cp "$planted" "$folder/bcrypt.dll" && cp "$1" "$folder/program.exe"
    (cd "$folder" && /usr/lib/wine/wine64 program.exe) >/dev/null 2>&1 && status=0 || status=$?
    [ -e "$folder/planted-dll-loaded" ] || printf 'not '
    printf 'loaded %s' "$status"
}

got=$(run "$control")
[ "${got%% *}" = loaded ] || { echo "FAIL: the control did not load the planted DLL ($got): the check cannot fail"; exit 1; }
got=$(run "$program")
[ "$got" = "not loaded 0" ] || { echo "FAIL: Quillop's start with a planted bcrypt.dll: $got (want: not loaded 0)"; exit 1; }
