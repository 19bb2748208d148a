#include "schema/ktb/ktb_tables.h"

#include <string>
#include <utility>

#include "schema/field_defs.h"

namespace morvane::schema {
namespace {

using db::FieldDef;
using fields::Double;
using fields::Integer;
using fields::Long;
using fields::Memo;
using fields::Text;

// A table whose indexes each cover one of `indexed` and are named after it.
TableSpec Table(std::string name, std::string caption, std::vector<FieldDef> fields,
                std::vector<std::string> indexed) {
  TableSpec spec{{std::move(name), std::move(fields), {}}, std::move(caption)};
  for (std::string& field : indexed) spec.def.indexes.push_back({"idx" + field, std::move(field)});
  return spec;
}

std::vector<TableSpec> BuildKtbTables() {
  std::vector<TableSpec> t;

  // Bookkeeping of the run.
  t.push_back(Table("ProcessLog", "Process Log Table",
                    {Integer("ActionCounter"), Text("ActionText", 50),
                     Text("CurrentDateTime", 30), Long("MdbSize"), Long("InputFileSize"),
                     Long("RecordsProcessed")},
                    {"ActionCounter"}));
  t.push_back(Table("DataSource", "Data Source Table",
                    {Text("ExportDatabase", 10), Text("ExportDate", 10), Text("ExportTime", 20)},
                    {"ExportDatabase"}));

  // The second street line stands before the first.
  t.push_back(Table("Lice", "Lice Table",
                    {Text("LicenseeIdKey", 20), Long("GrpKwd"), Long("QalRegNum"),
                     Text("LiceTin", 10), Text("LiceName", 80), Text("LiceDBA", 40),
                     Text("LiceStreet2", 40), Text("LiceStreet1", 60), Text("LicePOB", 40),
                     Text("LiceCity", 20), Text("LiceState", 2), Text("LiceZipCode", 10),
                     Text("LiceCountry", 5), Text("LicePhone", 14), Text("LiceFax", 14),
                     Text("LiceEmail", 50), Text("LiceAttn", 35), Text("LiceType", 1),
                     Text("EntityType", 2)},
                    {"LicenseeIdKey", "LiceName", "QalRegNum", "GrpKwd"}));
  t.push_back(Table("Community", "Community Table",
                    {Long("FacilityId"), Text("CommCity", 20), Text("CommState", 2)},
                    {"FacilityId"}));

  // FreqC is the only Double of the target tables.
  t.push_back(Table("Freq", "Freq Table",
                    {Text("FreqKey", 15), Text("CsFnKey", 15), Long("FacilityId"),
                     Text("PathSiteKey", 20), Text("PathAntKey", 20), Text("LicenseeIdKey", 20),
                     Text("WebIndexKey", 9), Text("QalRegNum", 10),
                     Long("UniqueSystemIdentifier"), Double("FreqC"), Text("FreqL", 17),
                     Text("FreqU", 17), Text("HoursOfOperation", 1), Text("BandEdgeSplit", 1),
                     Integer("FreqUseSecondary"), Integer("FreqUseStaDev"),
                     Text("ChannelNum", 5), Text("FacilityZone", 1),
                     Text("EmissionDesignator1", 7), Text("EmissionDesignator2", 7),
                     Text("EmissionDesignator3", 7), Text("EmissionDesignator4", 7),
                     Text("CarsEmissionCode", 1), Text("TxClassStation", 4),
                     Text("RxClassStation", 4), Text("EquipKey", 15), Text("TxEquipMfg", 25),
                     Text("TxEquipMod", 25), Text("TxFreqTol", 8), Text("DigitalRate", 6),
                     Text("DigitalMod", 6), Text("TxOutputPwr", 8), Text("TxOutputPwrUnit", 1),
                     Text("TxLineLoss", 7), Text("TxAntInputPwr", 8),
                     Text("TxAntInputPwrUnit", 1), Text("TxEirp", 8), Text("TxEirpUnit", 1),
                     Text("TxErp", 8), Text("TxErpUnit", 1), Text("TxAntPlr", 3),
                     Text("RxSigLevel", 7), Text("RxLineLoss", 7), Text("DateApp", 8),
                     Text("DateFirstUse", 8), Text("DateIssue", 8), Text("DateExpire", 8),
                     Text("AppFileNum", 20), Text("LastEffDate", 8), Text("LastConDate", 8),
                     Text("QalRadSvc", 2), Text("QalDbSys", 3), Text("RulePartElig", 10),
                     Text("StatusCode", 1), Long("CntMobileUnits"), Long("CntMobilePagers"),
                     Text("ControlPhone", 10)},
                    {"FreqC", "LicenseeIdKey", "PathSiteKey", "FreqKey", "CsFnKey",
                     "QalRegNum"}));
  t.push_back(Table("FreqList", "Freq List Table",
                    {Text("FreqListKey", 28), Text("Freq", 18), Text("QalRadSvc", 2),
                     Text("TxClassStation", 4), Text("RxClassStation", 4), Long("FreqCnt")},
                    {"FreqListKey"}));
  t.push_back(Table("EquipTxRx", "Tx/Rx Equipment Table",
                    {Text("FreqKey", 15), Text("EquipKey", 15), Text("EquipJoin", 50),
                     Text("EquipMfg", 25), Text("EquipMod", 25), Text("TxFreqTol", 8)},
                    {"FreqKey", "EquipKey", "EquipJoin"}));

  // Paths and areas.
  t.push_back(Table("PathRecord", "Path Record Table",
                    {Text("PathSiteKey", 20), Long("FacIdNum"), Text("TxAntSiteKey", 15),
                     Text("TxAntennaKey", 20), Text("TxCall", 15), Text("TxStationClass", 4),
                     Text("TxEsCoordFlag", 1), Text("TxAreaOfOpCode", 1), Text("TxRadOfOp", 6),
                     Text("Pr1AntSiteKey", 15), Text("Pr1AntennaKey", 20),
                     Text("Pr2AntSiteKey", 15), Text("Pr2AntennaKey", 20),
                     Text("Pr3AntSiteKey", 15), Text("Pr3AntennaKey", 20),
                     Text("Pr4AntSiteKey", 15), Text("Pr4AntennaKey", 20),
                     Text("RxAntSiteKey", 15), Text("RxAntennaKey", 20), Text("RxCall", 15),
                     Text("RxStationClass", 4), Text("RxEsCoordFlag", 1),
                     Text("RxAreaOfOpCode", 1), Text("RxRadOfOp", 6), Text("MkLocationKey", 20),
                     Text("MkCall", 15), Text("MarketType", 5)},
                    {"PathSiteKey", "TxAntSiteKey", "TxAntennaKey", "RxAntSiteKey",
                     "RxAntennaKey"}));
  t.push_back(Table("AreaOfOperation", "Area Of Operation Table",
                    {Text("PathSiteKey", 20), Text("LocationKey", 20), Text("TxLatDMSHi", 10),
                     Text("TxLatSecHi", 10), Text("TxLonDMSHi", 10), Text("TxLonSecHi", 10),
                     Text("TxHorizDatum", 6), Text("AreaOfOpCode", 1), Text("RadOfOp", 6)},
                    {"PathSiteKey", "LocationKey"}));
  // The one table whose name holds blanks, and equals its caption.
  t.push_back(Table("Units Counts Table", "Units Counts Table",
                    {Text("PathSiteKey", 20), Text("LocationKey", 20), Integer("UnitsHandHeld"),
                     Integer("UnitsMobile"), Integer("UnitsTempFixed"), Integer("UnitsAircraft"),
                     Integer("UnitsItinerant")},
                    {"PathSiteKey", "LocationKey"}));

  t.push_back(Table("SiteInfo", "Site Info Table",
                    {Text("AntSiteKey", 15), Text("StructureOwner", 20),
                     Text("TowerArrayFlag", 1), Text("TowerReg", 10), Text("StructureType", 9),
                     Text("Name", 20), Text("Street", 80), Text("City", 20), Text("County", 30),
                     Text("State", 2), Text("Country", 5), Text("FipsCode", 5),
                     Text("LatDMS", 10), Text("LatSec", 10), Text("LonDMS", 10),
                     Text("LonSec", 10), Text("LatDMSHi", 10), Text("LatSecHi", 10),
                     Text("LonDMSHi", 10), Text("LonSecHi", 10), Text("HorizDatum", 6),
                     Text("Nepa", 1), Text("GrEl", 6), Text("HgtStructure", 6),
                     Text("HgtToTip", 6), Text("StatusDate", 8), Text("Flag_1", 1)},
                    {"AntSiteKey", "StructureOwner", "TowerReg"}));

  // Antennas. The caption of AntMain has two blanks before "Table".
  t.push_back(Table("AntMain", "Ant Main  Table",
                    {Text("PathAntKey", 20), Text("AntennaKey", 20), Text("LocationKey", 20),
                     Text("CallSign", 15), Text("AntHgt", 6), Text("AntHaat", 7),
                     Text("AntPlr", 3), Text("AntAzi", 6), Text("AntTlt", 6), Text("AntMfg", 25),
                     Text("AntMod", 25), Text("AntRPE", 25), Text("AntGn", 6), Text("AntBw", 6),
                     Text("AntSize", 6)},
                    {"PathAntKey", "AntennaKey", "LocationKey"}));
  t.push_back(Table("AntPr", "AntPr Table",
                    {Text("PathAntKey", 20), Text("AntennaKey", 20), Text("LocationKey", 20),
                     Text("PrAntHgt", 6), Text("PrAntPlr", 3), Text("PrAntAzi", 6),
                     Text("PrAntTlt", 6), Text("PrAntMfg", 25), Text("PrAntMod", 25),
                     Text("PrAntRPE", 25), Text("PrBackToBackTxDishGain", 6),
                     Text("PrBackToBackRxDishGain", 6), Text("PrAntH", 6), Text("PrAntW", 6)},
                    {"PathAntKey"}));
  t.push_back(Table("AntDiv", "Ant Div Table",
                    {Text("PathAntKey", 20), Text("AntennaKey", 20), Text("LocationKey", 20),
                     Text("CallSign", 15), Text("DivHgt", 6), Text("DivMfg", 25),
                     Text("DivMod", 25), Text("DivRPE", 25), Text("DivGn", 6), Text("DivBw", 6)},
                    {"PathAntKey", "AntennaKey", "LocationKey"}));
  t.push_back(Table("AntRef", "Ant Ref Table",
                    {Text("PathAntKey", 20), Text("AntennaKey", 20), Text("LocationKey", 20),
                     Text("CallSign", 15), Text("RefTlt", 6), Text("RefSep", 6), Text("RefW", 6),
                     Text("RefH", 6)},
                    {"PathAntKey", "AntennaKey", "LocationKey"}));

  t.push_back(Table("SiteEsCoord", "Site ES Coord Table",
                    {Text("PathAntKey", 20), Integer("Seq"), Text("LocationKey", 20),
                     Text("CallSign", 15), Text("AzimuthEast", 6), Text("AzimuthWest", 6),
                     Text("ElevationEast", 6), Text("ElevationWest", 6),
                     Text("FreqLimitLow", 17), Text("FreqLimitHigh", 17),
                     Text("HorizMaxDensity", 6), Text("SatArcEast", 6), Text("SatArcWest", 6),
                     Text("SatHemiEast", 1), Text("SatHemiWest", 1), Text("SatOrbitType", 1)},
                    {"PathAntKey"}));
  t.push_back(Table("SiteMk", "SiteMk Table",
                    {Text("PathSiteKey", 20), Text("LocationKey", 20), Text("MkCall", 15),
                     Long("FacIdNum"), Integer("MkTypeCode"), Text("MarketCode", 10),
                     Text("MarketDesc", 30), Text("MarketType", 5), Text("MkName", 20),
                     Text("MkStreet", 80), Text("MkCity", 20), Text("MkCounty", 30),
                     Text("MkState", 2), Text("MkCountry", 5), Text("MkFipsCode", 5),
                     Text("MkLatDMS", 10), Text("MkLatSec", 10), Text("MkLonDMS", 10),
                     Text("MkLonSec", 10), Text("MkLatDMSHi", 10), Text("MkLatSecHi", 10),
                     Text("MkLonDMSHi", 10), Text("MkLonSecHi", 10), Text("MkHorizDatum", 6),
                     Text("MkRadius", 6)},
                    {"PathSiteKey", "LocationKey", "FacIdNum"}));
  t.push_back(Table("SiteSat", "Site Satellite Table",
                    {Text("PathSiteKey", 20), Text("SatOrbitType", 1), Text("OrbitLocation", 10),
                     Text("UsName", 20)},
                    {"PathSiteKey"}));

  // Special conditions: a key and one long text each.
  t.push_back(Table("SpcCnd", "Spc Cnd Table", {Text("CsFnKey", 15), Memo("SpecCond")},
                    {"CsFnKey"}));
  t.push_back(Table("SpcCndAnt", "Spc Cnd Ant Table", {Text("PathAntKey", 20), Memo("SpecCond")},
                    {"PathAntKey"}));
  t.push_back(Table("SpcCndFreq", "Spc Cnd Freq Table", {Text("FreqKey", 15), Memo("SpecCond")},
                    {"FreqKey"}));
  t.push_back(Table("SpcCndLice", "Spc Cnd Lice Table", {Text("CsFnKey", 15), Memo("SpecCond")},
                    {"CsFnKey"}));
  t.push_back(Table("SpcCndSite", "Spc Cnd Site Table",
                    {Text("PathSiteKey", 20), Memo("SpecCond")}, {"PathSiteKey"}));

  // Broadcast and space-station indexes.
  t.push_back(Table("BrdcstInfo", "Broadcast Info Table",
                    {Long("ParentFacIdNum"), Text("ParentCallSign", 15), Text("ParentName", 80),
                     Text("ParentClassStation", 4), Text("ParentState", 2),
                     Text("ParentCity", 20), Text("ParentLatDMS", 10), Text("ParentLatSec", 10),
                     Text("ParentLonDMS", 10), Text("ParentLonSec", 10)},
                    {"ParentFacIdNum", "ParentCallSign"}));
  t.push_back(Table("BrdcstIndex", "Broadcast Index Table",
                    {Long("QalRegNum"), Text("CsFnKey", 15), Long("ParentFacIdNum"),
                     Text("ParentCallSign", 15)},
                    {"CsFnKey", "ParentFacIdNum", "ParentCallSign", "QalRegNum"}));
  t.push_back(Table("SpaceStationIndex", "Space Station Index Table",
                    {Text("PathSiteKey", 20), Text("SpaceStationKey", 20)},
                    {"PathSiteKey", "SpaceStationKey"}));

  t.push_back(Table("MfgModList", "Mfg Mod List Table",
                    {Text("EquipAntFlag", 1), Text("MfgMod", 50), Text("Mfg", 25),
                     Text("Mod", 25)},
                    {"MfgMod", "Mfg", "Mod"}));
  t.push_back(Table("LiceEinKwd", "Lice Ein Kwd Table",
                    {Text("EinKey", 9), Long("KwdKey"), Text("EntityName", 150),
                     Text("EntityOrg", 150), Text("EntityType", 150), Text("EntitySubType", 120),
                     Text("Street1", 150), Text("Street2", 150), Text("PoBox", 65),
                     Text("City", 60), Text("State", 30), Text("Zip", 10), Text("Country", 4),
                     Text("EmailAddress", 60), Text("TelephoneNumber", 60),
                     Text("InputSource", 20), Text("RegDt", 8), Text("UpdDt", 8),
                     Long("CallSignCnt")},
                    {"EinKey", "KwdKey", "EntityName"}));

  // Towers: thirteen pairs of tower key and registration number.
  t.push_back(Table("SiteTowerArray", "Site Tower Array Table",
                    {Text("PathSiteKey", 20), Long("SiteAntSysId"), Text("QalRadSvc", 2),
                     Text("HoursOfOperation", 1), Text("SiteRefLatDMS83", 10),
                     Text("SiteRefLatSec83", 10), Text("SiteRefLonDMS83", 10),
                     Text("SiteRefLonSec83", 10), Text("SiteRefLatDMS27", 10),
                     Text("SiteRefLatSec27", 10), Text("SiteRefLonDMS27", 10),
                     Text("SiteRefLonSec27", 10),
                     Text("SiteTower01", 20), Text("SiteTowerReg01", 10),
                     Text("SiteTower02", 20), Text("SiteTowerReg02", 10),
                     Text("SiteTower03", 20), Text("SiteTowerReg03", 10),
                     Text("SiteTower04", 20), Text("SiteTowerReg04", 10),
                     Text("SiteTower05", 20), Text("SiteTowerReg05", 10),
                     Text("SiteTower06", 20), Text("SiteTowerReg06", 10),
                     Text("SiteTower07", 20), Text("SiteTowerReg07", 10),
                     Text("SiteTower08", 20), Text("SiteTowerReg08", 10),
                     Text("SiteTower09", 20), Text("SiteTowerReg09", 10),
                     Text("SiteTower10", 20), Text("SiteTowerReg10", 10),
                     Text("SiteTower11", 20), Text("SiteTowerReg11", 10),
                     Text("SiteTower12", 20), Text("SiteTowerReg12", 10),
                     Text("SiteTower13", 20), Text("SiteTowerReg13", 10)},
                    {"PathSiteKey", "SiteAntSysId"}));
  t.push_back(Table("SiteTower", "Site Tower Table",
                    {Text("SiteTower", 20), Text("SiteTowerReg", 10),
                     Text("HoursOfOperation", 1), Text("SiteStructureType", 9),
                     Text("SiteClassStation", 4), Text("SiteName", 20), Text("SiteStreet", 80),
                     Text("SiteCity", 20), Text("SiteCounty", 30), Text("SiteState", 2),
                     Text("SiteCountry", 5), Text("SiteFipsCode", 5), Text("SiteLatDMS83", 10),
                     Text("SiteLatSec83", 10), Text("SiteLonDMS83", 10),
                     Text("SiteLonSec83", 10), Text("SiteLatDMS27", 10),
                     Text("SiteLatSec27", 10), Text("SiteLonDMS27", 10),
                     Text("SiteLonSec27", 10), Text("SiteNepa", 1), Text("SiteGrEl", 6),
                     Text("SiteHgtStructure", 6), Text("SiteHgtToTip", 6)},
                    {"SiteTower", "SiteTowerReg"}));

  t.push_back(Table("CommOfLic", "Community of License Table",
                    {Text("AntSiteKey", 15), Text("State", 2), Text("City", 20)},
                    {"AntSiteKey"}));
  return t;
}

}  // namespace

const std::vector<TableSpec>& KtbTables() {
  static const std::vector<TableSpec> tables = BuildKtbTables();
  return tables;
}

}  // namespace morvane::schema
