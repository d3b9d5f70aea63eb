#!/usr/bin/env bash
# Checks the Debian package as a user meets it. lintian finds no error and no
# warning in it; its desktop file and metainfo validate; extracted into a scratch root, its zafrano-cli (the whole history
# imported, the calendar, a peña added and checked) and its window (offscreen, a few seconds),
# run by a user who is not root with a fresh home, keep their data in that
# user's own folder and write nothing beside the binaries.
# Usage: scripts/check-package.sh [BUILD_DIR]   (after scripts/package.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
deb=$(ls "$dir"/zafrano_*.deb | head -n 1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
root="$work/root"
fail() { echo "check-package: $*" >&2; exit 1; }

echo "check-package: $deb"
dpkg-deb -f "$deb" Package Version Depends
dpkg-deb -x "$deb" "$root"
# The tags left are those of a package built outside Debian's own archive:
# no source package, a maintainer address the builder gives (DEBEMAIL) or none.
lintian --fail-on error,warning --tag-display-limit 0 \
    --suppress-tags bogus-mail-host,bogus-mail-host-in-debian-changelog "$deb"
desktop-file-validate "$root/usr/share/applications/es.zafrano.Zafrano.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/es.zafrano.Zafrano.metainfo.xml"
for file in usr/bin/zafrano usr/bin/zafrano-cli usr/share/man/man1/zafrano-cli.1.gz \
    usr/share/man/man1/zafrano.1.gz usr/share/doc/zafrano/copyright usr/share/doc/zafrano/changelog.gz \
    usr/share/icons/hicolor/scalable/apps/zafrano.svg usr/share/zafrano/tablas.bin \
    usr/share/zafrano/Zafrano.net usr/share/zafrano/Zafrano1.net usr/share/zafrano/Zafrano.mdb \
    usr/share/zafrano/historico_bonoloto.csv usr/lib/systemd/user/zafrano-comprobar.service \
    usr/lib/systemd/user/zafrano-comprobar.timer; do
    [ -f "$root/$file" ] || fail "the package lacks /$file"
done

# Root runs the programs as nobody; anyone else runs them as themselves.
if [ "$(id -u)" -eq 0 ]; then
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
    as_user=()
fi
fresh_home() {
    local home
    home=$(mktemp -d "$work/home.XXXXXX")
    [ "$(id -u)" -ne 0 ] || chown nobody:nogroup "$home"
    echo "$home"
}
run() {
    local home=$1
    shift
    "${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 \
        QT_QPA_PLATFORM=offscreen ZAFRANO_NEWS_URL=off "$@"
}
snapshot() { (cd "$root" && find . -printf '%p %s %T@\n' | sort); }

before=$(snapshot)
cli="$root/usr/bin/zafrano-cli"
home=$(fresh_home)
data="$home/.local/share/Zafrano"
run "$home" "$cli" import-csv "$root/usr/share/zafrano/historico_bonoloto.csv"
run "$home" "$cli" calendar
run "$home" "$cli" add-syndicate --name "LOS DEL BAR" --days Todos --bets "1 2 16 20 28 47"
checked=$(run "$home" "$cli" check --draws 3 --history)
[[ "$checked" == *"Has acertado 6 números."* ]] || fail "the check found no prize: $checked"
where=$(run "$home" "$cli" where)
[ "$where" = "$data" ] || fail "zafrano-cli where says $where, not $data"
[ "$(stat -c %a "$data")" = 700 ] || fail "$data is not its owner's alone"
draws=$(stat -c %s "$data/bononume.dat")
[ "$draws" -gt 200000 ] || fail "the history did not land in $data ($draws bytes)"
[ -f "$data/Zafrano.mdb" ] || fail "the new data folder got no Zafrano.mdb"

# The window: it starts, creates its own data folder and keeps running.
home=$(fresh_home)
status=0
run "$home" timeout 20 "$root/usr/bin/zafrano" || status=$?
[ "$status" -eq 124 ] || fail "zafrano stopped with status $status instead of running"
for file in bononume.dat bonoapu.dat bnums.ini Zafrano.mdb; do
    [ -f "$home/.local/share/Zafrano/$file" ] || fail "zafrano made no $file in its data folder"
done

[ "$before" = "$(snapshot)" ] || fail "something was written beside the installed program"
echo "check-package: the package installs and runs as a normal user"
