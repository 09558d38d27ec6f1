#!/usr/bin/env bash
# Makes the Debian package and checks it with the tools Debian's packagers use: lintian on the
# package, desktop-file-validate on its menu entries, appstreamcli on its metainfo. Installs the
# checkers first when they are missing (lintian is large, so only this check pulls it in).
# Exits non-zero when any of them reports an error.
set -euo pipefail
cd "$(dirname "$0")/.."

checkers=(lintian desktop-file-utils appstream)
missing=()
for p in "${checkers[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  echo "installing: ${missing[*]}"
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

work=$(mktemp -d /tmp/kez-package-XXXXXX)
trap 'rm -rf "$work"' EXIT
deb=$(bash scripts/package.sh "$work" | tail -1)
dpkg-deb -x "$deb" "$work/root"

status=0
echo "== lintian $(basename "$deb")"
# Errors and warnings fail the check; lintian's informational notes are shown too.
lintian --display-info --fail-on error,warning "$deb" || status=1
echo "== desktop-file-validate"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop || status=1
echo "== appstreamcli validate"
# --no-net: the screenshots are published at the office's project address, which a check on
# a build machine cannot be expected to reach.
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml || status=1
appstreamcli validate-tree --no-net "$work/root" || status=1
[ "$status" -eq 0 ] && echo "package checks: no errors"
exit "$status"
