#!/bin/sh
# scripts/build.sh BUILD_DIR [cmake options...]: configures (once) and builds with Ninja.
set -eu
dir=$1; shift
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
