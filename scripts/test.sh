#!/bin/sh
# Installs what is missing, builds, and runs every test: once in a release
# build (with the benchmarks built), once under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a bounded fuzzing run of every reader of
# outside data (about four minutes of fuzzing in all).
set -eu
cd "$(dirname "$0")/.."
sh scripts/ensure-deps.sh
jobs=$(nproc)

echo "== release build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== sanitizer build and tests"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_SANITIZE=ON -DCORVANE_BENCHMARKS=OFF >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== fuzzing"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DCORVANE_FUZZ=ON -DCORVANE_BENCHMARKS=OFF >/dev/null
fuzzers=$(ctest --test-dir build-fuzz -N -L fuzz | sed -n 's/^ *Test *#[0-9]*: //p')
if [ -n "$fuzzers" ]; then
  cmake --build build-fuzz --target $fuzzers
  ctest --test-dir build-fuzz --output-on-failure -L fuzz -j"$jobs"
fi
echo "== all tests passed"
