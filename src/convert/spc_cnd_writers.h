// The special-condition writers of the earth-station conversion: the
// conditions linked to the row's antenna, frequency, filing and site
// (DalkAntennaCondition, DalkFrequencyCondition, DalkLicenseCondition,
// DalkSiteCondition), each gathered into one text and stored under the
// key of its KTB table (SpcCndAnt by PathAntKey, SpcCndFreq by FreqKey,
// SpcCndLice by call sign, SpcCndSite by PathSiteKey).
//
// The text: one entry per link row in index order, entries separated by
// " {/n} ". A condition found in DalkCondition gives "Text: " and its
// trimmed text, then, when it has a note, " {/n} Note: " and the trimmed
// note; a condition missing from it gives "Entry NOT found in Condition
// table:  " with the key (and, but for antennas, the condition code).
//
// A key without link rows writes nothing. A table keeps one row per key and
// text: the rows of one path antenna or path site with several frequencies
// add no repeated text, while different texts under one key are all kept.
// A value that the table refuses sets the row aside (rejected-data file).
// The text of a key equal to the writer's previous one is not gathered
// again (ConditionTexts).
#pragma once

#include "convert/conversion_state.h"
#include "convert/es_tables.h"
#include "run/run_context.h"

namespace morvane::convert {

void WriteSpcCndAnt(engine::RunContext& run, ConversionState& state, EsTables& tables);
void WriteSpcCndFreq(engine::RunContext& run, ConversionState& state, EsTables& tables);
void WriteSpcCndLice(engine::RunContext& run, ConversionState& state, EsTables& tables);
void WriteSpcCndSite(engine::RunContext& run, ConversionState& state, EsTables& tables);

}  // namespace morvane::convert
