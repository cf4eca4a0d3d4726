#!/usr/bin/env bash
# Runs every fuzz target of the host build for the given number of seconds each.
set -euo pipefail
seconds="${1:-60}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bin="$root/build/host/fuzz"
found=0
for target in "$bin"/fuzz_*; do
    [ -x "$target" ] || continue
    found=1
    name="$(basename "$target")"
    corpus="$root/build/host/fuzz-corpus/$name"
    mkdir -p "$corpus"
    seeds="$root/fuzz/seeds/${name#fuzz_}"
    echo "fuzz: $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -print_final_stats=0 -max_len=4096 \
        -artifact_prefix="$root/build/host/fuzz-" "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) \
        2> "$root/build/host/$name.log" || { tail -n 40 "$root/build/host/$name.log"; exit 1; }
    tail -n 1 "$root/build/host/$name.log"
done
[ "$found" = 1 ] || { echo "fuzz: no targets built" >&2; exit 1; }
