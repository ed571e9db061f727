#!/usr/bin/env bash
# Builds QUINTARO and its whole test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer in their own build folder and runs every test,
# the PostgreSQL ones included, through scripts/pruebas.sh (which starts the
# private server). The first report of either sanitizer stops its program, so
# that test fails.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"

export QUINTARO_BUILD="${QUINTARO_BUILD:-$raiz/build-sanitizada}"
# CMake takes these for a build folder's first configuration.
export CXXFLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer ${CXXFLAGS:-}"
export LDFLAGS="-fsanitize=address,undefined ${LDFLAGS:-}"
# Qt and the ODBC drivers keep some allocations to the end of the process, so
# leaks are not looked for; every other report halts the program.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"

exec "$raiz/scripts/pruebas.sh"
