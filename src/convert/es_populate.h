// Step 39, EsPopulateKtbTables: the earth-station conversion. Joins the
// staged earth-station filings (state "0" or "1", subsystem "SES") with
// their sites, antennas and frequencies into one ordered snapshot, and for
// each of its rows runs the lookups, builds the row's keys and calls the
// writers that fill the KTB tables: Lice, Freq, FreqList, the
// special-condition tables and, through the antenna side, AntMain,
// SiteEsCoord, SiteSat, PathRecord, MfgModList, SiteInfo and the user's
// antenna-site database (setting AntSiteDb). Ends with the step's
// ProcessLog row, "Es Populate Ktb Tables!".
//
// Errors: an antenna-site database that is not set, missing, not a
// database or lacks a table, field or index of the step throws
// engine::StepError naming it, before anything is written; a missing table throws db::Error; a
// value that a field refuses sets that record aside (rejected-data file)
// and the conversion goes on. engine::RunStopped passes through.
#pragma once

#include <cstdint>
#include <string>

#include "run/run_context.h"

namespace morvane::convert {

void EsPopulateKtbTables(engine::RunContext& run);

// The conversion query in SQLite's dialect: one row per filing, site,
// antenna and frequency, ordered by call sign, site, antenna, band edges and
// transmit/receive letter, then by frequency key and row ids so equal rows
// always come in one order. Besides, the frequency fields that the lookups
// read and whether the frequency has special conditions.
const std::string& ConversionQuery();

// "QD", the filing key in ten digits ("-" and nine for a negative key), "~",
// the site sequence in two digits and the transmit/receive letter:
// QD0000012345~01R. The antenna key adds "~" and the antenna sequence:
// QD0000012345~01~02R.
std::string PathSiteKeyOf(std::int64_t filing_key, int site_seq, const std::string& trans_mode_fix);
std::string PathAntKeyOf(std::int64_t filing_key, int site_seq, int ant_seq,
                         const std::string& trans_mode_fix);

// The status code of a filing from its (trimmed) application type and its
// filing state: "6", "8", "9" or "0".
std::string StatusCodeOf(const std::string& app_type_code, const std::string& filing_state);

}  // namespace morvane::convert
