// The filing, licensee and service lookups of the earth-station conversion:
// per query row (state.row), each seeks one staging table on its key and
// leaves the values of the row it finds in the conversion state, where the
// writers read them. A key without a row is not an error: each lookup has
// its own no-match values, documented below, and reports nothing.
//
// A Null staging field reads as the empty text (whole numbers as 0). Each
// reads through its StagingLookup of EsTables: a key equal to the lookup's
// previous one is not read again, but every value below is set again from
// the row it found. db::Error propagates.
#pragma once

#include <string>
#include <string_view>

#include "convert/conversion_state.h"
#include "convert/es_tables.h"

namespace morvane::convert {

// DalkMain by the row's FilingKey: state.main, cur_call_sign (trimmed),
// cur_status_code (as stored; the driver recomputes it) and
// cur_control_phone. No match: the texts and the phone become "", while the
// filing state and the status code keep the previous row's values.
void GetMainData(ConversionState& state, EsTables& tables);

// DalkFrequency by the row's FrequencyKey: state.frequency, the band edges
// (freq_lower_text, freq_upper_text) and cur_trans_mode_fix, as stored.
// No match: all of them "". A row that carries its frequency fields
// (QueryRow::carries_frequency) gives them without a Seek.
void GetFrequencyData(ConversionState& state, EsTables& tables);

// DalkAddress by the row's AddressKey: state.address, licensee_id_key and
// cur_reg_num (Kwd, which the frequency writer uses once). No match: the
// address texts and the key become "" and state.address.found false, while
// cur_reg_num keeps its value.
void GetAddressData(ConversionState& state, EsTables& tables);

// DalkForm312.EnvironEffectSw by the row's FilingKey; "" when none.
void GetEnvironEffectSw(ConversionState& state, EsTables& tables);

// DalkPtComm by the row's SiteKey: its PtCommKey and SpaceStationKey, 0 and
// 0 when none.
void GetPtCommData(ConversionState& state, EsTables& tables);

// DalkSpaceStation by the space station that GetPtCommData found; six empty
// texts when none.
void GetSpaceStationData(ConversionState& state, EsTables& tables);

// The radio service of the row's filing: its first DalkNatureOfService row,
// then the DalkNatureOfServiceCode row of that (trimmed) code, into
// cur_rad_svc_code. When either is missing the code is "" (not the previous
// filing's), and nature_of_service_code holds "?2" (no nature of service for
// the filing) or "?1" (a code without its code row).
void GetRadSvcCode(ConversionState& state, EsTables& tables);

// The licensee key of an address id: the trimmed id when it begins with
// "QD", else "QD~" and the trimmed id.
std::string LicenseeIdKeyOf(std::string_view address_id);

// The control phone made from a contact telephone number: ten digits from
// the usual ways of writing one ("555-301-7788", "1-555-301-7788",
// "(555) 301-7788"); one blank for an empty number or one that begins with a
// letter; "" for a number of 1 to 9 characters.
std::string ControlPhoneOf(std::string_view contact_phone);

}  // namespace morvane::convert
