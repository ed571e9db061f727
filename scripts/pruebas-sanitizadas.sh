#!/usr/bin/env bash
# Builds QUINTARO and its whole test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer in their own build folder and runs every test,
# the PostgreSQL ones included, on a private server started here the way
# scripts/pruebas.sh does. The first report of either sanitizer stops its
# program, so that test fails.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/instalar-dependencias.sh"

construccion="${QUINTARO_BUILD:-$raiz/build-sanitizada}"
lanzador=()
command -v ccache >/dev/null && lanzador=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
banderas="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$raiz" -B "$construccion" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUINTARO_WERROR=ON \
    -DCMAKE_CXX_FLAGS="$banderas" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    "${lanzador[@]}"
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
export QUINTARO_PG_EXIGIDO=1

# Qt and the ODBC drivers keep some allocations to the end of the process, so
# leaks are not looked for; every other report halts the program.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"

cd "$construccion"
ctest --output-on-failure -j "$(nproc)"
