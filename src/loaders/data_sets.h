// The loader definitions of the data sets, one function per family of data
// sets. Each returns definitions built once and kept for the program's life.
#pragma once

#include <vector>

#include "loaders/loader_def.h"

namespace morvane::loaders {

const LoaderDef& MainLoader();  // main.dat
std::vector<const LoaderDef*> AddressContactLoaders();  // address.dat and contact.dat
std::vector<const LoaderDef*> SiteLoaders();  // site.dat
std::vector<const LoaderDef*> AntennaLoaders();  // anten.dat, ant_gain.dat, ant_type_code.dat, azimuth.dat and polar.dat
std::vector<const LoaderDef*> SubFieldLoaders();  // ant_fx.dat and transmitter.dat, read with the sub-field scanner
std::vector<const LoaderDef*> FrequencyLoaders();  // freq.dat, freq_coord.dat and freq_fx.dat
std::vector<const LoaderDef*> NatureOfServiceLoaders();  // nat_serv.dat and nat_serv_code.dat
std::vector<const LoaderDef*> FrequencyBandLoaders();  // FREQUENCY_BAND.dat, INTL_ALOC_FREQUENCY.dat and FREQUENCY_SAT.dat
std::vector<const LoaderDef*> StationLoaders();  // earth_sta.dat, ptcomm.dat, ptcomm_fx.dat, space_sta.dat and space_sta_sta.dat
std::vector<const LoaderDef*> CodeListLoaders();  // class.dat, purpose.dat and status_code.dat
std::vector<const LoaderDef*> ConditionLoaders();  // Cond.dat and the condition links ant_cond.dat, freq_cond.dat, lic_cond.dat, site_cond.dat
std::vector<const LoaderDef*> FilingFormLoaders();  // form_312.dat, fx.dat and licensee_history.dat

}  // namespace morvane::loaders
