#!/usr/bin/env bash
# Loads the demo company into a database of a PostgreSQL server, and the
# suite's settings database next to it:
#
#   cargar-demo-postgres.sh <base> [<base de estadisticas>]
#
# Both databases are dropped when they exist and created again (the
# statistics database is QZ_ESTADISTICAS unless named). The server, login and
# password are psql's usual ones: PGHOST, PGPORT, PGUSER, PGPASSWORD (or
# ~/.pgpass); the login must be allowed to create databases. Names keep their
# letter case: the program's "@DbName=ZANTAR_DEMO" reaches "ZANTAR_DEMO".
set -euo pipefail

if (($# < 1 || $# > 2)); then
  echo "uso: $0 <base> [<base de estadisticas>]" >&2
  exit 2
fi
base="$1"
estadisticas="${2:-QZ_ESTADISTICAS}"
scripts="$(cd "$(dirname "$0")/../demo/postgres" && pwd)"

# A name as a quoted identifier, so that its letter case stays.
identificador() { printf '"%s"' "${1//\"/\"\"}"; }

recrear() {
  PGOPTIONS="${PGOPTIONS:-} -c client_min_messages=warning" psql -X -q -v ON_ERROR_STOP=1 -d postgres \
    -c "DROP DATABASE IF EXISTS $(identificador "$1") WITH (FORCE)" \
    -c "CREATE DATABASE $(identificador "$1") TEMPLATE template0 ENCODING 'UTF8'"
}

cargar() {
  local destino="$1"
  shift
  local archivo argumentos=()
  for archivo in "$@"; do argumentos+=(-f "$scripts/$archivo"); done
  PGOPTIONS="${PGOPTIONS:-} -c client_min_messages=warning" \
    psql -X -q -v ON_ERROR_STOP=1 --single-transaction -d "$destino" "${argumentos[@]}"
}

recrear "$base"
cargar "$base" empresa-esquema.sql empresa-datos.sql
recrear "$estadisticas"
cargar "$estadisticas" estadisticas.sql
echo "Demo cargada en \"$base\" y \"$estadisticas\"."
