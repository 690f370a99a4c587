#!/bin/sh
# Run once when the media host starts: removes the mount folders that sticks
# pulled while the board was off have left behind under /run/media. Only
# empty folders go (rmdir refuses anything else), so a mounted stick is never
# touched.
root=${1:-/run/media}
[ -d "$root" ] || exit 0
for folder in "$root"/*/; do
    [ -d "$folder" ] || continue
    mountpoint -q "$folder" 2>/dev/null && continue
    rmdir "$folder" 2>/dev/null
done
exit 0
