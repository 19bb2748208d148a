// The radio service code that a nature-of-service code stands for.
#pragma once

#include <optional>
#include <string_view>

namespace morvane::loaders {

// What a code outside the table gets (and RNSS, which the table maps to it).
inline constexpr std::string_view kUnknownRadioService = "K?";

// The two-letter radio service code of a nature-of-service code, compared
// exactly, letter case included; nullopt for a code outside the table.
std::optional<std::string_view> RadioServiceOf(std::string_view code);

}  // namespace morvane::loaders
