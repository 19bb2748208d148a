// The antenna-site records of the earth-station conversion, written for
// every query row under the site's antenna-site key (DalkSite.TowerSiteKey,
// which the site matching gave it):
//  - SiteInfo (output database): one row per site and run;
//  - AntSiteInfo (the user's antenna-site database): one row per site,
//    replaced when a filing with a later status date describes the site; the
//    database is consulted with the site's first row of the run only;
//  - AntSiteCallSign (the same database): the "~"-separated lists of every
//    call sign and radio service seen at the site, with counts. A second
//    run over the same export counts every row again but lists nothing
//    twice.
//
// A site without antenna-site key writes none of them: its rows would merge
// unrelated sites under the empty key for good. A value that a field
// refuses sets that row aside (rejected-data file); a count at its 16-bit
// limit, or beyond it, is left as stored, with one rejected-data note per
// site, count and run. Other errors propagate. Called by WriteAntMainTable,
// AntSiteInfo before AntSiteCallSign.
#pragma once

#include "convert/antenna_writers.h"
#include "convert/conversion_state.h"
#include "run/run_context.h"

namespace morvane::convert {

void WriteAntSiteInfo(engine::RunContext& run, const ConversionState& state,
                      AntennaSideTables& tables);
void WriteAntSiteCallSign(engine::RunContext& run, const ConversionState& state,
                          AntennaSideTables& tables);

}  // namespace morvane::convert
