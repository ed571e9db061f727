#!/usr/bin/env bash
# Builds QUINTARO, creates the demo company database when missing, and starts
# the program on it.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/instalar-dependencias.sh"

# A folder of its own: the tests build in build/ with another build type.
construccion="${QUINTARO_BUILD:-$raiz/build-demo}"
cmake -S "$raiz" -B "$construccion" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$construccion" -j "$(nproc)" --target quintaro

# The suite's workstations run in Argentine Spanish: day/month/year dates and
# decimal comma. QUINTARO_LANG chooses other regional settings.
export LANG="${QUINTARO_LANG:-es_AR.UTF-8}" LC_ALL="${QUINTARO_LANG:-es_AR.UTF-8}"
exec "$construccion/quintaro" --demo "$@"
