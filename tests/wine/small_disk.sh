#!/bin/bash
# small_disk.sh on|off FOLDER: mounts a 256 KiB tmpfs on FOLDER (emptied), a disk the tests
# can fill, or unmounts it. Without the right to mount, FOLDER stays an ordinary folder and the
# tests that need a full disk say so and skip.
set -u
folder=$2
[ "$1" = off ] && { umount "$folder" 2>/dev/null; exit 0; }
mkdir -p "$folder"
mountpoint -q "$folder" || mount -t tmpfs -o size=256k tmpfs "$folder" 2>/dev/null ||
    echo "$folder is an ordinary folder: mounting a tmpfs needs root"
rm -rf "${folder:?}"/*
exit 0
