// The path record of the earth-station conversion: one PathRecord row per
// path site, whose transmit or receive half (after the key's last letter)
// holds the side values that the antenna writer has just set. Every row of
// the path site writes the same fields, so the row ends up holding the
// values of the site's last query row, and a path site of a single row has
// its antenna-site key and call sign too.
//
// Called by WriteAntMainTable after the antenna-site writers. A refused
// value sets the row aside (rejected-data file); other errors propagate.
// (WriteMfgModList, the make-model list, is declared in antenna_writers.h.)
#pragma once

#include "convert/antenna_writers.h"
#include "convert/conversion_state.h"
#include "run/run_context.h"

namespace morvane::convert {

void WritePathRecord(engine::RunContext& run, const ConversionState& state,
                     AntennaSideTables& tables);

}  // namespace morvane::convert
