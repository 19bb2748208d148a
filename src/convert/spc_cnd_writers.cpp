#include "convert/spc_cnd_writers.h"

#include <string>
#include <string_view>
#include <vector>

#include "convert/licensee_writer.h"
#include "convert/row_writer.h"
#include "platform/text/text.h"

namespace morvane::convert {
namespace {

using text::Trim;

constexpr std::string_view kSeparator = " {/n} ";

// One of the four: where its conditions are linked and where its text goes.
struct ConditionMember {
  db::TableRecordset& links;
  const char* link_key_field;
  const char* label;        // names the key in a missing-condition entry
  bool names_code;          // a missing-condition entry names the code too
  db::TableRecordset& target;
  const char* target_key_field;
  MemoText& memo;           // the text of the last key sought
  StoredTexts& stored;      // the target's texts under the last key written
};

std::string MissingEntry(const ConditionMember& member, std::int64_t key, std::int64_t code) {
  std::string entry = "Entry NOT found in Condition table:  " + std::string(member.label) +
                      std::to_string(key);
  if (member.names_code) entry += "  /   ConditionCode = " + std::to_string(code);
  return entry;
}

// The condition text of `key`; "" when the key has no link rows.
std::string ConditionText(const ConditionMember& member, db::TableRecordset& conditions,
                          std::int64_t key) {
  std::string text;
  db::TableRecordset& links = member.links;
  for (links.Seek("=", key); !links.Eof() && links.Get(member.link_key_field).AsInteger() == key;
       links.MoveNext()) {
    const std::int64_t code = links.Get("ConditionCode").AsInteger();
    if (!text.empty()) text += kSeparator;
    conditions.Seek("=", code);
    if (conditions.NoMatch()) {
      text += MissingEntry(member, key, code);
      continue;
    }
    text += "Text: " + Trim(conditions.Get("ConditionText").AsText());
    const std::string note = Trim(conditions.Get("ConditionNote").AsText());
    if (!note.empty()) text += std::string(kSeparator) + "Note: " + note;
  }
  return text;
}

// ConditionText, taken from the memo when `key` is the key of the previous
// call: the staging tables do not change during the step.
const std::string& MemoConditionText(const ConditionMember& member, db::TableRecordset& conditions,
                                     std::int64_t key) {
  MemoText& memo = member.memo;
  if (memo.valid && memo.key == key) return memo.text;
  memo.valid = false;
  memo.text = ConditionText(member, conditions, key);
  memo.key = key;
  memo.valid = true;
  return memo.text;
}

// Every text the target table holds under `key`.
std::vector<std::string> TextsOf(const ConditionMember& member, const std::string& key) {
  std::vector<std::string> texts;
  if (member.stored.keys.Find(key) == KnownKeys::Answer::kAbsent) return texts;
  db::TableRecordset& target = member.target;
  for (target.Seek("=", key);
       !target.Eof() && text::EqualsIgnoreCase(target.Get(member.target_key_field).AsText(), key);
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
  const std::string& text = MemoConditionText(member, tables.condition, sought);
  if (text.empty() || HasText(member, key, text)) return;
  const bool stored =
      WriteRow(run, member.target, RowWrite::kAdd, FilingWhere(state), [&](db::TableRecordset& rs) {
        rs.Set(member.target_key_field, key);
        rs.Set("SpecCond", text);
      });
  if (stored) {
    member.stored.keys.Add(key);
    member.stored.texts.push_back(text);  // HasText has just gathered `key`
  }
  run.YieldIfDue();
}

}  // namespace

void WriteSpcCndAnt(engine::RunContext& run, ConversionState& state, EsTables& tables,
                    LookupMemo& memo) {
  const ConditionMember member{tables.antenna_condition, "AntennaKey", " AntennaKey = ", false,
                               tables.spc_cnd_ant, "PathAntKey", memo.antenna_conditions,
                               tables.spc_cnd_ant_texts};
  WriteMember(run, state, tables, member, state.cur_antenna_key, state.path_ant_key);
}

void WriteSpcCndFreq(engine::RunContext& run, ConversionState& state, EsTables& tables,
                    LookupMemo& memo) {
  // Each row has a frequency of its own: the query tells whether it has
  // condition rows at all, which saves a Seek on most rows.
  if (state.row.frequency_conditions_known && !state.row.has_frequency_conditions) return;
  const ConditionMember member{tables.frequency_condition, "FrequencyKey", " FrequencyKey = ",
                               true, tables.spc_cnd_freq, "FreqKey", memo.frequency_conditions,
                               tables.spc_cnd_freq_texts};
  WriteMember(run, state, tables, member, state.cur_frequency_key, state.freq_key);
}

void WriteSpcCndLice(engine::RunContext& run, ConversionState& state, EsTables& tables,
                    LookupMemo& memo) {
  const ConditionMember member{tables.license_condition, "FilingKey", " FilingKey = ", true,
                               tables.spc_cnd_lice, "CsFnKey", memo.license_conditions,
                               tables.spc_cnd_lice_texts};
  WriteMember(run, state, tables, member, state.cur_filing_key, state.cur_call_sign);
}

void WriteSpcCndSite(engine::RunContext& run, ConversionState& state, EsTables& tables,
                    LookupMemo& memo) {
  const ConditionMember member{tables.site_condition, "SiteKey", " SiteKey = ", true,
                               tables.spc_cnd_site, "PathSiteKey", memo.site_conditions,
                               tables.spc_cnd_site_texts};
  WriteMember(run, state, tables, member, state.cur_site_key, state.path_site_key);
}

}  // namespace morvane::convert
