#!/usr/bin/env bash
# Installs the build tree into a temporary prefix, then configures, builds
# and runs a small separate program that finds the libraries with
# find_package(tarvex).
set -euo pipefail
build_dir=$1 source_dir=$2 cxx_flags=${3:-}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
cmake -S "$source_dir" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DCMAKE_CXX_FLAGS="$cxx_flags" -DCMAKE_EXE_LINKER_FLAGS="$cxx_flags" >/dev/null
cmake --build "$work/build" >/dev/null
output=$("$work/build/consumer")
[ "$output" = "installed tree" ] || { echo "unexpected output: $output" >&2; exit 1; }
echo "consumer built against the installed tree and ran"
