#!/usr/bin/env bash
# Prints a settings file for a program folder ($1) whose export is the folder
# $2, with its antenna-site databases in the folder $3 (the program folder
# when not given). Databases that are missing there are created empty, with
# the tables and indexes that the README's "Antenna-site databases" section
# lists (sqlite3 shell); scripts/sample-databases.sh makes them with entries.
set -euo pipefail
app="$(cd "$1" && pwd)/"
input="$(cd "$2" && pwd)/"
dbs="$(cd "${3:-$1}" && pwd)/"
schemas="$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/data/antsite" && pwd)/"
for db in a:antsite_a b:antsite_b c:antsite_c d:antsite_d e:antsite_e antsitedb:AntSiteDb; do
  if [ ! -f "${dbs}${db#*:}.mdb" ]; then
    sqlite3 "${dbs}${db#*:}.mdb" < "${schemas}${db%%:*}.sql"
  fi
done
cat <<INI
[InputFiles]
TableMain=${input}main.dat
[OutputFiles]
OutputPathAndFilename=${app}dalkdb.mdb
[TempFiles]
CompactMdbFile=${app}compact.mdb
[Ant Site]
AntSite_A=${dbs}antsite_a.mdb
AntSite_B=${dbs}antsite_b.mdb
AntSite_C=${dbs}antsite_c.mdb
AntSite_D=${dbs}antsite_d.mdb
AntSite_E=${dbs}antsite_e.mdb
AntSiteDb=${dbs}AntSiteDb.mdb
INI
