#!/usr/bin/env bash
# Loads the demo company into a database of a PostgreSQL server, and the
# suite's settings database next to it:
#
#   cargar-demo-postgres.sh <base> [<base de estadisticas>]
#
# Both databases are dropped when they exist and created again (the
# statistics database is QZ_ESTADISTICAS unless named). The server, login and
# password are psql's usual ones: PGHOST, PGPORT, PGUSER, PGPASSWORD (or
# ~/.pgpass); the login must be allowed to create databases and roles. Names
# keep their letter case: the program's "@DbName=ZANTAR_DEMO" reaches
# "ZANTAR_DEMO".
#
# The demo's users become logins of the server, as they are on the suite's
# SQL Server: mgomez (the administrator in TA_USUARIOS) and jperez, both with
# the password "demo", allowed to read and write both databases. Existing
# logins of those names keep their password.
set -euo pipefail

if (($# < 1 || $# > 2)); then
  echo "uso: $0 <base> [<base de estadisticas>]" >&2
  exit 2
fi
base="$1"
estadisticas="${2:-QZ_ESTADISTICAS}"
demo="$(cd "$(dirname "$0")/../demo" && pwd)"

# A name as a quoted identifier, so that its letter case stays.
identificador() { printf '"%s"' "${1//\"/\"\"}"; }

recrear() {
  PGOPTIONS="${PGOPTIONS:-} -c client_min_messages=warning" psql -X -q -v ON_ERROR_STOP=1 -d postgres \
    -c "DROP DATABASE IF EXISTS $(identificador "$1") WITH (FORCE)" \
    -c "CREATE DATABASE $(identificador "$1") TEMPLATE template0 ENCODING 'UTF8'"
}

# The schema is the server's own (demo/postgres); the sample rows are the
# embedded engine's file, whose INSERTs the server takes as they are once the
# SQLite pragma is left out.
cargar() {
  local destino="$1"
  shift
  grep -hv '^PRAGMA ' "$@" |
    PGOPTIONS="${PGOPTIONS:-} -c client_min_messages=warning" \
      psql -X -q -v ON_ERROR_STOP=1 --single-transaction -d "$destino" -f -
}

usuarios_demo() {
  psql -X -q -v ON_ERROR_STOP=1 -d postgres <<'SQL'
DO $$
DECLARE u text;
BEGIN
  FOREACH u IN ARRAY ARRAY['mgomez', 'jperez'] LOOP
    IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = u) THEN
      EXECUTE format('CREATE ROLE %I LOGIN PASSWORD %L', u, 'demo');
    END IF;
  END LOOP;
END $$;
SQL
}

permitir_usuarios_demo() {
  psql -X -q -v ON_ERROR_STOP=1 -d "$1" \
    -c "GRANT ALL ON ALL TABLES IN SCHEMA public TO mgomez, jperez" \
    -c "GRANT ALL ON ALL SEQUENCES IN SCHEMA public TO mgomez, jperez"
}

usuarios_demo
recrear "$base"
cargar "$base" "$demo/postgres/empresa-esquema.sql" "$demo/empresa-datos.sql"
permitir_usuarios_demo "$base"
recrear "$estadisticas"
cargar "$estadisticas" "$demo/postgres/estadisticas.sql"
permitir_usuarios_demo "$estadisticas"
echo "Demo cargada en \"$base\" y \"$estadisticas\"."
