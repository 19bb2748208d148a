// What the earth-station conversion knows of the condition texts that one
// special-condition table (SpcCndAnt, SpcCndFreq, SpcCndLice, SpcCndSite)
// holds, so that the test "does the table hold this text under this key"
// needs no Seek on most rows.
//
// The query brings the rows of one path antenna, path site and call sign
// together, so the writer asks about one key many times in a row: for the
// key it asked about last, `texts` holds every text the table holds under
// it, gathered once (from the table, or none when `keys` tells the key is
// new) and kept up to date as the writer adds rows. Only the writer adds
// rows to the table during the step, so the list stays what the table
// holds. Keys compare exactly here (a key that differs only in letter case
// is gathered again from the table, which compares without regard to case).
//
// Owned by the table object (SpcCndTable); not thread-safe.
#pragma once

#include <string>
#include <vector>

#include "convert/known_keys.h"

namespace morvane::convert {

struct StoredTexts {
  KnownKeys keys;           // the keys the table holds, as far as known
  bool valid = false;       // `key` and `texts` are set
  std::string key;
  std::vector<std::string> texts;
};

}  // namespace morvane::convert
