#include "schema/staging/staging_tables.h"

#include <string>
#include <utility>

#include "schema/field_defs.h"

namespace morvane::schema {
namespace {

using db::FieldDef;
using db::IndexDef;
using fields::Integer;
using fields::Long;
using fields::Memo;
using fields::Single;
using fields::Text;

// The usual index: "idx" and the name of its one field.
IndexDef On(std::string field) { return {"idx" + field, std::move(field)}; }

// The condition link tables carry an index named idxConditionKey that is
// built on ConditionCode, not on ConditionKey; nothing seeks on it, but the
// tables keep it as they always had it.
IndexDef ConditionKeyIndex() { return {"idxConditionKey", "ConditionCode"}; }

TableSpec Table(std::string name, std::string caption, std::vector<FieldDef> fields,
                std::vector<IndexDef> indexes) {
  return {db::TableDef{std::move(name), std::move(fields), std::move(indexes)},
          std::move(caption)};
}

std::vector<TableSpec> BuildStagingTables() {
  return {
      Table("DalkAddress", "Address Table",
            {Long("AddressKey"), Text("AddressId", 12), Text("AddressName", 80),
             Text("DbaName", 80), Text("Street1", 80), Text("Street2", 80), Text("City", 40),
             Text("StateCode", 2), Text("ZipCode", 10), Text("CountryCode", 3),
             Text("Soundex", 12), Text("DbaSoundex", 12), Text("Kwd", 10), Text("Redlight", 1)},
            {On("AddressKey"), On("Kwd")}),

      Table("DalkAntenna", "Antenna Table",
            {Long("AntennaKey"), Text("AntennaId", 10), Long("SiteKey"), Text("Diameter", 6),
             Text("DiameterMinor", 6), Text("DiameterMajor", 6), Text("HeightBldgAgl", 6),
             Text("HeightMaxAgl", 6), Text("HeightMaxAmsl", 6), Text("HeightMaxARoof", 6),
             Text("Manufacturer", 40), Text("MaxInputPower", 6), Text("MaxOutputEirp", 6),
             Text("Model", 20), Text("Quantity", 9), Text("TowerId", 10),
             Text("TowerClearedSw", 1), Text("TowerSiteKey", 20), Text("TowerFlag", 1)},
            {On("AntennaKey"), On("SiteKey")}),

      Table("DalkAntennaCondition", "Antenna Condition Table",
            {Long("ConditionKey"), Long("AntennaKey"), Long("ConditionCode")},
            {ConditionKeyIndex(), On("AntennaKey")}),

      Table("DalkAntennaFx", "Antenna FX Table",
            {Long("AntennaKey"), Long("SiteKey"), Text("AntennaId", 10), Text("Gain1", 6),
             Text("Gain2", 6), Text("Frequency1", 17), Text("Frequency2", 17),
             Text("PolarizationCode", 3), Text("FrequencyLower", 17),
             Text("FrequencyUpper", 17), Text("HeightMaxAmsl", 6), Text("HeightMaxAgl", 6),
             Text("Elevation", 6), Text("Manufacturer", 40), Text("Model", 20),
             Text("Quantity", 6), Text("TowerId", 10), Text("Beamwidth", 6),
             Text("RotatableSw", 1), Text("TakeOffAngle", 6), Text("SlewableSw", 1),
             Text("SlewAmt", 6), Text("TargetZone", 80), Text("AntennaTypeCode", 2),
             Text("AntennaPattern", 2), Text("SchematicSw", 1), Memo("OperationDesc"),
             Text("TowerClearedSw", 1)},
            {On("AntennaKey"), On("SiteKey")}),

      Table("DalkAntennaGain", "Antenna Gain Table",
            {Long("GainKey"), Long("AntennaKey"), Text("Gain", 6), Text("Frequency", 17),
             Text("TransMode", 1)},
            {On("GainKey"), On("AntennaKey")}),

      Table("DalkAntTypCod", "Antenna Type Code Table",
            {Text("AntennaTypeCode", 2), Memo("Description"), Text("InactiveDate", 8)},
            {On("AntennaTypeCode")}),

      Table("DalkAzimuth", "Azimuth Table",
            {Long("AzimuthKey"), Long("AntennaKey"), Single("Azimuth")},
            {On("AzimuthKey"), On("AntennaKey")}),

      Table("DalkClassOfStationCode", "Class Of Station Code Table",
            {Text("ClassOfStationCode", 4), Text("Description", 50), Text("InactiveDate", 8)},
            {On("ClassOfStationCode")}),

      // "Subsystemcode" is the name the field was always created with.
      Table("DalkCondition", "Condition Table",
            {Long("ConditionCode"), Text("Subsystemcode", 3), Memo("ConditionText"),
             Memo("ConditionNote")},
            {On("ConditionCode")}),

      // Constraint comes before Kwd here, unlike in the contact record.
      Table("DalkContact", "Contact Table",
            {Long("ContactKey"), Text("ContactId", 12), Text("ContactName", 80),
             Text("Title", 40), Text("CompanyName", 80), Text("Street1", 80),
             Text("Street2", 80), Text("City", 40), Text("StateCode", 2), Text("ZipCode", 10),
             Text("CountryCode", 3), Text("Constraint", 20), Text("Kwd", 10)},
            {On("ContactKey")}),

      Table("DalkEarthStationSta", "EarthStationSta Table",
            {Long("FilingKey"), Text("TypeStaCode", 5), Text("RequestedDate", 8), Memo("City"),
             Text("StateCode", 2), Integer("LatDeg"), Integer("LatMin"), Single("LatSec"),
             Text("LatHemi", 1), Integer("LonDeg"), Integer("LonMin"), Single("LonSec"),
             Text("LonHemi", 1), Text("TowerSiteKey", 20), Text("TowerFlag", 1)},
            {On("FilingKey")}),

      Table("DalkForm312", "Form312 Table",
            {Long("FilingKey"), Text("FileNumRef", 19), Text("FileNumDate", 8),
             Text("RequiredConstructionDate", 8), Text("CompletedConstructionDate", 8),
             Text("BlanketCallSignSw", 1), Text("CommonCarrierSw", 1), Text("USSatSw", 1),
             Text("NonUSSatSw", 1), Text("TypeOfFacility", 2), Text("EnvironEffectSw", 1),
             Text("ForeignGovtRepSw", 1), Text("AlienApplicantSw", 1),
             Text("ForeignCorpSw", 1), Text("AlienOfficerSw", 1), Text("ForeignControlSw", 1),
             Text("WaiversReqSw", 1), Text("RevokedSw", 1), Text("FelonySw", 1),
             Text("MonopolySw", 1), Text("PublicSwitchSw", 1), Text("PendActionSw", 1),
             Text("DrugAbuseSw", 1), Memo("NatureOfServiceOtherText"),
             Text("SatCommonName", 20), Text("OrbitLocation", 10), Text("NonUSLicSatSw", 1),
             Memo("Administration"), Text("OperationStartDate", 8),
             Text("OrbitLocationAssigned", 10), Text("DateLaunched", 8),
             Text("CallsignReplaced", 10), Text("LongHemi", 1), Text("LongHemiAssigned", 1),
             Text("ClassOfSatStation", 10), Text("Form312EzSw", 1),
             Text("ForeignDirIndirControlSw", 1), Text("FixedEarthStationSw", 1),
             Text("RadHazIncludedSw", 1), Text("DenialOfBenefitsSw", 1)},
            {On("FilingKey")}),

      Table("DalkFrequencyCondition", "Frequency Condition Table",
            {Long("ConditionKey"), Long("FrequencyKey"), Long("ConditionCode")},
            {ConditionKeyIndex(), On("FrequencyKey")}),

      Table("DalkFreqCoord", "Frequency Coordination Table",
            {Long("CoordKey"), Long("AntennaKey"), Text("AzimuthEast", 6),
             Text("AzimuthWest", 6), Text("ElevationEast", 6), Text("ElevationWest", 6),
             Text("FreqLimitLow", 17), Text("FreqLimitHigh", 17), Text("HorizMaxDensity", 6),
             Text("SatArcEast", 6), Text("SatArcWest", 6), Text("SatHemiEast", 1),
             Text("SatHemiWest", 1), Text("SatOrbitType", 1), Text("TransMode", 1)},
            {On("CoordKey"), On("AntennaKey")}),

      Table("DalkFrequencyFx", "Frequency FX Table",
            {Long("FrequencyKey"), Long("SiteKey"), Text("PolarizationCode", 3),
             Text("Eirp", 6), Text("Emission", 9), Text("FrequencyLower", 17),
             Text("FrequencyUpper", 17), Text("TransMode", 1)},
            {On("FrequencyKey"), On("SiteKey")}),

      Table("DalkFrequency", "Frequency Table",
            {Long("FrequencyKey"), Long("AntennaKey"), Text("PolarizationCode", 3),
             Text("Eirp", 6), Text("EirpDensity", 6), Text("Emission", 9),
             Text("FrequencyLower", 17), Text("FrequencyUpper", 17), Text("TransMode", 1),
             Text("TransModeFix", 1), Memo("Modulation"), Text("FrequencyLowerDisplay", 17),
             Text("FrequencyUpperDisplay", 17), Text("UnitOfMeasure", 1)},
            {On("FrequencyKey"), On("AntennaKey")}),

      Table("DalkFx", "FX Table",
            {Long("FilingKey"), Text("FilenumRefer", 19), Text("FilenumReferDate", 8),
             Text("IracStatus", 10), Text("TowerStatus", 10), Text("CpExpireDate", 8),
             Text("ProximitySw", 1), Text("NepaMajorActionSw", 1),
             Text("RadiationHazardReportSw", 1), Text("CitizenSw", 1),
             Text("PartnersCitizenSw", 1), Text("CorpStateCode", 2),
             Text("AlienOwnershipSw", 1), Text("AlienControlSw", 1),
             Text("AlienOfficer4cSw", 1), Text("AlienOfficer4fSw", 1),
             Text("CorporateControlSw", 1), Text("SubsidiarySw", 1),
             Long("AssociationNoMembers"), Integer("AssociationNoAlienMembers"),
             Memo("PrincipalBusiness"), Text("AmFmTvInterestSw", 1), Text("ForeignRepSw", 1),
             Text("RevokedSw", 1), Text("DeniedSw", 1), Text("FelonySw", 1),
             Text("MonopolySw", 1), Text("AssetsSw", 1), Text("CapitalAssuranceSw", 1)},
            {On("FilingKey")}),

      Table("DalkLicenseeHistory", "Licensee History Table",
            {Long("FilingKey"), Long("AssignFilingKey"), Long("LicenseeKey"),
             Text("LicenseeAttention", 80), Text("LicenseePhoneNum", 25),
             Text("LicenseeFaxNum", 25), Text("LicenseeEMail", 40)},
            {On("FilingKey"), On("AssignFilingKey"), On("LicenseeKey")}),

      Table("DalkLicenseCondition", "License Condition Table",
            {Long("ConditionKey"), Long("FilingKey"), Long("ConditionCode")},
            {ConditionKeyIndex(), On("FilingKey")}),

      Table("DalkMain", "Main Table",
            {Long("FilingKey"), Text("FilingState", 1), Text("CallSign", 10),
             Text("FileNumber", 19), Text("SubsystemCode", 3), Text("StatusCode", 5),
             Text("StatusDate", 8), Text("LastAction", 3), Text("LastActionDate", 8),
             Text("MtsNumber", 6), Text("DateFiled", 8), Text("MellonDate", 8),
             Text("DateGrant", 8), Text("DateDeny", 8), Text("DateDismiss", 8),
             Text("DateSurrender", 8), Text("DateBegin", 8), Text("DateExpire", 8),
             Text("DateLastUpdate", 18), Text("AffPubNoticeSw", 1),
             Text("AffPubNoticeDate", 8), Text("ActPubNoticeSw", 1),
             Text("ActPubNoticeDate", 8), Text("SubmissionId", 12),
             Text("FeeControlNumber", 20), Text("AppTypeCode", 3), Memo("FilingOtherTxt"),
             Text("KeyWord1", 6), Text("KeyWord2", 6), Text("TowerClearedSw", 1),
             Text("DateBlocked", 8), Text("BlockedReasonCode", 4), Memo("BlockedReason"),
             Text("TypeApplicantCode", 3), Memo("ApplicantOtherText"),
             Text("ClassOfStationCode", 3), Memo("ClassOtherText"), Memo("SignerName"),
             Memo("SignerTitle"), Text("DateSigned", 8), Memo("Description"),
             Long("AddressKey"), Memo("AddressAttention"), Text("AddressPhoneNum", 25),
             Text("AddressFaxNum", 25), Memo("AddressEMail"), Long("ContactKey"),
             Memo("ContactAttention"), Text("ContactRelationship", 20),
             Text("ContactPhoneNum", 25), Text("ContactFaxNum", 25), Memo("ContactEMail"),
             Memo("OtherPurposeText"), Text("StreamlinedSw", 1), Text("DateTransferred", 8),
             Text("Confidential", 1), Text("DateQueued", 8), Text("DateWithdrew", 8),
             Text("QueueFlag", 1), Text("FilingId", 12), Text("DateCreated", 8),
             Text("InitiatorId", 30), Long("PublicPnNoteKey"), Text("FeeExemptSw", 1),
             Memo("FeeExemptReason"), Long("RemittanceId"), Memo("NextStep"),
             Text("ReleasedBy", 1), Text("DateReleased", 8), Text("DateAdopted", 8),
             Text("OrderDaNumber", 12)},
            {On("FilingKey"), On("CallSign"), On("AddressKey"), On("ContactKey")}),

      // The caption's spelling is the one users have always seen.
      Table("DalkNatureOfService", "Nature Of Servie Table",
            {Long("FilingKey"), Text("NatureOfServiceCode", 4)},
            {On("FilingKey"), On("NatureOfServiceCode")}),

      Table("DalkNatureOfServiceCode", "Nature Of Service Code Table",
            {Text("NatureOfServiceCode", 4), Text("Description", 50), Text("InactiveDate", 8),
             Text("RadSvcCode", 2)},
            {On("NatureOfServiceCode"), On("RadSvcCode")}),

      Table("DalkPolarCode", "PolarizationCode Table",
            {Text("PolarizationCode", 3), Text("PolarizationType", 28),
             Text("InactiveDate", 8)},
            {On("PolarizationCode")}),

      // The first index keeps its historical name with a lower-case c; its
      // field is PtCommKey.
      Table("DalkPtComm", "PtComm Table",
            {Long("PtCommKey"), Long("SiteKey"), Long("SpaceStationKey")},
            {IndexDef{"idxPtcommKey", "PtCommKey"}, On("SiteKey"), On("SpaceStationKey")}),

      Table("DalkPtCommFx", "PtCommFx Table",
            {Long("PtCommKey"), Long("SiteKey"), Memo("Location"), Long("Distance")},
            {On("PtCommKey"), On("SiteKey")}),

      Table("DalkPurpose", "Purpose Table", {Long("FilingKey"), Memo("PurposeCode")},
            {On("FilingKey")}),

      // No data set fills this table; it exists, empty, in every output database.
      Table("DalkSection214", "Section214 Table",
            {Long("FilingKey"), Text("DaNumber", 10), Memo("PlaceOfIncorp"),
             Memo("Destination"), Text("StreamlinedRequestSw", 1), Text("StreamlinedSw", 1),
             Text("AlienApplicantSw", 1), Text("MultAlienApplicantSw", 1),
             Text("DrugAbuseSw", 1), Text("SpecialConcessionsSw", 1),
             Text("CommonCarrierSw", 1), Text("TenGreaterFo", 1),
             Text("InterlockingDirectorates", 1), Text("ForeignCarrierCountry", 1),
             Text("NonDominant", 1), Text("DominantCarrierSafeguardsSw", 1),
             Text("CosumateCert", 1), Text("ProFormaCert", 1),
             Text("ScheduledConsumateDate", 8), Text("GoodFaithCert", 1),
             Text("DateBocInitiated", 8), Text("DateBocFiled", 8),
             Text("CiteGranting271", 20), Text("Date271Granted", 8), Text("FalseField", 8),
             Text("BocStateCode", 2), Text("TrafficReporting", 1)},
            {On("FilingKey")}),

      // The code comes before the site key here, unlike the other link tables.
      Table("DalkSiteCondition", "Site Condition Table",
            {Long("ConditionKey"), Long("ConditionCode"), Long("SiteKey")},
            {ConditionKeyIndex(), On("SiteKey")}),

      Table("DalkSite", "Site Table",
            {Long("SiteKey"), Long("FilingKey"), Text("SiteId", 20), Memo("SiteDescription"),
             Text("ContactPerson", 40), Text("SiteStreet1", 40), Text("SiteStreet2", 40),
             Text("SiteCity", 20), Text("SiteCounty", 22), Text("SiteState", 2),
             Text("SiteZipcode", 10), Text("SiteTelephone", 25), Text("SiteElevation", 6),
             Text("SiteLatDMS", 10), Text("SiteLatSec", 10), Text("SiteLonDMS", 10),
             Text("SiteLonSec", 10), Text("NadInd", 2), Text("NumVsatsBuilt", 6),
             Text("VsatReportDate", 8), Text("FaaCoordSw", 1), Text("Comply25209aSw", 1),
             Text("Comply25209a2Sw", 1), Text("RemoteControlSw", 1),
             Text("ForeignFreqCoordReqSw", 1), Text("FreqCoordReqSw", 1),
             Text("AreaOfOperationCode", 2), Text("FaaCoordNotReqSw", 1),
             Text("Comply25211Sw", 1), Text("TowerSiteKey", 20), Text("TowerFlag", 1)},
            {On("SiteKey"), On("FilingKey")}),

      Table("DalkSpaceStation", "SpaceStation Table",
            {Long("SpaceStationKey"), Text("UsName", 20), Text("ItuName", 20),
             Text("OrbitLocation", 10), Memo("Verbose"), Text("InactiveDate", 8),
             Text("LongHemi", 1)},
            {On("SpaceStationKey")}),

      Table("DalkSpaceStationSta", "SpaceStationSta Table",
            {Long("FilingKey"), Text("TypeStaCode", 5), Text("RequestedDate", 8),
             Memo("RequestedLocation")},
            {On("FilingKey")}),

      Table("DalkStatusCode", "StatusCode Table",
            {Text("StatusCode", 5), Memo("StatusText"), Text("InternalSw", 1),
             Text("InactiveDate", 8)},
            {On("StatusCode")}),

      // "Quanity" is the name the loader writes.
      Table("DalkTransmitter", "Transmitter Table",
            {Long("TransmitterKey"), Long("SiteKey"), Memo("TransmitterDescription"),
             Text("Quanity", 6), Text("Manufacturer", 40), Text("Model", 10),
             Text("SerialNum", 15), Text("EmissionType", 20), Text("Power", 6),
             Text("Tolerance", 6)},
            {On("TransmitterKey"), On("SiteKey")}),

      Table("DalkFrequencyBand", "Frequency Band Table",
            {Long("FreqId"), Text("FrequencyLower", 17), Text("FrequencyUpper", 17),
             Text("BandName", 40), Text("DownlinkFrequencyLower", 17),
             Text("DownlinkFrequencyUpper", 17), Text("UplinkFrequencyLower", 17),
             Text("UplinkFrequencyUpper", 17), Text("RuleCiting", 25)},
            {On("FreqId"), On("FrequencyLower"), On("FrequencyUpper")}),

      Table("DalkIntlAlocFrequency", "Intl Aloc Frequency Table",
            {Long("Id"), Text("FrequencyLower", 17), Text("FrequencyUpper", 17)},
            {On("Id"), On("FrequencyLower"), On("FrequencyUpper")}),

      Table("DalkFrequencySat", "Frequency Sat Table",
            {Long("FrequencyKey"), Long("FilingKey"), Text("FrequencyLower", 17),
             Text("FrequencyUpper", 17), Text("TransMode", 1)},
            {On("FrequencyKey"), On("FilingKey"), On("FrequencyLower"), On("FrequencyUpper")}),
  };
}

}  // namespace

const std::vector<TableSpec>& StagingTables() {
  static const std::vector<TableSpec> tables = BuildStagingTables();
  return tables;
}

const TableSpec* FindStagingTable(std::string_view name) {
  for (const TableSpec& table : StagingTables())
    if (db::NamesEqual(table.def.name, name)) return &table;
  return nullptr;
}

}  // namespace morvane::schema
