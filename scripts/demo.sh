#!/usr/bin/env bash
# Installs what is missing, makes a Release build in build/, and shows tarvex
# converting the project's own sample object file to an Inventor scene.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTARVEX_BUILD_TESTS=OFF >/dev/null
cmake --build build --parallel "$jobs"

tarvex=build/bin/tarvex
echo "== $tarvex -help"
"$tarvex" -help || true

sample=data/sample.obj
if [ -f "$sample" ]; then
  scene=build/sample.iv
  echo "== $tarvex $sample -out_file $scene"
  "$tarvex" "$sample" -out_file "$scene"
  echo "Wrote the scene to $scene ($(wc -c <"$scene") bytes):"
  head -n 20 "$scene"
else
  echo "== $tarvex (no file)"
  "$tarvex" || true
fi
