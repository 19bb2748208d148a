// FREQUENCY_BAND.dat, INTL_ALOC_FREQUENCY.dat and FREQUENCY_SAT.dat: the
// frequency bands, the international allocations and the satellite
// frequencies of the filings. The frequencies are kept as the export writes
// them (trimmed), not rewritten with a number mask.
//
// These three are the last loading steps and do not write their step number
// into the status window; it keeps the number an earlier step wrote.
#include "loaders/data_sets.h"

namespace morvane::loaders {
namespace {

LoaderDef FrequencyBand() {
  LoaderDef d;
  d.procedure = "PopulateFrequencyBandTable";
  d.file = "FREQUENCY_BAND.dat";
  d.table = "DalkFrequencyBand";
  d.opening_status = "Populating 'FrequencyBand' table with  < ";
  d.action_text = "Populate Frequency Band Table!";
  d.pieces = 9;
  d.fields = {
      Number(1, "FreqId"),
      Trimmed(2, "FrequencyLower"),
      Trimmed(3, "FrequencyUpper"),
      Trimmed(4, "BandName"),
      Trimmed(5, "DownlinkFrequencyLower"),
      Trimmed(6, "DownlinkFrequencyUpper"),
      Trimmed(7, "UplinkFrequencyLower"),
      Trimmed(8, "UplinkFrequencyUpper"),
      Trimmed(9, "RuleCiting"),
  };
  return d;
}

// Piece 4 is not stored.
LoaderDef IntlAlocFrequency() {
  LoaderDef d;
  d.procedure = "PopulateIntlAlocFrequencyTable";
  d.file = "INTL_ALOC_FREQUENCY.dat";
  d.table = "DalkIntlAlocFrequency";
  d.opening_status = "Populating 'IntlAlocFrequency' table with  < ";
  d.action_text = "Populate Intl Aloc Frrequency Table!";  // stored as it stands on purpose
  d.pieces = 4;
  d.fields = {
      Number(1, "Id"),
      Trimmed(2, "FrequencyLower"),
      Trimmed(3, "FrequencyUpper"),
  };
  return d;
}

LoaderDef FrequencySat() {
  LoaderDef d;
  d.procedure = "PopulateFrequencySatTable";
  d.file = "FREQUENCY_SAT.dat";
  d.table = "DalkFrequencySat";
  d.opening_status = "Populating 'FrequencySat' table with  < ";
  d.action_text = "Populate Frequency Sat Table!";
  d.pieces = 5;
  d.fields = {
      Number(1, "FrequencyKey"),
      Number(2, "FilingKey"),
      Trimmed(3, "FrequencyLower"),
      Trimmed(4, "FrequencyUpper"),
      Trimmed(5, "TransMode"),
  };
  return d;
}

}  // namespace

std::vector<const LoaderDef*> FrequencyBandLoaders() {
  static const LoaderDef frequency_band = FrequencyBand();
  static const LoaderDef intl_aloc_frequency = IntlAlocFrequency();
  static const LoaderDef frequency_sat = FrequencySat();
  return {&frequency_band, &intl_aloc_frequency, &frequency_sat};
}

}  // namespace morvane::loaders
