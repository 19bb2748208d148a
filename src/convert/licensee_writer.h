// The licensee writer of the earth-station conversion: one Lice row for
// every licensee (LicenseeIdKey) that the conversion meets first; later rows
// of the same licensee add nothing, so the first converted row decides its
// values.
#pragma once

#include <optional>
#include <string_view>

#include "convert/conversion_state.h"
#include "convert/es_tables.h"
#include "run/run_context.h"

namespace morvane::convert {

// Writes the Lice row of the row's licensee when the table has none, from
// the address and filing values that GetAddressData and GetMainData left.
// A filing without its address row writes nothing and is reported once in
// the rejected-data file (filing and address key). A registration number
// that is not a whole number within the Long range leaves QalRegNum Null and
// is reported; a value that another field refuses sets the row aside.
// A Null AddressId shows the "Null in WriteLiceTable" box, then goes on.
void WriteLiceTable(engine::RunContext& run, ConversionState& state, EsTables& tables);

// The registration number as the Long field stores it: the trimmed text
// when it is a whole number (optional sign, digits) within the Long range,
// "0001234567" giving 1234567; nullopt otherwise (the empty text included).
std::optional<std::int64_t> RegistrationNumberOf(std::string_view kwd);

// "filing 12345": how the rejected-data file names the row's filing.
std::string FilingWhere(const ConversionState& state);

}  // namespace morvane::convert
