#!/usr/bin/env bash
# Prints a settings file for a program folder ($1) whose export is the folder $2.
set -euo pipefail
app="$(cd "$1" && pwd)/"
input="$(cd "$2" && pwd)/"
cat <<INI
[InputFiles]
TableMain=${input}main.dat
[OutputFiles]
OutputPathAndFilename=${app}dalkdb.mdb
[TempFiles]
CompactMdbFile=${app}compact.mdb
[Ant Site]
AntSite_A=${input}antsite_a.mdb
AntSite_B=${input}antsite_b.mdb
AntSite_C=${input}antsite_c.mdb
AntSite_D=${input}antsite_d.mdb
AntSite_E=${input}antsite_e.mdb
AntSiteDb=${input}AntSiteDb.mdb
INI
