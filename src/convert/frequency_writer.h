// The frequency writer of the earth-station conversion: one Freq row per
// converted query row under the running key FreqKey, and the FreqList
// table, which counts the Freq rows per frequency, radio service and
// station classes.
#pragma once

#include <cstdint>
#include <string>

#include "convert/conversion_state.h"
#include "convert/es_tables.h"
#include "run/run_context.h"

namespace morvane::convert {

// "QD" and the counter with eight digits: QD00000002.
std::string FreqKeyOf(std::int64_t freq_counter);
// The FreqKey that WriteFreqTable gives the present query row's Freq record;
// the writers that run before it name the row's records with it.
std::string NextFreqKey(const ConversionState& state);

// Advances freq_counter and sets freq_key, takes the row's registration
// number once (cur_reg_num is emptied), writes the Freq row from the
// values of the lookups, the driver and the antenna writer, then counts it
// in FreqList. A value that a field refuses sets the Freq row aside (and it
// is not counted), with a line that names its key; the key is used up all
// the same.
void WriteFreqTable(engine::RunContext& run, ConversionState& state, EsTables& tables);

// Counts the row in FreqList under its list key: the lower band edge with
// eight decimals, the radio service padded to 2 characters and the transmit
// and receive classes padded to 4 each, then trimmed (so a class on the
// transmit side and the same class on the receive side never share a key).
// A new key is added with count 1, a known one counts one more.
void WriteFreqList(engine::RunContext& run, ConversionState& state, EsTables& tables);

// The list key and the list frequency of the row's values.
std::string FreqListFrequencyOf(const std::string& freq_lower_text);
std::string FreqListKeyOf(const std::string& frequency, const std::string& rad_svc,
                          const std::string& tx_class, const std::string& rx_class);

}  // namespace morvane::convert
