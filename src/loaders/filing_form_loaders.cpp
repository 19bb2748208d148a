// form_312.dat, fx.dat and licensee_history.dat: per-filing form answers and
// the licensee history. Most text pieces of the two forms are stored as they
// stand, blanks included; the licensee history is trimmed throughout.
#include "loaders/data_sets.h"

namespace morvane::loaders {
namespace {

// Pieces 29 to 36 are not stored. Ends without the "Finished processing"
// text: the window keeps the opening caption until the next step.
LoaderDef Form312() {
  LoaderDef d;
  d.procedure = "PopulateForm312Table";
  d.file = "form_312.dat";
  d.table = "DalkForm312";
  d.opening_status = "Populating 'Form312' table with  < ";
  d.action_text = "Populate Form 312 Table!";
  d.pieces = 36;
  d.finishing_status = false;
  d.fields = {
      Number(1, "FilingKey"),
      AsIs(2, "FileNumRef"),
      Date(3, "FileNumDate"),
      Date(4, "RequiredConstructionDate"),
      Date(5, "CompletedConstructionDate"),
      AsIs(6, "BlanketCallSignSw"),
      AsIs(7, "CommonCarrierSw"),
      AsIs(8, "USSatSw"),
      AsIs(9, "NonUSSatSw"),
      AsIs(10, "TypeOfFacility"),
      AsIs(11, "EnvironEffectSw"),
      AsIs(12, "ForeignGovtRepSw"),
      AsIs(13, "AlienApplicantSw"),
      AsIs(14, "ForeignCorpSw"),
      AsIs(15, "AlienOfficerSw"),
      AsIs(16, "ForeignControlSw"),
      AsIs(17, "WaiversReqSw"),
      AsIs(18, "RevokedSw"),
      AsIs(19, "FelonySw"),
      AsIs(20, "MonopolySw"),
      AsIs(21, "PublicSwitchSw"),
      AsIs(22, "PendActionSw"),
      AsIs(23, "DrugAbuseSw"),
      MemoOfTrimmed(24, "NatureOfServiceOtherText"),
      AsIs(25, "SatCommonName"),
      AsIs(26, "OrbitLocation"),
      AsIs(27, "NonUSLicSatSw"),
      MemoOfTrimmed(28, "Administration"),
  };
  return d;
}

// All 29 pieces are stored; in a longer record the last one holds the rest,
// bars included. Does not write its step number into the status window.
LoaderDef Fx() {
  LoaderDef d;
  d.procedure = "PopulateFxTable";
  d.file = "fx.dat";
  d.table = "DalkFx";
  d.opening_status = "Populating 'Fx' table with  < ";
  d.action_text = "Populate FX Table!";
  d.pieces = 29;
  d.fields = {
      Number(1, "FilingKey"),
      AsIs(2, "FilenumRefer"),
      Date(3, "FilenumReferDate"),
      AsIs(4, "IracStatus"),
      AsIs(5, "TowerStatus"),
      Date(6, "CpExpireDate"),
      AsIs(7, "ProximitySw"),
      AsIs(8, "NepaMajorActionSw"),
      AsIs(9, "RadiationHazardReportSw"),
      AsIs(10, "CitizenSw"),
      AsIs(11, "PartnersCitizenSw"),
      AsIs(12, "CorpStateCode"),
      AsIs(13, "AlienOwnershipSw"),
      AsIs(14, "AlienControlSw"),
      AsIs(15, "AlienOfficer4cSw"),
      AsIs(16, "AlienOfficer4fSw"),
      AsIs(17, "CorporateControlSw"),
      AsIs(18, "SubsidiarySw"),
      Number(19, "AssociationNoMembers"),
      Number(20, "AssociationNoAlienMembers"),
      MemoOfTrimmed(21, "PrincipalBusiness"),
      AsIs(22, "AmFmTvInterestSw"),
      AsIs(23, "ForeignRepSw"),
      AsIs(24, "RevokedSw"),
      AsIs(25, "DeniedSw"),
      AsIs(26, "FelonySw"),
      AsIs(27, "MonopolySw"),
      AsIs(28, "AssetsSw"),
      AsIs(29, "CapitalAssuranceSw"),
  };
  return d;
}

// Piece 8 (with whatever follows it) is not stored.
LoaderDef LicenseeHistory() {
  LoaderDef d;
  d.procedure = "PopulateLicenseeHistoryTable";
  d.file = "licensee_history.dat";
  d.table = "DalkLicenseeHistory";
  d.opening_status = "Populating 'Licensee History' table with  < ";
  d.action_text = "Populate Licensee History Table!";
  d.pieces = 8;
  d.fields = {
      Number(1, "FilingKey"),
      Number(2, "AssignFilingKey"),
      Number(3, "LicenseeKey"),
      Trimmed(4, "LicenseeAttention"),
      Trimmed(5, "LicenseePhoneNum"),
      Trimmed(6, "LicenseeFaxNum"),
      Trimmed(7, "LicenseeEMail"),
  };
  return d;
}

}  // namespace

std::vector<const LoaderDef*> FilingFormLoaders() {
  static const LoaderDef form_312 = Form312();
  static const LoaderDef fx = Fx();
  static const LoaderDef licensee_history = LicenseeHistory();
  return {&form_312, &fx, &licensee_history};
}

}  // namespace morvane::loaders
