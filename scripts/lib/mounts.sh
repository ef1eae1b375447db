# Removing a directory that may still hold mounts (a chroot with the host's /dev, /proc, ... bound
# into it) without ever deleting through one. Sourced by scripts/check-fresh-machine and its test.

# Prints the mount points at or below DIR as /proc/mounts lists them now, deepest first; a point
# mounted twice is printed twice.
mounts_below() {
  local dir device point rest
  dir=$(realpath -m "$1")
  while read -r device point rest; do
    point=$(printf '%b' "$point") # /proc/mounts writes blanks and backslashes as octal escapes
    if [[ $point == "$dir" || $point == "$dir"/* ]]; then printf '%s\n' "$point"; fi
  done </proc/mounts | LC_ALL=C sort -r
}

# Unmounts everything at or below DIR: a plain umount, else a lazy one (it detaches a busy mount
# from the tree at once; its holders keep it until they let go). Fails, naming the mounts, when
# /proc/mounts still lists one afterwards.
unmount_below() {
  local point left
  while read -r point; do
    umount "$point" 2>/dev/null || { echo "$point did not unmount: detaching it lazily"; umount -l "$point"; } || true
  done < <(mounts_below "$1")
  left=$(mounts_below "$1")
  [ -z "$left" ] && return 0
  echo "still mounted below $1, so it is not removed:" >&2
  sed 's/^/  /' <<<"$left" >&2
  return 1
}

# Removes DIR once nothing is mounted below it, never leaving DIR's file system; removes nothing
# and fails while a mount remains.
remove_tree() {
  [ "$(realpath -m "$1")" != / ] || { echo "remove_tree: refusing to remove /" >&2; return 1; }
  unmount_below "$1" || return 1
  rm -rf --one-file-system "$1"
}
