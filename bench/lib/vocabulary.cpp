#include "bench/lib/vocabulary.h"

namespace morvane::bench::vocabulary {
namespace {

// Accented letters are Windows-1252 bytes. A literal is split after a "\x"
// escape whenever a hex digit follows it.
constexpr Place kPlaces[] = {
    {"Washington", "District of Columbia", "DC", "200", 38.90, -77.04, 20},
    {"Clarksburg", "Montgomery", "MD", "208", 39.24, -77.28, 150},
    {"Hagerstown", "Washington", "MD", "217", 39.64, -77.72, 170},
    {"Hauppauge", "Suffolk", "NY", "117", 40.82, -73.20, 40},
    {"Yonkers", "Westchester", "NY", "107", 40.93, -73.90, 30},
    {"Andover", "Oxford", "ME", "042", 44.63, -70.75, 210},
    {"Holmdel", "Monmouth", "NJ", "077", 40.37, -74.18, 80},
    {"Castle Rock", "Douglas", "CO", "801", 39.37, -104.86, 1900},
    {"Englewood", "Arapahoe", "CO", "801", 39.65, -104.99, 1650},
    {"Ca\xF1on City", "Fremont", "CO", "812", 38.44, -105.24, 1630},
    {"Cheyenne", "Laramie", "WY", "820", 41.14, -104.82, 1850},
    {"Atlanta", "Fulton", "GA", "303", 33.75, -84.39, 320},
    {"Norcross", "Gwinnett", "GA", "300", 33.94, -84.21, 310},
    {"Miami", "Miami-Dade", "FL", "331", 25.76, -80.19, 2},
    {"Fort Lauderdale", "Broward", "FL", "333", 26.12, -80.14, 3},
    {"Kennedy Space Ctr", "Brevard", "FL", "328", 28.57, -80.65, 3},
    {"Houston", "Harris", "TX", "770", 29.76, -95.37, 15},
    {"San Antonio", "Bexar", "TX", "782", 29.42, -98.49, 200},
    {"Dallas", "Dallas", "TX", "752", 32.78, -96.80, 130},
    {"Phoenix", "Maricopa", "AZ", "850", 33.45, -112.07, 330},
    {"Las Vegas", "Clark", "NV", "891", 36.17, -115.14, 610},
    {"Los Angeles", "Los Angeles", "CA", "900", 34.05, -118.24, 90},
    {"Sylmar", "Los Angeles", "CA", "913", 34.31, -118.45, 380},
    {"Santa Paula", "Ventura", "CA", "930", 34.35, -119.06, 90},
    {"San Jose", "Santa Clara", "CA", "951", 37.34, -121.89, 25},
    {"Napa", "Napa", "CA", "945", 38.30, -122.29, 10},
    {"Death Valley", "Inyo", "CA", "923", 36.46, -116.87, -80},
    {"Brewster", "Okanogan", "WA", "988", 48.10, -119.78, 250},
    {"Seattle", "King", "WA", "981", 47.61, -122.33, 50},
    {"Portland", "Multnomah", "OR", "972", 45.52, -122.68, 15},
    {"Boise", "Ada", "ID", "837", 43.62, -116.20, 820},
    {"Salt Lake City", "Salt Lake", "UT", "841", 40.76, -111.89, 1290},
    {"Albuquerque", "Bernalillo", "NM", "871", 35.08, -106.65, 1620},
    {"Espa\xF1ola", "Rio Arriba", "NM", "875", 35.99, -106.08, 1700},
    {"Chicago", "Cook", "IL", "606", 41.88, -87.63, 180},
    {"Detroit", "Wayne", "MI", "482", 42.33, -83.05, 190},
    {"Columbus", "Franklin", "OH", "432", 39.96, -83.00, 240},
    {"Pittsburgh", "Allegheny", "PA", "152", 40.44, -79.99, 230},
    {"Nashville", "Davidson", "TN", "372", 36.16, -86.78, 180},
    {"New Orleans", "Orleans", "LA", "701", 29.95, -90.07, 1},
    {"Baton Rouge", "East Baton Rouge", "LA", "708", 30.45, -91.19, 17},
    {"Kansas City", "Jackson", "MO", "641", 39.10, -94.58, 270},
    {"Omaha", "Douglas", "NE", "681", 41.26, -95.93, 330},
    {"Minneapolis", "Hennepin", "MN", "554", 44.98, -93.27, 260},
    {"Fairbanks", "Fairbanks North Star", "AK", "997", 64.84, -147.72, 136},
    {"Anchorage", "Anchorage", "AK", "995", 61.22, -149.90, 30},
    {"Honolulu", "Honolulu", "HI", "968", 21.31, -157.86, 5},
    {"Kapolei", "Honolulu", "HI", "967", 21.34, -158.06, 20},
    {"Hagatna", "Guam", "GU", "969", 13.48, 144.75, 70},
    {"Pago Pago", "Eastern District", "AS", "967", -14.28, -170.70, 10},
    {"San Juan", "San Juan", "PR", "009", 18.47, -66.11, 10},
};

constexpr std::string_view kFirstNames[] = {
    "James", "Mary", "Robert", "Patricia", "John", "Jennifer", "Michael", "Linda", "David",
    "Elizabeth", "William", "Barbara", "Richard", "Susan", "Joseph", "Jessica", "Thomas",
    "Sarah", "Charles", "Karen", "Daniel", "Nancy", "Matthew", "Lisa", "Anthony", "Betty",
    "Mark", "Margaret", "Jos\xE9", "Ren\xE9" "e", "Fran\xE7ois", "J\xFCrgen", "Zo\xEB", "Bj\xF6rn",
    "In\xE9s", "Ana", "Hiroshi", "Priya", "Chen", "Olga"};

constexpr std::string_view kLastNames[] = {
    "Smith", "Johnson", "Williams", "Brown", "Jones", "Garcia", "Miller", "Davis", "Rodriguez",
    "Martinez", "Hernandez", "Lopez", "Gonzalez", "Wilson", "Anderson", "Thomas", "Taylor",
    "Moore", "Jackson", "Martin", "Lee", "Perez", "Thompson", "White", "Harris", "Sanchez",
    "Clark", "Ramirez", "Lewis", "Robinson", "Walker", "Young", "Allen", "King", "Wright",
    "Scott", "M\xFCller", "Nu\xF1" "ez", "G\xF3mez", "Lef\xE8vre", "\xD8" "degaard", "Ib\xE1\xF1" "ez",
    "O\x92" "Brien", "D\x92" "Angelo", "Nakamura", "Kowalski", "Van der Berg"};

constexpr std::string_view kCompanyWords[] = {
    "Atlantic", "Pacific", "Northern", "Southern", "Skyline", "Meridian", "Orbital", "Summit",
    "Blue Ridge", "Great Plains", "Lone Star", "Keystone", "Cascade", "Gulf Coast", "Liberty",
    "Pioneer", "Horizon", "Eagle", "Frontier", "Heartland", "Sunbelt", "Capitol", "Silver State",
    "T\xE9l\xE9" "com", "Qu\xE9" "bec", "Soci\xE9t\xE9", "Se\xF1" "al", "\xD8resund", "Global",
    "Continental", "American", "United", "National", "Metro", "Valley", "Coastal"};

constexpr std::string_view kCompanyTrades[] = {
    "Broadcasting", "Communications", "Teleport", "Satellite Services", "Networks", "Media",
    "Telecom", "Television", "Radio", "Data Systems", "Uplink Services", "Cable",
    "Public Broadcasting", "Wireless", "Energy", "Pipeline", "Transport", "News Service"};

constexpr std::string_view kCompanyForms[] = {
    "Inc.", "LLC", "Corp.", "L.P.", "Company", "Corporation", "Co.", "Ltd.", "Holdings, Inc.",
    "Licensee LLC", "S.A.", "GmbH"};

constexpr std::string_view kLawFirms[] = {
    "Wiley Rein LLP", "Holland & Knight LLP", "Hogan Lovells US LLP", "Cooley LLP",
    "Wilkinson Barker Knauer, LLP", "Davis Wright Tremaine LLP", "Keller and Heckman LLP",
    "Fletcher, Heald & Hildreth, PLC", "Lerman Senter PLLC", "Garvey Schubert Barer",
    "Pillsbury Winthrop Shaw Pittman LLP", "Steptoe & Johnson LLP"};

constexpr std::string_view kStreetNames[] = {
    "Main", "Oak", "Maple", "Washington", "Lincoln", "Park", "Industrial", "Commerce",
    "Satellite", "Teleport", "Technology", "Lakeview", "Hillcrest", "Airport", "River",
    "Highland", "Pine", "Cedar", "Elm", "Madison", "Jefferson", "Franklin", "Broadway",
    "Corporate", "Research", "Observatory", "Sunset", "Mountain View", "Meadow", "Prospect"};

constexpr std::string_view kStreetTypes[] = {"Street", "St", "Avenue", "Ave", "Road", "Rd",
                                             "Drive", "Dr", "Boulevard", "Blvd", "Parkway",
                                             "Pkwy", "Lane", "Way", "Court", "Place", "Circle"};

constexpr std::string_view kTitles[] = {
    "President", "Vice President", "Vice President, Engineering", "Chief Executive Officer",
    "Chief Technical Officer", "General Manager", "Director of Engineering", "Chief Engineer",
    "Counsel", "Secretary", "Treasurer", "Manager, Regulatory Affairs", "Station Manager",
    "Director, Spectrum Management", "Attorney", "Consulting Engineer"};

constexpr Antenna kAntennas[] = {
    {"Vertex", "7.3M KPC", 7.3},
    {"Vertex Communications", "9.0 Meter", 9.0},
    {"Vertex", "3.7M Rx/Tx", 3.7},
    {"Andrew Corporation", "ES37", 3.7},
    {"Andrew", "ESA24", 2.4},
    {"Prodelin Model 1385", "", 3.8},
    {"Prodelin", "1251", 2.4},
    {"General Dynamics", "SFE 3.8M", 3.8},
    {"General Dynamics SATCOM Model", "8.1M", 8.1},
    {"Channel Master", "Type 124", 1.2},
    {"Patriot Antenna Systems", "PSA-180", 1.8},
    {"ASC Signal", "Model 3.7M", 3.7},
    {"Cobham", "No. 1200", 1.2},
    {"Radiation Systems Inc", "RSI 4.5", 4.5},
    {"Scientific-Atlanta", "8008", 7.0},
    {"Scientific Atlanta", "Model 8010", 10.0},
    {"Comtech", "CTC 2.4", 2.4},
    {"Harris", "9.2M", 9.2},
    {"Gilat Satellite Networks", "SkyEdge II", 1.2},
    {"Hughes Network Systems", "HX-1.8", 1.8},
    {"ViaSat", "ArcLight 0.9", 0.9},
    {"TIW Systems", "13.0M", 13.0},
    {"Cassegrain Antenna Co", "C-11", 11.0},
    {"Simulsat", "5.5 Multibeam", 5.5},
    {"Alcatel Espace", "AE-6.3", 6.3},
    {"Kathrein", "CAS 120", 1.2},
    {"S\xE9ries Satellite", "SX 2.4", 2.4},
};

constexpr Antenna kMicrowaveAntennas[] = {
    {"Andrew", "HP8-59", 2.4},       {"Andrew", "VHLP4-11", 1.2},  {"RFS", "SB6-W60", 1.8},
    {"Gabriel Electronics", "SSP8-59", 2.4},  {"Commscope", "UHX10-59", 3.0},
    {"Radiowaves", "HPD6-6", 1.8},   {"Cambium", "PTP 820", 0.6},
};

constexpr Satellite kSatellites[] = {
    {"Galaxy 19", -97.0},      {"Galaxy 17", -91.0},     {"Galaxy 16", -99.0},
    {"Galaxy 3C", -95.05},     {"AMC-1", -103.0},        {"AMC-15", -105.0},
    {"AMC-18", -105.0},        {"SES-1", -101.0},        {"SES-2", -87.0},
    {"SES-3", -103.0},         {"Intelsat 29e", -50.0},  {"Intelsat 21", -58.0},
    {"Intelsat 14", -45.0},    {"Intelsat 19", 166.0},   {"Telstar 12V", -15.0},
    {"Telstar 11N", -37.5},    {"EchoStar 18", -110.0},  {"DirecTV 12", -103.0},
    {"Anik F1R", -107.3},      {"Anik G1", -107.3},      {"Nimiq 5", -72.7},
    {"SiriusXM-5", -85.2},     {"Inmarsat-4 F3", -98.0}, {"Eutelsat 117WA", -116.8},
    {"ViaSat-1", -115.1},      {"Spaceway 3", -95.0},    {"Jupiter 2", -97.1},
    {"TerreStar-1", -111.0},   {"Ciel-2", -129.0},       {"QuetzSat-1", -77.0},
    {"Star One C3", -75.0},    {"Hispasat 30W-6", -30.0}, {"Astra 1N", 19.2},
    {"Hot Bird 13E", 13.0},    {"Thuraya 2", 44.0},      {"Apstar 7", 76.5},
    {"AsiaSat 5", 100.5},      {"JCSAT-2B", 154.0},      {"T\xE9l\xE9" "com 3", -40.0},
};

// Transmit rows of 5925-6425 and 14000-14500 MHz and receive rows of
// 3700-4200 and 10700-12200 MHz are the common case; Ka and extended C lie
// outside the loader's band table, and L band straddles it.
constexpr Band kBands[] = {
    {"C", 5925.0, 6425.0, 3700.0, 4200.0},
    {"Ku", 14000.0, 14500.0, 11700.0, 12200.0},
    {"Ku ext", 14000.0, 14500.0, 10950.0, 11700.0},
    {"Ka", 27500.0, 30000.0, 17700.0, 20200.0},
    {"L", 1626.5, 1660.5, 1525.0, 1559.0},
    {"C ext", 6425.0, 6725.0, 3400.0, 3700.0},
};

constexpr std::string_view kEmissions[] = {
    "36M0G7W", "27M0F3F", "2M00G7D", "512KG1D", "6M00G7W", "40K0G1D", "1M20G7W",
    "250KG7W", "9M00F8W", "72M0G7W", "500KG7DEW", "30M0F8F", "3K00J3E", "64K0G1D"};

constexpr std::string_view kSentences[] = {
    "Transmit/receive earth station for C-band video distribution.",
    "Receive-only antenna used for network program feeds.",
    "Fixed earth station providing data services to remote sites.",
    "Temporary fixed earth station for coverage of special events.",
    "Hub station of a very small aperture terminal network.",
    "Telemetry, tracking and command station for the space segment.",
    "The antenna is mounted on the roof of the studio building.",
    "The site is located within a fenced compound with restricted access.",
    "Operation is limited to the frequencies and satellites listed.",
    "Emergency power is provided by an on-site diesel generator.",
    "The station is remotely controlled from the network operations center.",
    "Coordination with terrestrial microwave users has been completed.",
    "No change to the technical parameters of the authorized facilities.",
    "Applicant requests authority to add points of communication.",
    "The licensee\x92s engineering staff monitors the station around the clock.",
    "Caf\xE9 and visitor facilities are located away from the main beam.",
};

constexpr std::string_view kConditionTexts[] = {
    "This authorization is subject to coordination with all affected terrestrial stations.",
    "Operations shall not cause harmful interference to authorized stations.",
    "The licensee shall comply with the radiation hazard limits for occupational exposure.",
    "Transmissions are limited to the points of communication listed in the authorization.",
    "The earth station shall be operated only with satellites on the permitted list.",
    "Licensee must notify the Commission within 30 days of completion of construction.",
    "Off-axis EIRP density shall not exceed the limits of the applicable rule.",
    "This authorization is conditioned on the outcome of the pending rulemaking.",
    "Operation in the band is on a non-interference, unprotected basis.",
    "The antenna shall be marked and lighted as required by the aviation authority.",
    "The licensee shall maintain a point of contact available 24 hours a day.",
    "Receive operations are not protected from interference from adjacent satellites.",
};

constexpr std::string_view kPurposes[] = {
    "Video", "Data", "Voice", "Telemetry, tracking and command", "Video and audio distribution",
    "Internet backbone", "Private network", "Occasional use news gathering", "Disaster recovery",
    "Maritime services", "Aeronautical services", "Paging"};

constexpr Code kClassesOfStation[] = {
    {"FXE", "Fixed earth station"},
    {"TC", "Transmit and receive earth station"},
    {"RO", "Receive-only earth station"},
    {"TT", "Telemetry, tracking and command"},
    {"HUB", "VSAT network hub"},
    {"VS", "Very small aperture terminal"},
    {"ESV", "Earth station on vessel"},
    {"VMS", "Vehicle-mounted earth station"},
    {"AES", "Aircraft earth station"},
    {"TMP", "Temporary fixed earth station"},
    {"MES", "Mobile earth station"},
    {"GW", "Gateway earth station"},
    {"VSAT", "Remote terminal of a very small aperture network"},
};

constexpr Code kStatusCodes[] = {
    {"GRT", "Granted"},       {"PEN", "Pending"},        {"ACC", "Accepted for filing"},
    {"DIS", "Dismissed"},     {"DEN", "Denied"},         {"WDR", "Withdrawn"},
    {"EXP", "Expired"},       {"CAN", "Cancelled"},      {"TRM", "Terminated"},
    {"RET", "Returned"},      {"OPN", "Opened"},         {"CNS", "Consummated"},
    {"PND-A", "Pending, amended"}, {"SUS", "Suspended"}, {"RCV", "Received"},
};

constexpr Code kPolarizations[] = {
    {"H", "Linear horizontal"},     {"V", "Linear vertical"},
    {"L", "Circular left hand"},    {"R", "Circular right hand"},
    {"X", "Linear, dual"},          {"D", "Dual circular"},
    {"LV", "Linear, vertical/horizontal"}, {"E", "Elliptical"},
};

constexpr Code kAntennaTypes[] = {
    {"1", "Parabolic reflector"},   {"2", "Cassegrain"},
    {"3", "Gregorian"},             {"4", "Offset fed parabolic"},
    {"5", "Phased array"},          {"6", "Horn"},
    {"7", "Yagi"},                  {"8", "Helical"},
    {"9", "Flat panel"},            {"10", "Torus multibeam"},
    {"11", "Omnidirectional"},      {"12", "Spherical reflector"},
    {"15", "Other (see remarks)"},
};

constexpr Code kNaturesOfService[] = {
    {"AMSS", "Aeronautical mobile satellite service"},
    {"CC", "Common carrier"},
    {"DBS", "Direct broadcast satellite"},
    {"DHFS", "Domestic fixed satellite, high power"},
    {"DAMS", "Domestic aeronautical mobile satellite"},
    {"DFSS", "Domestic fixed satellite service"},
    {"DLMS", "Domestic land mobile satellite"},
    {"DMMS", "Domestic maritime mobile satellite"},
    {"DMSS", "Domestic mobile satellite service"},
    {"EESS", "Earth exploration satellite service"},
    {"FDBS", "Foreign direct broadcast satellite"},
    {"IFLM", "International fixed, land mobile"},
    {"FLW", "Fixed, land and water"},
    {"FLFS", "Fixed, land and fixed satellite"},
    {"FSS", "Fixed satellite service"},
    {"PLAN", "Planned band"},
    {"IAMS", "International aeronautical mobile satellite"},
    {"IC", "International common carrier"},
    {"IFP", "International fixed, private"},
    {"IFSS", "International fixed satellite service"},
    {"IHFB", "International high frequency broadcasting"},
    {"ILMS", "International land mobile satellite"},
    {"IMMS", "International maritime mobile satellite"},
    {"IMSS", "International mobile satellite service"},
    {"IP", "International private"},
    {"MMS", "Maritime mobile satellite"},
    {"MSS", "Mobile satellite service"},
    {"OTH", "Other"},
    {"RDS", "Radiodetermination satellite service"},
    {"DARS", "Digital audio radio service"},
    {"DTH", "Direct to home"},
    {"ESV", "Earth stations on vessels"},
    {"RNSS", "Radionavigation satellite service"},
    {"LATC", "Land, air and transport communications"},
};

constexpr std::string_view kAppTypes[] = {"LIC", "MOD", "AMD", "RWL", "STA", "REG",
                                          "ASG", "TC", "CAN", "NOT", "WAV", ""};

}  // namespace

std::span<const Place> Places() { return kPlaces; }
std::span<const std::string_view> FirstNames() { return kFirstNames; }
std::span<const std::string_view> LastNames() { return kLastNames; }
std::span<const std::string_view> CompanyWords() { return kCompanyWords; }
std::span<const std::string_view> CompanyTrades() { return kCompanyTrades; }
std::span<const std::string_view> CompanyForms() { return kCompanyForms; }
std::span<const std::string_view> LawFirms() { return kLawFirms; }
std::span<const std::string_view> StreetNames() { return kStreetNames; }
std::span<const std::string_view> StreetTypes() { return kStreetTypes; }
std::span<const std::string_view> Titles() { return kTitles; }
std::span<const Antenna> Antennas() { return kAntennas; }
std::span<const Antenna> MicrowaveAntennas() { return kMicrowaveAntennas; }
std::span<const Satellite> Satellites() { return kSatellites; }
std::span<const Band> Bands() { return kBands; }
std::span<const std::string_view> Emissions() { return kEmissions; }
std::span<const std::string_view> Sentences() { return kSentences; }
std::span<const std::string_view> ConditionTexts() { return kConditionTexts; }
std::span<const std::string_view> Purposes() { return kPurposes; }
std::span<const Code> ClassesOfStation() { return kClassesOfStation; }
std::span<const Code> StatusCodes() { return kStatusCodes; }
std::span<const Code> Polarizations() { return kPolarizations; }
std::span<const Code> AntennaTypes() { return kAntennaTypes; }
std::span<const Code> NaturesOfService() { return kNaturesOfService; }
std::span<const std::string_view> AppTypes() { return kAppTypes; }

}  // namespace morvane::bench::vocabulary
