#!/usr/bin/env bash
# A throw-away PostgreSQL cluster for the tests, in a folder of its own, reachable only through
# a socket in that folder (no port, no other user's server touched).
#   scripts/pg-test-cluster.sh start DIR   creates the cluster the first time, starts it and
#                                           prints its URL (postgresql://postgres@/postgres?host=DIR/socket)
#   scripts/pg-test-cluster.sh stop DIR    stops it (the folder stays; start again reuses it)
# PostgreSQL refuses to run as root: as root, the cluster belongs to the system user
# "ostrel-pg", created when missing, and its programs run through runuser.
set -euo pipefail
command=${1:?start or stop}
dir=${2:?the cluster folder}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bin" ]; then
  echo "pg-test-cluster: PostgreSQL is not installed (scripts/setup.sh installs it)" >&2
  exit 1
fi
owner=ostrel-pg

as_owner() {
  if [ "$(id -u)" = 0 ]; then
    runuser -u "$owner" -- "$@"
  else
    "$@"
  fi
}

case $command in
start)
  mkdir -p "$dir"
  if [ "$(id -u)" = 0 ]; then
    id -u "$owner" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$owner"
    chown "$owner" "$dir"
    runuser -u "$owner" -- test -x "$dir" ||
      { echo "pg-test-cluster: $owner cannot reach $dir (a folder above it is closed to others)" >&2; exit 1; }
  fi
  if [ ! -f "$dir/data/PG_VERSION" ]; then
    as_owner "$bin/initdb" -D "$dir/data" -U postgres -A trust --no-sync -E UTF8 >"$dir/initdb.log" 2>&1 ||
      { cat "$dir/initdb.log" >&2; exit 1; }
    as_owner mkdir -p "$dir/socket"
  fi
  # fsync off: the cluster lives only as long as the tests.
  as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
    -o "-k $dir/socket -c listen_addresses='' -c fsync=off -c max_connections=60" start >/dev/null ||
    { cat "$dir/server.log" >&2; exit 1; }
  echo "postgresql://postgres@/postgres?host=$dir/socket"
  ;;
stop)
  if [ -f "$dir/data/postmaster.pid" ]; then
    as_owner "$bin/pg_ctl" -D "$dir/data" -m fast -w -t 60 stop >/dev/null
  fi
  ;;
*)
  echo "pg-test-cluster: start or stop, not $command" >&2
  exit 2
  ;;
esac
