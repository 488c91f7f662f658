#!/bin/sh
# Installs what is missing, builds, and starts a program.
#   scripts/run.sh [Corvane16|Corvane|Corvane8] [program arguments...]
set -eu
cd "$(dirname "$0")/.."
sh scripts/ensure-deps.sh
program="Corvane16"
case "${1:-}" in
  Corvane16|Corvane|Corvane8) program="$1"; shift ;;
esac
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target "$program"
exec "build/out/$program" "$@"
