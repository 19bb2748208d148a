// The words a synthetic export is made of: places with their coordinates,
// names, streets, antennas, satellites, frequency bands and the code lists.
// Texts are Windows-1252 bytes (a few names carry accented letters), each
// short enough for the fields it goes into.
#pragma once

#include <span>
#include <string_view>

namespace morvane::bench::vocabulary {

struct Place {
  std::string_view city;    // at most 20 characters (the site city)
  std::string_view county;  // at most 22
  std::string_view state;   // two letters
  std::string_view zip3;    // first three digits of the zip code
  double lat;               // degrees, north positive
  double lon;               // degrees, east positive
  double elevation;         // metres above mean sea level
};

struct Antenna {
  std::string_view make;   // at most 40 characters, "Model" inside for some
  std::string_view model;  // at most 20
  double diameter;         // metres
};

struct Satellite {
  std::string_view name;  // at most 14 characters, so a number can follow
  double orbit;           // degrees, east positive
};

// An earth-station band: the uplink (transmit) and downlink (receive)
// ranges in MHz.
struct Band {
  std::string_view name;
  double up_lo, up_hi;
  double down_lo, down_hi;
};

struct Code {
  std::string_view code;
  std::string_view text;
};

std::span<const Place> Places();
std::span<const std::string_view> FirstNames();
std::span<const std::string_view> LastNames();
std::span<const std::string_view> CompanyWords();    // first word of a company name
std::span<const std::string_view> CompanyTrades();   // "Communications", "Teleport" ...
std::span<const std::string_view> CompanyForms();    // "Inc.", "LLC" ...
std::span<const std::string_view> LawFirms();
std::span<const std::string_view> StreetNames();
std::span<const std::string_view> StreetTypes();
std::span<const std::string_view> Titles();          // job titles, at most 40
std::span<const Antenna> Antennas();
std::span<const Antenna> MicrowaveAntennas();
std::span<const Satellite> Satellites();
std::span<const Band> Bands();                       // the first is the most common
std::span<const std::string_view> Emissions();       // at most 9 characters
std::span<const std::string_view> Sentences();       // for descriptions and conditions
std::span<const std::string_view> ConditionTexts();  // conditions of a licence
std::span<const std::string_view> Purposes();

// Code lists, written once per export.
std::span<const Code> ClassesOfStation();    // code at most 3 characters (4 for the last)
std::span<const Code> StatusCodes();         // code at most 5
std::span<const Code> Polarizations();       // code at most 3, text at most 28
std::span<const Code> AntennaTypes();        // code: a number 1 to 99
std::span<const Code> NaturesOfService();    // the codes that have a radio service
std::span<const std::string_view> AppTypes();  // application types, at most 3

}  // namespace morvane::bench::vocabulary
