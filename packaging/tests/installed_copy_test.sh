#!/usr/bin/env bash
# An installed copy in a read-only prefix, used by an ordinary user with a fresh home folder:
# the office folder is made from the template, the job and to-do saves land in it (and are there
# again on the next start), --folder and KEZ_OFFICE_FOLDER choose another one, and nothing under
# the prefix changes.
#   installed_copy_test.sh BUILD_DIR HELPER
# The prefix is made read-only with chmod. Root writes through permission bits, so when run as
# root (CI) the programs run as the unprivileged user "nobody" through runuser, which also
# makes the prefix (owned by root) unwritable to them; otherwise they run as the caller.
set -euo pipefail
build=$1
helper=$2
# Only what each step sets chooses the office folder, never the caller's own settings.
unset KEZ_OFFICE_FOLDER XDG_DATA_HOME

work=$(mktemp -d /tmp/kez-installed-XXXXXX)
prefix=$work/prefix
cleanup() { chmod -R u+w "$work" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
chmod 755 "$work"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null
cp "$helper" "$prefix/bin/"
chmod -R a-w "$prefix"
template=$prefix/share/kez-office/template

home=$work/home
shared=$work/server/office
mkdir -p "$home" "$work/server"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$home" "$work/server"
  as_user=(runuser -u nobody --)
fi

# Every file with its mode, size and checksum: what "unchanged" means for the prefix.
snapshot() { (cd "$prefix" && find . -printf '%p %M %s\n' | sort && find . -type f -exec md5sum {} + | sort); }
before=$(snapshot)

# Runs a program of the prefix as the user, from "/" (not writable to them), headless.
run() {
  (cd / && "${as_user[@]}" env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen \
     ${KEZ_OFFICE_FOLDER:+KEZ_OFFICE_FOLDER="$KEZ_OFFICE_FOLDER"} \
     ${XDG_DATA_HOME:+XDG_DATA_HOME="$XDG_DATA_HOME"} "$@")
}

# The real program starts and keeps running until it is stopped.
start_and_stop() {
  local status=0
  run timeout 8 "$prefix/bin/$1" >"$work/$1.log" 2>&1 || status=$?
  [ "$status" -eq 124 ] || { fail "$1 ended with $status"; cat "$work/$1.log"; }
}
start_and_stop kez-jobs
start_and_stop kez-todo
office=$home/.local/share/kez-office
[ -d "$office" ] || fail "no office folder under the user's data folder"
(cd "$template" && find . -type f) | while read -r file; do
  cmp -s "$template/$file" "$office/$file" || echo "FAILED: $file not copied from the template"
done | tee "$work/copies.log"
[ -s "$work/copies.log" ] && fail "the office folder is not a copy of the template"

# Saves land in the office folder and are there on the next start.
helper_run() {
  local output
  output=$(run "$prefix/bin/$(basename "$helper")" "$@" 2>"$work/helper.log") ||
    { fail "helper $* failed"; cat "$work/helper.log" >&2; }
  echo "$output"
}
[ "$(helper_run job)" = "saved ..." ] || fail "the job save did not report saved"
grep -q "Invoice notes: Saved from the installed copy" "$office/data/inv0042.job" ||
  fail "the job save did not land in the office folder"
[ "$(helper_run job-notes)" = "Saved from the installed copy" ] ||
  fail "the saved job did not come back on the next start"
helper_run todo >/dev/null
grep -q "Ring Mrs Patel about her survey" "$office/todo.dat" ||
  fail "the to-do save did not land in the office folder"
helper_run todo-entries | grep -qx "Ring Mrs Patel about her survey" ||
  fail "the to-do entry did not come back on the next start"
# The real to-do program works in the office folder, which others may share: it backs the
# database up into the user's own configuration folder, dated, not into a shared todo.bak.
backups=$home/.config/kez-office/backups
rm -rf "$backups" "$office/todo.bak"
start_and_stop kez-todo
backup=$(ls "$backups"/todo-*.bak 2>/dev/null | head -n 1 || true)
[ -n "$backup" ] && cmp -s "$office/todo.dat" "$backup" ||
  fail "the to-do program did not back the office's database up into the user's own folder"
[ ! -e "$office/todo.bak" ] || fail "the to-do program wrote a shared todo.bak"

# A shared office folder chosen with --folder, then with the environment, and the data folder
# moved by XDG_DATA_HOME; the user's own folder is left as it was.
own=$(cd "$office" && find . -type f -exec md5sum {} + | sort)
helper_run job --folder "$shared" >/dev/null
grep -q "Saved from the installed copy" "$shared/data/inv0042.job" ||
  fail "--folder did not choose the shared office folder"
KEZ_OFFICE_FOLDER=$shared helper_run todo >/dev/null
grep -q "Ring Mrs Patel about her survey" "$shared/todo.dat" ||
  fail "KEZ_OFFICE_FOLDER did not choose the shared office folder"
XDG_DATA_HOME=$home/data helper_run job >/dev/null
grep -q "Saved from the installed copy" "$home/data/kez-office/data/inv0042.job" ||
  fail "the user's data folder named by XDG_DATA_HOME was not used"
[ "$own" = "$(cd "$office" && find . -type f -exec md5sum {} + | sort)" ] ||
  fail "a run in the shared folder changed the user's own office folder"

[ "$before" = "$(snapshot)" ] || fail "the installed prefix changed"
[ "$failures" -eq 0 ] && echo "installed copy: all checks passed"
exit "$failures"
