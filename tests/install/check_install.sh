#!/bin/bash
# Installs the built program as a user would, into a scratch HOME, and as a
# package would, into a scratch DESTDIR: the entry and the metainfo must
# validate, the entry's Exec must start the installed program, and uninstalling
# must remove the rest but keep a saved password file.
# Usage: check_install.sh PROGRAM BUILD_DIR
set -euo pipefail
program=$1 build=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
for tool in desktop-file-validate appstreamcli timeout; do
    command -v "$tool" >/dev/null || { echo "not installed: $tool (script/bootstrap --test installs it)"; exit 77; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export HOME=$scratch/home
unset XDG_DATA_HOME
icons=$HOME/.local/share/icons entry=$HOME/.local/share/applications/org.quillop.Quillop.desktop
QUILLOP_BINARY=$program "$root/script/install" "$HOME/My Quillop" >/dev/null
# Hints are advice; warnings and errors fail.
report=$(desktop-file-validate "$entry") && ! grep -E 'error|warning' <<<"$report" || fail "the entry does not validate: $report"
[ -s "$icons/hicolor/48x48/apps/org.quillop.Quillop.png" ] && [ -s "$icons/hicolor/scalable/apps/org.quillop.Quillop.svg" ] || fail "no icons"

# The program the menu starts is the installed one, and it keeps running.
eval "exec_words=($(sed -n 's/^Exec=//p' "$entry"))"
[ "${exec_words[*]}" = "$HOME/My Quillop/quillop" ] || fail "Exec names ${exec_words[*]}"
(cd "$scratch" && QT_QPA_PLATFORM=offscreen exec timeout 3 "${exec_words[@]}") && status=0 || status=$?
[ "$status" -eq 124 ] || fail "the installed program ended with status $status"

echo 1 >"$HOME/My Quillop/Числовой пароль.txt"
"$root/script/uninstall" >/dev/null
[ ! -e "$HOME/My Quillop/quillop" ] && [ ! -e "$entry" ] && [ -z "$(find "$icons" -name 'org.quillop.*')" ] || fail "uninstall left some of Quillop"
[ -s "$HOME/My Quillop/Числовой пароль.txt" ] || fail "uninstall removed a saved password file"

# The package: an entry naming the program in the prefix, and the metainfo.
DESTDIR=$scratch/package cmake --install "$build" --prefix /usr >/dev/null
package=$scratch/package/usr
[ -x "$package/bin/quillop" ] && grep -qx 'Exec=/usr/bin/quillop' "$package/share/applications/org.quillop.Quillop.desktop" || fail "the package entry's Exec"
# Errors and warnings fail, but for the missing homepage: Quillop has no web
# site, and a made-up address would be worse than none.
report=$(appstreamcli validate --no-net "$package/share/metainfo/org.quillop.Quillop.metainfo.xml" 2>&1) || true
grep -q 'Validation' <<<"$report" && ! grep -E '^[EW]:' <<<"$report" | grep -v url-homepage-missing ||
    fail "the metainfo does not validate: $report"
