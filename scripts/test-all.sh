#!/usr/bin/env bash
# Builds everything from a clean clone and runs every test: unit tests on the
# simulated platform, the end-to-end driver under Wine, short fuzz runs and a
# smoke run of the benchmarks. One CTest run reports them all.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORLAN_BUILD_DIR:-$root/build}
jobs=${VORLAN_JOBS:-$(nproc)}
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)

cmake -S "$root" -B "$build/win" "${gen[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
cmake --build "$build/win" -j "$jobs"

cmake -S "$root" -B "$build/fuzz" "${gen[@]}" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVORLAN_FUZZ=ON
cmake --build "$build/fuzz" -j "$jobs"

cmake -S "$root" -B "$build/native" "${gen[@]}" \
  -DVORLAN_WINDOWS_BUILD="$build/win" -DVORLAN_FUZZ_BUILD="$build/fuzz"
cmake --build "$build/native" -j "$jobs"

ctest --test-dir "$build/native" --output-on-failure -j "$jobs"
