// The keys of one table whose record a field refused during the earth-station
// conversion (step 39), so that the record is set aside once: the later query
// rows that meet the same key leave it alone, as they would a stored row,
// instead of trying it again and reporting it again.
//
// Keys compare as the table's COLLATE NOCASE index compares them: ASCII
// letters upper-cased, every other byte as it stands (a key that differs in a
// letter beyond ASCII is another key). A record refused under a key and a
// text (the special-condition tables keep one row per key and text) is held
// as the pair.
//
// Refusals are rare (bad data), so every one is held for the step. Owned by
// the step next to the table's recordset; not shared between threads.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace morvane::convert {

class RefusedKeys {
 public:
  bool Contains(std::string_view key, std::string_view text = {}) const {
    return !refused_.empty() && refused_.contains(Folded(key, text));
  }
  void Add(std::string_view key, std::string_view text = {}) { refused_.insert(Folded(key, text)); }

 private:
  static std::string Folded(std::string_view key, std::string_view text) {
    std::string folded(key);
    for (char& c : folded)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!text.empty()) folded.append(1, '\0').append(text);
    return folded;
  }

  std::unordered_set<std::string> refused_;
};

}  // namespace morvane::convert
