#!/bin/bash
# Installs the built program as a user would, into a scratch HOME, and as a
# package would, into a scratch DESTDIR: the entries and the metainfo must
# validate, the entry's Exec must start the installed program, and uninstalling
# must keep a saved password file.  Usage: check_install.sh PROGRAM BUILD_DIR
set -euo pipefail
program=$1 build=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
for tool in desktop-file-validate appstreamcli timeout; do
    command -v "$tool" >/dev/null || { echo "not installed: $tool (script/bootstrap --test installs it)"; exit 77; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# Hints are advice; warnings and errors fail.
validate_entry() {
    local report
    report=$(desktop-file-validate "$1") || { echo "$report"; return 1; }
    ! grep -E 'error|warning' <<<"$report"
}

export HOME=$scratch/home
unset XDG_DATA_HOME
data=$HOME/.local/share
QUILLOP_BINARY=$program "$root/script/install" "$HOME/My Quillop" >/dev/null
entry=$data/applications/org.quillop.Quillop.desktop
validate_entry "$entry" || fail "the installed entry does not validate"
for icon in 16x16/apps/org.quillop.Quillop.png 256x256/apps/org.quillop.Quillop.png scalable/apps/org.quillop.Quillop.svg; do
    [ -s "$data/icons/hicolor/$icon" ] || fail "icon $icon not installed"
done

# The program the menu starts is the installed one, and it keeps running.
exec_words=()
eval "exec_words=($(sed -n 's/^Exec=//p' "$entry"))"
[ "${exec_words[*]}" = "$HOME/My Quillop/quillop" ] || fail "Exec names ${exec_words[*]}"
status=0
(cd "$scratch" && QT_QPA_PLATFORM=offscreen timeout 3 "${exec_words[@]}") || status=$?
[ "$status" -eq 124 ] || fail "the installed program ended with status $status"

printf 'Числовой пароль: 1\r\n' | iconv -f UTF-8 -t CP1251 >"$HOME/My Quillop/Числовой пароль.txt"
"$root/script/uninstall" >"$scratch/uninstall.log"
for gone in "$HOME/My Quillop/quillop" "$entry"; do [ ! -e "$gone" ] || fail "uninstall left $gone"; done
[ -z "$(find "$data/icons" -name 'org.quillop.Quillop.*')" ] || fail "uninstall left icons"
[ -s "$HOME/My Quillop/Числовой пароль.txt" ] || fail "uninstall removed a saved password file"
grep -q 'Числовой пароль.txt' "$scratch/uninstall.log" || fail "uninstall did not say what it kept"

# The package: the same entry naming the program in the prefix, and the metainfo.
DESTDIR=$scratch/package cmake --install "$build" --prefix /usr >/dev/null
package=$scratch/package/usr
[ -x "$package/bin/quillop" ] || fail "the package has no program"
validate_entry "$package/share/applications/org.quillop.Quillop.desktop" || fail "the package entry does not validate"
grep -qx 'Exec=/usr/bin/quillop' "$package/share/applications/org.quillop.Quillop.desktop" || fail "the package entry's Exec"
appstreamcli validate --no-net "$package/share/metainfo/org.quillop.Quillop.metainfo.xml" >/dev/null ||
    fail "the metainfo does not validate"
[ -s "$package/share/icons/hicolor/48x48/apps/org.quillop.Quillop.png" ] || fail "the package has no icons"
