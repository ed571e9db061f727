#!/usr/bin/env bash
# Installs the Debian packages QUINTARO needs to build, run and test, when any
# is missing. Safe to run again: it does nothing when all are present.
set -euo pipefail

paquetes=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev            # Widgets, PrintSupport, Test
  unixodbc unixodbc-dev   # the ODBC driver manager
  libsqliteodbc           # the embedded engine's ODBC driver ("SQLite3")
  postgresql              # the private server the tests start (scripts/servidor-postgres.sh)
  odbc-postgresql         # its ODBC driver ("PostgreSQL Unicode")
  libgtest-dev libbenchmark-dev
  libxlsxwriter-dev       # spreadsheet export
  poppler-utils           # tests read the report's PDF back (pdftotext)
  python3-openpyxl        # tests read the exported workbook back
  fonts-dejavu-core       # text for the offscreen platform
  locales                 # es_AR.UTF-8, the workstations' regional settings
  dpkg-dev file           # the Debian package's dependencies (dpkg-shlibdeps)
  desktop-file-utils      # tests validate the menu entry
  xvfb xdotool            # tests run the installed copy on a display of their own
  clang-14 libfuzzer-14-dev libclang-rt-14-dev  # the parsers' fuzz targets (scripts/fuzz.sh)
)

faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done

if ((${#faltan[@]})); then
  echo "Instalando: ${faltan[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi

# The program and its tests run under Argentine Spanish regional settings.
if ! locale -a 2>/dev/null | grep -qi '^es_AR\.utf-\?8$'; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" sed -i 's/^# *\(es_AR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^es_AR.UTF-8 UTF-8' /etc/locale.gen || echo 'es_AR.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen es_AR.UTF-8 >/dev/null
fi
