#!/bin/sh
# A throw-away PostgreSQL 15 server for the test run.
#
#   pg-test-server.sh start DIR   initdb into DIR/data (unless already there), start the server
#                                 listening only on a unix socket in DIR, wait until it
#                                 accepts connections, print its conninfo on stdout
#   pg-test-server.sh stop DIR    stop it (fast shutdown); does nothing when it is not running
#
# The server refuses to run as root, so as root it runs as the `postgres` user and DIR is
# handed to that user. Authentication is trust on the socket; there is no TCP listener.
set -eu

PG_BIN=${PG_BIN:-/usr/lib/postgresql/15/bin}

usage() {
  echo "usage: $0 start|stop DIR" >&2
  exit 2
}

[ $# -eq 2 ] || usage
command=$1
dir=$(realpath -m "$2")
data="$dir/data"

# Runs a server program as the postgres user when we are root, else as ourselves.
as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

case "$command" in
  start)
    mkdir -p "$dir"
    if [ "$(id -u)" -eq 0 ]; then chown postgres "$dir"; fi
    # Unix socket paths are limited to about 107 bytes.
    if [ ${#dir} -gt 90 ]; then
      echo "pg-test-server: folder path too long for a unix socket: $dir" >&2
      exit 1
    fi
    if [ ! -f "$data/PG_VERSION" ]; then
      as_owner "$PG_BIN/initdb" -D "$data" -U postgres --auth=trust -E UTF8 --locale=C \
        >"$dir/initdb.log" 2>&1 || {
        cat "$dir/initdb.log" >&2
        exit 1
      }
    fi
    # Durability is pointless for a scratch server; fsync off keeps the suite fast.
    as_owner "$PG_BIN/pg_ctl" start -D "$data" -w -t 60 -l "$dir/server.log" \
      -o "-c listen_addresses='' -c unix_socket_directories='$dir' -c fsync=off -c full_page_writes=off -c max_connections=200" \
      >/dev/null 2>&1 || {
      echo "pg-test-server: server did not start; log follows" >&2
      cat "$dir/server.log" >&2 || true
      exit 1
    }
    as_owner "$PG_BIN/pg_isready" -q -h "$dir" -t 30 || {
      echo "pg-test-server: server not ready" >&2
      exit 1
    }
    echo "host=$dir dbname=postgres user=postgres"
    ;;
  stop)
    if [ -f "$data/postmaster.pid" ]; then
      as_owner "$PG_BIN/pg_ctl" stop -D "$data" -m fast -w >/dev/null 2>&1 || true
    fi
    ;;
  *)
    usage
    ;;
esac
