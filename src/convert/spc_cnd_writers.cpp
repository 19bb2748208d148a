#include "convert/spc_cnd_writers.h"

#include <string>
#include <string_view>

#include "convert/licensee_writer.h"
#include "platform/text/text.h"

namespace morvane::convert {
namespace {

void WriteMember(engine::RunContext& run, const ConversionState& state, EsTables& tables,
                 ConditionTexts& texts, SpcCndTable& target, std::int64_t sought,
                 const std::string& key) {
  const std::string& text = texts.TextOf(sought, tables.condition);
  if (text.empty() || target.Holds(key, text)) return;
  target.Add(run, key, text, FilingWhere(state));
  run.YieldIfDue();
}

}  // namespace

void WriteSpcCndAnt(engine::RunContext& run, ConversionState& state, EsTables& tables) {
  WriteMember(run, state, tables, tables.antenna_conditions, tables.spc_cnd_ant,
              state.cur_antenna_key, state.path_ant_key);
}

void WriteSpcCndFreq(engine::RunContext& run, ConversionState& state, EsTables& tables) {
  // Each row has a frequency of its own: the query tells whether it has
  // condition rows at all, which saves a Seek on most rows.
  if (state.row.frequency_conditions_known && !state.row.has_frequency_conditions) return;
  WriteMember(run, state, tables, tables.frequency_conditions, tables.spc_cnd_freq,
              state.cur_frequency_key, state.freq_key);
}

void WriteSpcCndLice(engine::RunContext& run, ConversionState& state, EsTables& tables) {
  WriteMember(run, state, tables, tables.license_conditions, tables.spc_cnd_lice,
              state.cur_filing_key, state.cur_call_sign);
}

void WriteSpcCndSite(engine::RunContext& run, ConversionState& state, EsTables& tables) {
  WriteMember(run, state, tables, tables.site_conditions, tables.spc_cnd_site,
              state.cur_site_key, state.path_site_key);
}

}  // namespace morvane::convert
