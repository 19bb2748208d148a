#!/usr/bin/env bash
# Prints a settings file for a program folder ($1) whose export is the folder $2.
# The antenna-site databases that the run needs live in the program folder;
# those that are missing there are created empty, with the tables and indexes
# that the README's "Antenna-site databases" section lists (sqlite3 shell).
set -euo pipefail
app="$(cd "$1" && pwd)/"
input="$(cd "$2" && pwd)/"
schemas="$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/data/antsite" && pwd)/"
for db in a:antsite_a b:antsite_b c:antsite_c d:antsite_d e:antsite_e antsitedb:AntSiteDb; do
  if [ ! -f "${app}${db#*:}.mdb" ]; then
    sqlite3 "${app}${db#*:}.mdb" < "${schemas}${db%%:*}.sql"
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
AntSite_A=${app}antsite_a.mdb
AntSite_B=${app}antsite_b.mdb
AntSite_C=${app}antsite_c.mdb
AntSite_D=${app}antsite_d.mdb
AntSite_E=${app}antsite_e.mdb
AntSiteDb=${app}AntSiteDb.mdb
INI
