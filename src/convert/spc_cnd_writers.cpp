#include "convert/spc_cnd_writers.h"

#include <string>
#include <optional>
#include <string_view>
#include <vector>

#include "convert/known_keys.h"
#include "convert/licensee_writer.h"
#include "convert/row_writer.h"
#include "platform/text/text.h"

namespace morvane::convert {
namespace {

using text::Trim;

// One of the four: where its conditions come from and where its text goes.
struct ConditionMember {
  ConditionTexts& texts;
  db::TableRecordset& target;
  const char* target_key_field;
  StoredTexts& stored;      // the target's texts under the last key written
  RefusedKeys& refused;     // the keys and texts the target refused
};

// Every text the target table holds under `key`.
std::vector<std::string> TextsOf(const ConditionMember& member, const std::string& key) {
  std::vector<std::string> texts;
  if (member.stored.keys.Find(key) == KnownKeys::Answer::kAbsent) return texts;
  db::TableRecordset& target = member.target;
  for (target.Seek("=", key);
       !target.Eof() && NocaseKeyEqual(target.Get(member.target_key_field).AsText(), key);
       target.MoveNext())
    texts.push_back(target.Get("SpecCond").AsText());
  return texts;
}

// True when the target table holds `text` under `key` already.
bool HasText(const ConditionMember& member, const std::string& key, const std::string& text) {
  StoredTexts& stored = member.stored;
  if (!stored.valid || stored.key != key) {
    stored.valid = false;
    stored.texts = TextsOf(member, key);
    stored.key = key;
    stored.valid = true;
  }
  for (const std::string& held : stored.texts)
    if (held == text) return true;
  return false;
}

void WriteMember(engine::RunContext& run, const ConversionState& state, EsTables& tables,
                 const ConditionMember& member, std::int64_t sought, const std::string& key) {
  const std::string& text = member.texts.TextOf(sought, tables.condition);
  if (text.empty() || member.refused.Contains(key, text) || HasText(member, key, text)) return;
  const bool stored =
      WriteRow(run, member.target, RowWrite::kAdd, FilingWhere(state), [&](db::TableRecordset& rs) {
        rs.Set(member.target_key_field, key);
        rs.Set("SpecCond", text);
      });
  if (stored) {
    member.stored.keys.Add(key);
    member.stored.texts.push_back(text);  // HasText has just gathered `key`
  } else {
    member.refused.Add(key, text);
  }
  run.YieldIfDue();
}

}  // namespace

void WriteSpcCndAnt(engine::RunContext& run, ConversionState& state, EsTables& tables) {
  const ConditionMember member{tables.antenna_conditions, tables.spc_cnd_ant, "PathAntKey",
                               tables.spc_cnd_ant_texts, tables.spc_cnd_ant_refused};
  WriteMember(run, state, tables, member, state.cur_antenna_key, state.path_ant_key);
}

void WriteSpcCndFreq(engine::RunContext& run, ConversionState& state, EsTables& tables) {
  // Each row has a frequency of its own: the query tells whether it has
  // condition rows at all, which saves a Seek on most rows.
  if (state.row.frequency_conditions_known && !state.row.has_frequency_conditions) return;
  const ConditionMember member{tables.frequency_conditions, tables.spc_cnd_freq, "FreqKey",
                               tables.spc_cnd_freq_texts, tables.spc_cnd_freq_refused};
  WriteMember(run, state, tables, member, state.cur_frequency_key, state.freq_key);
}

void WriteSpcCndLice(engine::RunContext& run, ConversionState& state, EsTables& tables) {
  const ConditionMember member{tables.license_conditions, tables.spc_cnd_lice, "CsFnKey",
                               tables.spc_cnd_lice_texts, tables.spc_cnd_lice_refused};
  WriteMember(run, state, tables, member, state.cur_filing_key, state.cur_call_sign);
}

void WriteSpcCndSite(engine::RunContext& run, ConversionState& state, EsTables& tables) {
  const ConditionMember member{tables.site_conditions, tables.spc_cnd_site, "PathSiteKey",
                               tables.spc_cnd_site_texts, tables.spc_cnd_site_refused};
  WriteMember(run, state, tables, member, state.cur_site_key, state.path_site_key);
}

}  // namespace morvane::convert
