// main.dat: one record per filing, into DalkMain.
#include "loaders/data_sets.h"
#include "platform/text/text.h"

namespace morvane::loaders {
namespace {

// An empty class of station is stored as "??", so every filing has one.
FieldValue ClassOfStation(const Record& record, RunActions&) {
  std::string code = text::Trim(record.Piece(36));
  if (code.empty()) code = "??";
  return db::Value(std::move(code));
}

LoaderDef Build() {
  LoaderDef d;
  d.procedure = "PopulateMainTable";
  d.file = "main.dat";
  d.table = "DalkMain";
  d.opening_status = "Populating 'MAIN' table with  < ";
  d.action_text = "Populate Main Table!";
  d.pieces = 71;
  d.fields = {
      Number(1, "FilingKey"),
      Trimmed(2, "FilingState"),
      Trimmed(3, "CallSign"),
      Trimmed(4, "FileNumber"),
      Trimmed(5, "SubsystemCode"),
      Trimmed(6, "StatusCode"),
      Date(7, "StatusDate"),
      Trimmed(8, "LastAction"),
      Date(9, "LastActionDate"),
      Trimmed(10, "MtsNumber"),
      Date(11, "DateFiled"),
      Date(12, "MellonDate"),
      Date(13, "DateGrant"),
      Date(14, "DateDeny"),
      Date(15, "DateDismiss"),
      Date(16, "DateSurrender"),
      Date(17, "DateBegin"),
      Date(18, "DateExpire"),
      Date(19, "DateLastUpdate"),
      Trimmed(20, "AffPubNoticeSw"),
      Date(21, "AffPubNoticeDate"),
      Trimmed(22, "ActPubNoticeSw"),
      Date(23, "ActPubNoticeDate"),
      Trimmed(24, "SubmissionId"),
      TrimmedFirst(25, "FeeControlNumber", 20),
      Trimmed(26, "AppTypeCode"),
      MemoOfTrimmed(27, "FilingOtherTxt"),
      Trimmed(28, "KeyWord1"),
      Trimmed(29, "KeyWord2"),
      Trimmed(30, "TowerClearedSw"),
      Date(31, "DateBlocked"),
      Trimmed(32, "BlockedReasonCode"),
      MemoOfTrimmed(33, "BlockedReason"),
      Trimmed(34, "TypeApplicantCode"),
      MemoOfTrimmed(35, "ApplicantOtherText"),
      Custom(36, "ClassOfStationCode", ClassOfStation),
      MemoOfTrimmed(37, "ClassOtherText"),
      MemoOfTrimmed(38, "SignerName"),
      MemoOfTrimmed(39, "SignerTitle"),
      Date(40, "DateSigned"),
      MemoOfTrimmed(41, "Description"),
      Number(42, "AddressKey"),
      MemoOfTrimmed(43, "AddressAttention"),
      Trimmed(44, "AddressPhoneNum"),
      Trimmed(45, "AddressFaxNum"),
      Trimmed(46, "AddressEMail"),
      Number(47, "ContactKey"),
      MemoOfTrimmed(48, "ContactAttention"),
      Trimmed(49, "ContactRelationship"),
      Trimmed(50, "ContactPhoneNum"),
      Trimmed(51, "ContactFaxNum"),
      MemoOfTrimmed(52, "ContactEMail"),
      MemoOfTrimmed(53, "OtherPurposeText"),
      Trimmed(54, "StreamlinedSw"),
      Date(55, "DateTransferred"),
      Trimmed(56, "Confidential"),
      Date(57, "DateQueued"),
      Date(58, "DateWithdrew"),
      Trimmed(59, "QueueFlag"),
      Trimmed(60, "FilingId"),
      Date(61, "DateCreated"),
      Trimmed(62, "InitiatorId"),
      Number(63, "PublicPnNoteKey"),
      Trimmed(64, "FeeExemptSw"),
      MemoOfTrimmed(65, "FeeExemptReason"),
      Number(66, "RemittanceId"),
      Trimmed(67, "NextStep"),
      Trimmed(68, "ReleasedBy"),
      Date(69, "DateReleased"),
      Date(70, "DateAdopted"),
      Trimmed(71, "OrderDaNumber"),
  };
  return d;
}

}  // namespace

const LoaderDef& MainLoader() {
  static const LoaderDef loader = Build();
  return loader;
}

}  // namespace morvane::loaders
