#include "convert/site_es_coord_table.h"

namespace morvane::convert {

int SiteEsCoordTable::NextSeq(const std::string& path_site_key, const std::string& letter) {
  if (group_->exact()) return group_->LastSeq(path_site_key) + 1;
  if (path_site_key == last_key_) return last_seq_value_ + 1;
  return StoredSeq(path_site_key, letter) + 1;
}

// The highest Seq that the table holds under the path site: its rows are
// those whose PathAntKey is the path-site key with "~" and the antenna's
// digits put before the letter.
int SiteEsCoordTable::StoredSeq(const std::string& path_site_key, const std::string& letter) {
  rows_.BuildIndexes();  // once: the index stays
  if (!last_seq_)
    last_seq_ = rows_.database().Prepare(
        "SELECT max(Seq) FROM SiteEsCoord WHERE PathAntKey >= ?1 AND PathAntKey < ?2 "
        "AND substr(PathAntKey, 1, length(?1)) = ?1 "
        "AND substr(PathAntKey, length(PathAntKey) - length(?3) + 1) = ?3 "
        "AND substr(PathAntKey, length(?1) + 1, length(PathAntKey) - length(?1) - length(?3)) "
        "GLOB '[0-9][0-9]*' "
        "AND substr(PathAntKey, length(?1) + 1, length(PathAntKey) - length(?1) - length(?3)) "
        "NOT GLOB '*[^0-9]*'");
  const std::string site = path_site_key.substr(0, path_site_key.size() - letter.size());
  last_seq_->Run({db::Value(site + "~"), db::Value(site + "\x7f"), db::Value(letter)});
  return static_cast<int>(last_seq_->Get(0, 0).AsInteger());
}

void SiteEsCoordTable::Numbered(const std::string& path_site_key, int seq) {
  if (group_->exact()) group_->SetSeq(path_site_key, seq);
  last_key_ = path_site_key;
  last_seq_value_ = seq;
}

}  // namespace morvane::convert
