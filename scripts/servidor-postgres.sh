#!/usr/bin/env bash
# A private PostgreSQL cluster in a folder of its own, for the tests and for
# trying the program on PostgreSQL without touching the machine's clusters.
#
#   servidor-postgres.sh iniciar  <carpeta>   create the cluster, start it and
#                                             write <carpeta>/entorno
#   servidor-postgres.sh detener  <carpeta>   stop it and remove the folder
#   servidor-postgres.sh parar    <carpeta>   stop it (fast), keep the data
#   servidor-postgres.sh arrancar <carpeta>   start the same cluster again
#
# The server listens on 127.0.0.1 only, on a free port, with its socket
# inside the folder; the login "quintaro" (password "quintaro", superuser)
# connects with a password over TCP. <carpeta>/entorno holds the variables
# the tests read, ready to be sourced by a shell.
#
# initdb and the server refuse to run as root: as root, they run as the
# system user postgres, who then owns the folder.
set -euo pipefail

readonly USUARIO_PG=quintaro
readonly CLAVE_PG=quintaro
readonly ESPERA_MAXIMA=60   # seconds until the server must accept connections

uso() {
  echo "uso: $0 <iniciar|detener|arrancar|parar> <carpeta>" >&2
  exit 2
}

(($# == 2)) || uso
accion="$1"
carpeta="$2"
[[ "$carpeta" == /* ]] || carpeta="$PWD/$carpeta"
datos="$carpeta/datos"
script="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"

# Debian keeps the server's programs out of PATH, one folder per version.
binarios() {
  local pg_ctl
  for pg_ctl in $(ls -d /usr/lib/postgresql/*/bin/pg_ctl 2>/dev/null | sort -V -r); do
    dirname "$pg_ctl"
    return
  done
  echo "No hay un servidor PostgreSQL instalado (/usr/lib/postgresql/<version>/bin)." >&2
  exit 1
}
bin="$(binarios)"

# Runs a server program as the cluster's owner.
como_duenio() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

puerto_libre() {
  /usr/bin/python3 - <<'EOF'
import socket
s = socket.socket()
s.bind(("127.0.0.1", 0))
print(s.getsockname()[1])
s.close()
EOF
}

puerto_configurado() {
  sed -n 's/^port = \([0-9]*\).*/\1/p' "$datos/postgresql.conf" | tail -n 1
}

esperar_servidor() {
  local puerto="$1" limite=$((SECONDS + ESPERA_MAXIMA))
  until "$bin/pg_isready" -q -h 127.0.0.1 -p "$puerto"; do
    if ((SECONDS >= limite)); then
      echo "El servidor PostgreSQL no acepta conexiones en 127.0.0.1:$puerto tras ${ESPERA_MAXIMA}s." >&2
      tail -n 20 "$carpeta/servidor.log" >&2 || true
      return 1
    fi
    sleep 0.2
  done
}

corriendo() {
  [ -f "$datos/postmaster.pid" ] && como_duenio "$bin/pg_ctl" -D "$datos" status >/dev/null 2>&1
}

arrancar() {
  corriendo || como_duenio "$bin/pg_ctl" -D "$datos" -l "$carpeta/servidor.log" \
    -w -t "$ESPERA_MAXIMA" start >/dev/null
  esperar_servidor "$(puerto_configurado)"
}

parar() {
  if corriendo; then
    como_duenio "$bin/pg_ctl" -D "$datos" -w -t "$ESPERA_MAXIMA" -m fast stop >/dev/null
  fi
}

crear_cluster() {
  mkdir -p "$carpeta"
  chmod 700 "$carpeta"
  if [ "$(id -u)" -eq 0 ]; then
    chown postgres: "$carpeta"
    # The server runs as postgres, who must be able to walk down to the folder.
    if ! runuser -u postgres -- test -x "$carpeta"; then
      echo "El usuario postgres no puede entrar en $carpeta (una carpeta de mas arriba se lo impide): elija otra carpeta." >&2
      rmdir "$carpeta" 2>/dev/null || true
      exit 1
    fi
  fi
  local archivo_clave="$carpeta/clave"
  (umask 077 && printf '%s\n' "$CLAVE_PG" >"$archivo_clave")
  [ "$(id -u)" -ne 0 ] || chown postgres: "$archivo_clave"
  # The login is the cluster's superuser; its password counts over TCP, the
  # socket in the private folder needs none (the loading scripts use it).
  como_duenio "$bin/initdb" -D "$datos" -U "$USUARIO_PG" --pwfile="$archivo_clave" \
    --auth-host=scram-sha-256 --auth-local=trust -E UTF8 --locale=C.UTF-8 >"$carpeta/initdb.log"
  rm -f "$archivo_clave"
  cat >>"$datos/postgresql.conf" <<EOF

# A throw-away cluster for tests: loopback only, socket in its own folder.
listen_addresses = '127.0.0.1'
unix_socket_directories = '$carpeta'
fsync = off
synchronous_commit = off
full_page_writes = off
max_connections = 150
EOF
}

escribir_entorno() {
  cat >"$carpeta/entorno" <<EOF
export QUINTARO_PG_PUERTO=$(puerto_configurado)
export QUINTARO_PG_USUARIO=$USUARIO_PG
export QUINTARO_PG_CLAVE=$CLAVE_PG
export QUINTARO_PG_CONTROL=$script
export QUINTARO_PG_DATOS=$carpeta
EOF
  chmod 644 "$carpeta/entorno"
}

iniciar() {
  if [ -e "$datos" ]; then
    echo "Ya hay un cluster en $datos." >&2
    exit 1
  fi
  crear_cluster
  # Another program may take the chosen port before the server binds it:
  # then try another.
  local intento
  for intento in 1 2 3 4 5; do
    echo "port = $(puerto_libre)" >>"$datos/postgresql.conf"
    if arrancar; then
      escribir_entorno
      return
    fi
    parar || true
  done
  echo "No se pudo iniciar el servidor PostgreSQL en $carpeta." >&2
  exit 1
}

detener() {
  [ -d "$carpeta" ] || return 0
  # Only a folder this script made is removed: a cluster, or what is left
  # of one that did not start (its own files, no data of anybody else's).
  if [ ! -f "$datos/PG_VERSION" ]; then
    if [ -e "$datos" ] || [ -n "$(ls -A "$carpeta" | grep -v -x -e entorno -e servidor.log -e initdb.log -e clave)" ]; then
      echo "$carpeta no es un cluster de prueba: no se borra." >&2
      exit 1
    fi
  fi
  if [ -d "$datos" ]; then parar || true; fi
  rm -rf "$carpeta"
}

case "$accion" in
  iniciar) iniciar ;;
  detener) detener ;;
  arrancar) arrancar ;;
  parar) parar ;;
  *) uso ;;
esac
