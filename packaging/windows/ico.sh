#!/usr/bin/env bash
# ico.sh <output.ico> <icon.png>…: an icon file of the given square PNG pictures, stored as they are (Windows
# Vista and later read PNG images in icons), for the program's icon resource and the installer's.
set -euo pipefail
out=$1
shift
bytes() { # value count: the value little-endian in count bytes
    local v=$1 i
    for ((i = 0; i < $2; i++)); do
        printf "\\x$(printf %02x $((v & 255)))"
        v=$((v >> 8))
    done
}
png_size() { # the width of a PNG from its header (IHDR, big-endian at byte 16)
    local w
    w=$(od -An -tu1 -j16 -N4 "$1" | tr -s ' ')
    read -r a b c d <<<"$w"
    echo $(((a << 24) | (b << 16) | (c << 8) | d))
}
{
    bytes 0 2
    bytes 1 2
    bytes $# 2
    offset=$((6 + 16 * $#))
    for png in "$@"; do
        size=$(png_size "$png")
        length=$(stat -c %s "$png")
        bytes $((size >= 256 ? 0 : size)) 1
        bytes $((size >= 256 ? 0 : size)) 1
        bytes 0 1  # no palette
        bytes 0 1
        bytes 1 2  # planes
        bytes 32 2 # bits per pixel
        bytes "$length" 4
        bytes "$offset" 4
        offset=$((offset + length))
    done
    cat "$@"
} >"$out.tmp"
mv "$out.tmp" "$out"
