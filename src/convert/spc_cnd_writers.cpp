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

constexpr std::string_view kSeparator = " {/n} ";

// One of the four: where its conditions are linked and where its text goes.
struct ConditionMember {
  const StagingSource& links;
  const char* label;        // names the key in a missing-condition entry
  bool names_code;          // a missing-condition entry names the code too
  db::TableRecordset& target;
  const char* target_key_field;
  MemoText& memo;           // the text of the last key sought
  StoredTexts& stored;      // the target's texts under the last key written
  RefusedKeys& refused;     // the keys and texts the target refused
};

std::string MissingEntry(const ConditionMember& member, std::int64_t key, std::int64_t code) {
  std::string entry = "Entry NOT found in Condition table:  " + std::string(member.label) +
                      std::to_string(key);
  if (member.names_code) entry += "  /   ConditionCode = " + std::to_string(code);
  return entry;
}

// The condition text of `key`; "" when the key has no link rows.
std::string ConditionText(const ConditionMember& member, const StagingSource& conditions,
                          MemoRow& condition, std::int64_t key) {
  static constexpr std::string_view kLinkFields[] = {"ConditionCode"};
  static constexpr std::string_view kConditionFields[] = {"ConditionText", "ConditionNote"};
  std::optional<db::PreparedSql>& links = member.memo.links;
  if (!links) links = member.links.PrepareAll(kLinkFields);
  const std::int64_t count = links->Run({key});
  std::string text;
  for (std::int64_t i = 0; i < count; ++i) {
    const std::int64_t code = links->Get(i, 0).AsInteger();
    if (!text.empty()) text += kSeparator;
    if (!condition.Find(conditions, code, kConditionFields)) {
      text += MissingEntry(member, key, code);
      continue;
    }
    text += "Text: " + Trim(condition.Text(0));
    const std::string note = Trim(condition.Text(1));
    if (!note.empty()) text += std::string(kSeparator) + "Note: " + note;
  }
  return text;
}

// ConditionText, taken from the memo when `key` is the key of the previous
// call: the staging tables do not change during the step.
const std::string& MemoConditionText(const ConditionMember& member, EsTables& tables,
                                     LookupMemo& memo, std::int64_t key) {
  MemoText& text = member.memo;
  if (text.valid && text.key == key) return text.text;
  text.valid = false;
  text.text = ConditionText(member, tables.condition, memo.condition, key);
  text.key = key;
  text.valid = true;
  return text.text;
}

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
                 LookupMemo& memo, const ConditionMember& member, std::int64_t sought,
                 const std::string& key) {
  const std::string& text = MemoConditionText(member, tables, memo, sought);
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

void WriteSpcCndAnt(engine::RunContext& run, ConversionState& state, EsTables& tables,
                    LookupMemo& memo) {
  const ConditionMember member{tables.antenna_condition, " AntennaKey = ", false,
                               tables.spc_cnd_ant, "PathAntKey", memo.antenna_conditions,
                               tables.spc_cnd_ant_texts, tables.spc_cnd_ant_refused};
  WriteMember(run, state, tables, memo, member, state.cur_antenna_key, state.path_ant_key);
}

void WriteSpcCndFreq(engine::RunContext& run, ConversionState& state, EsTables& tables,
                    LookupMemo& memo) {
  // Each row has a frequency of its own: the query tells whether it has
  // condition rows at all, which saves a Seek on most rows.
  if (state.row.frequency_conditions_known && !state.row.has_frequency_conditions) return;
  const ConditionMember member{tables.frequency_condition, " FrequencyKey = ",
                               true, tables.spc_cnd_freq, "FreqKey", memo.frequency_conditions,
                               tables.spc_cnd_freq_texts, tables.spc_cnd_freq_refused};
  WriteMember(run, state, tables, memo, member, state.cur_frequency_key, state.freq_key);
}

void WriteSpcCndLice(engine::RunContext& run, ConversionState& state, EsTables& tables,
                    LookupMemo& memo) {
  const ConditionMember member{tables.license_condition, " FilingKey = ", true,
                               tables.spc_cnd_lice, "CsFnKey", memo.license_conditions,
                               tables.spc_cnd_lice_texts, tables.spc_cnd_lice_refused};
  WriteMember(run, state, tables, memo, member, state.cur_filing_key, state.cur_call_sign);
}

void WriteSpcCndSite(engine::RunContext& run, ConversionState& state, EsTables& tables,
                    LookupMemo& memo) {
  const ConditionMember member{tables.site_condition, " SiteKey = ", true,
                               tables.spc_cnd_site, "PathSiteKey", memo.site_conditions,
                               tables.spc_cnd_site_texts, tables.spc_cnd_site_refused};
  WriteMember(run, state, tables, memo, member, state.cur_site_key, state.path_site_key);
}

}  // namespace morvane::convert
