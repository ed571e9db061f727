#!/usr/bin/env bash
# Builds the parsers' fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in their own build folder and runs each for the
# given number of seconds (20 by default), starting from its seed corpus in
# tests/fuzz/corpus. Stops at the first target that crashes or breaks one of
# its checks; the input that does it is left in the run's folder as crash-*,
# the folder is printed.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
segundos="${1:-20}"
construccion="${QUINTARO_FUZZ_BUILD:-$raiz/build-fuzz}"
salida="${QUINTARO_FUZZ_SALIDA:-$construccion/hallazgos}"
"$raiz/scripts/instalar-dependencias.sh"

lanzador=()
command -v ccache >/dev/null && lanzador=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$raiz" -B "$construccion" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 -DQUINTARO_FUZZ=ON -DQUINTARO_WERROR=ON "${lanzador[@]}" >/dev/null
cmake --build "$construccion" -j "$(nproc)" --target quintaro_fuzz

export QT_QPA_PLATFORM=offscreen
# Qt keeps some of its start-up allocations to the end of the process.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"

mkdir -p "$salida"
for semillas in "$raiz"/tests/fuzz/corpus/*/; do
  nombre="$(basename "$semillas")"
  objetivo="$construccion/tests/fuzz/fuzz_$nombre"
  # New inputs the run finds go to a scratch corpus, so the tree's seeds stay as they are.
  trabajo="$salida/$nombre"
  mkdir -p "$trabajo/corpus"
  echo "== fuzz_$nombre: $segundos s"
  if ! (cd "$trabajo" && "$objetivo" -max_total_time="$segundos" -max_len=4096 -timeout=10 \
          -rss_limit_mb=2048 -print_final_stats=1 "$trabajo/corpus" "$semillas" 2>"$trabajo/registro.txt"); then
    tail -n 40 "$trabajo/registro.txt"
    echo "fuzz_$nombre found a fault; its input is in $trabajo" >&2
    exit 1
  fi
  grep -E '^stat::number_of_executed_units|^Done' "$trabajo/registro.txt" || true
done
