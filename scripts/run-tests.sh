#!/usr/bin/env bash
# Runs the whole suite: the tests without a database and the SQLite ones, then the PostgreSQL ones
# on a throwaway cluster that pg_virtualenv creates and removes.
set -euo pipefail
build=${1:-build}
cd "$build"
export QT_QPA_PLATFORM=offscreen

ctest --output-on-failure -j "$(nproc)" -LE postgres

if ! command -v pg_virtualenv >/dev/null 2>&1; then
  echo "run-tests: pg_virtualenv (postgresql-common) is missing; PostgreSQL tests cannot run" >&2
  exit 1
fi
pg_virtualenv -- ctest --output-on-failure -j "$(nproc)" -L postgres
