#!/usr/bin/env bash
# Builds the user's databases that go with an export from their SQL rows:
#
#   scripts/sample-databases.sh [--fresh] ROWS_DIR DEST_DIR
#
# ROWS_DIR holds a.sql to e.sql, antsitedb.sql and einkwd.sql, as
# bench-generate writes them into EXPORT/databases/ (samples/databases/ for
# the sample export). Each database is made in DEST_DIR with the sqlite3
# shell from its schema (tests/data/antsite/, tests/data/registration/) and
# its rows: antsite_a.mdb to antsite_e.mdb, AntSiteDb.mdb and einkwd.mdb.
# A run changes these databases as it changes the user's own, so one that
# exists already is kept, unless --fresh asks for all of them anew.
set -euo pipefail
fresh=0
if [ "${1:-}" = "--fresh" ]; then fresh=1; shift; fi
if [ $# -ne 2 ]; then
  echo "usage: scripts/sample-databases.sh [--fresh] ROWS_DIR DEST_DIR" >&2
  exit 2
fi
rows="$(cd "$1" && pwd)"
mkdir -p "$2"
dest="$(cd "$2" && pwd)"
schemas="$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/data" && pwd)"

for entry in a:antsite/a.sql:antsite_a b:antsite/b.sql:antsite_b c:antsite/c.sql:antsite_c \
             d:antsite/d.sql:antsite_d e:antsite/e.sql:antsite_e \
             antsitedb:antsite/antsitedb.sql:AntSiteDb einkwd:registration/einkwd.sql:einkwd; do
  IFS=: read -r name schema file <<<"$entry"
  target="$dest/$file.mdb"
  if [ -f "$target" ] && [ "$fresh" -eq 0 ]; then continue; fi
  # Built beside the target and moved in whole, so a failure leaves no half-made database.
  partial="$target.partial"
  rm -f "$partial"
  cat "$schemas/$schema" "$rows/$name.sql" | sqlite3 -bail "$partial"
  mv -f "$partial" "$target"
done
