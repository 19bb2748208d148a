// The site and antenna lookups of the earth-station conversion: per query
// row (state.row), each seeks one staging table on the row's site or
// antenna key and copies the fields of the row it finds into the
// conversion state, where the antenna-side writers read them. A key without
// a row is not an error: each lookup has its own no-match values, below.
//
// A Null staging field reads as the empty text. Each reads through its
// StagingLookup of EsTables: a key equal to the lookup's previous one is not
// read again, but every value below is set again from the row it found.
// db::Error propagates.
#pragma once

#include <string>
#include <string_view>

#include "convert/conversion_state.h"
#include "convert/es_tables.h"

namespace morvane::convert {

// DalkSite by the row's SiteKey: state.site, cur_site_key, the street text
// and the datum. No match: the street line 1, city, county, state,
// coordinates and datum indicator become ""; street line 2, elevation, the
// site key, street text, datum and tower-site key keep their values.
void GetSiteData(ConversionState& state, EsTables& tables);

// DalkAntenna by the row's AntennaKey: cur_antenna_key, cur_site_key and
// state.antenna (diameters, height, tower id, make and model). No match:
// diameter, height, make, model and tower id become ""; the major diameter
// and the keys keep their values.
void GetAntennaData(ConversionState& state, EsTables& tables);

// The Gain of the antenna's first DalkAntennaGain row; "" when none.
void DecodeAntennaGainTbl(ConversionState& state, EsTables& tables);

// The coordination values of the antenna's first DalkFreqCoord row; all ""
// when none. The coordination density is taken too (the transmit side's
// SiteEsCoord records carry it).
void GetFreqCoordData(ConversionState& state, EsTables& tables);

// "NAD83" for the datum indicator "83" (blanks around it allowed), else
// "NAD27".
std::string SiteDatumOf(std::string_view nad_ind);

// Splits an antenna's manufacturer and model texts into make and model, at
// most 25 characters each: a manufacturer "Alpha Dish Model 3.8M" gives the
// make "Alpha Dish" and the model "3.8M" followed directly by the model
// text; a model written "Model 3.8" or "No. 12" loses that word.
struct MakeModel {
  std::string make, model;
};
MakeModel MakeModelOf(std::string_view manufacturer, std::string_view model);

}  // namespace morvane::convert
