#!/usr/bin/env bash
# remove_tree (scripts/lib/mounts.sh) on a scratch tree holding a bind mount of a directory with a
# marker file: first the mount will not unmount at all, then a process holds it busy. The marker
# survives both, and nothing is removed while the mount is live. Needs root and, like the
# fresh-machine check it serves, debootstrap; exits 77 (skipped) otherwise. Everything it makes
# is below one mktemp -d.
set -euo pipefail
[ "$(id -u)" -eq 0 ] || { echo "skipped: needs root"; exit 77; }
command -v debootstrap >/dev/null || { echo "skipped: needs debootstrap"; exit 77; }
. "$(dirname "$0")/../../scripts/lib/mounts.sh"

scratch=$(mktemp -d)
tree=$scratch/tree
holder=
cleanup() {
  [ -z "$holder" ] || kill "$holder" 2>/dev/null || true
  while mountpoint -q "$tree/mnt" 2>/dev/null; do command umount -l "$tree/mnt" || break; done
  if grep -qF " $scratch/" /proc/mounts; then
    echo "left $scratch in place: something is still mounted below it"
  else
    rm -rf --one-file-system "$scratch"
  fi
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$scratch/bound" "$tree/mnt" "$tree/etc"
echo kept >"$scratch/bound/marker"
echo chroot >"$tree/etc/file"
mount --bind "$scratch/bound" "$tree/mnt" || { echo "skipped: cannot bind-mount here"; exit 77; }

# A mount that neither a plain nor a lazy umount removes: nothing is removed.
umount() { return 32; }
if remove_tree "$tree" 2>"$scratch/err"; then fail "removed a tree that still holds a mount"; fi
grep -qF "still mounted below $tree" "$scratch/err" || fail "no message naming the mount: $(cat "$scratch/err")"
[ -f "$tree/etc/file" ] || fail "removed files of a tree that still holds a mount"
[ "$(cat "$tree/mnt/marker")" = kept ] || fail "removed the marker through the live mount"

# A busy mount: the plain umount fails, the lazy one detaches it, and then the tree goes.
(cd "$tree/mnt" && exec sleep 300) &
holder=$!
for _ in $(seq 50); do [ "$(readlink "/proc/$holder/cwd")" = "$tree/mnt" ] && break; sleep 0.1; done
umount() {
  local rc=0
  command umount "$@" || rc=$?
  echo "umount $* -> $rc" >>"$scratch/umount.log"
  return $rc
}
remove_tree "$tree" || fail "did not remove the tree once its mount was detached"
grep -qE "^umount $tree/mnt -> [1-9]" "$scratch/umount.log" || fail "the plain umount did not fail: $(cat "$scratch/umount.log")"
grep -qx "umount -l $tree/mnt -> 0" "$scratch/umount.log" || fail "no lazy umount: $(cat "$scratch/umount.log")"
[ ! -e "$tree" ] || fail "the tree is still there"
[ "$(cat "$scratch/bound/marker")" = kept ] || fail "the marker in the bound directory is gone"
echo "remove_tree kept the bound directory's files"
