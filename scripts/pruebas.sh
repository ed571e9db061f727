#!/usr/bin/env bash
# Builds QUINTARO with warnings as errors and runs every test. The tests that
# need PostgreSQL use a private server that this script starts in a temporary
# folder and stops at the end, whatever the outcome (scripts/servidor-postgres.sh).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/instalar-dependencias.sh"

# A folder of its own: the demo builds in build-demo/ with another build type.
construccion="${QUINTARO_BUILD:-$raiz/build}"
cmake -S "$raiz" -B "$construccion" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUINTARO_WERROR=ON
cmake --build "$construccion" -j "$(nproc)"

servidor="$raiz/scripts/servidor-postgres.sh"
cluster="$(mktemp -d "${TMPDIR:-/tmp}/quintaro-pg.XXXXXX")"
terminar() { "$servidor" detener "$cluster" || true; }
trap terminar EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
"$servidor" iniciar "$cluster"
# shellcheck source=/dev/null
source "$cluster/entorno"
# Here a test that finds no server fails instead of skipping.
export QUINTARO_PG_EXIGIDO=1

cd "$construccion"
ctest --output-on-failure -j "$(nproc)"
