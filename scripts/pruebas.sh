#!/usr/bin/env bash
# Builds QUINTARO with warnings as errors and runs every test.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/instalar-dependencias.sh"

construccion="${QUINTARO_BUILD:-$raiz/build}"
cmake -S "$raiz" -B "$construccion" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUINTARO_WERROR=ON
cmake --build "$construccion" -j "$(nproc)"
cd "$construccion"
ctest --output-on-failure -j "$(nproc)"
