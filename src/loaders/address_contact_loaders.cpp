// address.dat (the licensees' names and addresses) into DalkAddress, and
// contact.dat (the contact persons) into DalkContact.
//
// The short codes are trimmed before they are cut, in both data sets, so a
// code written with a leading blank keeps its letters (" VA" is "VA").
#include "loaders/data_sets.h"

namespace morvane::loaders {
namespace {

LoaderDef BuildAddress() {
  LoaderDef d;
  d.procedure = "PopulateAddressTable";
  d.file = "address.dat";
  d.table = "DalkAddress";
  d.opening_status = "Populating 'Address' table with  < ";
  d.action_text = "PopulateAddressTable";
  d.pieces = 14;  // piece 14, the rest of the record, is not stored
  d.fields = {
      Number(1, "AddressKey"),
      Trimmed(2, "AddressId"),
      Trimmed(3, "AddressName"),
      Trimmed(4, "DbaName"),
      Trimmed(5, "Street1"),
      Trimmed(6, "Street2"),
      Trimmed(7, "City"),
      TrimmedFirst(8, "StateCode", 2),
      Trimmed(9, "ZipCode"),
      // A three-letter country code keeps its first two letters here.
      TrimmedFirst(10, "CountryCode", 2),
      Trimmed(11, "Soundex"),
      Trimmed(12, "DbaSoundex"),
      TrimmedFirst(13, "Kwd", 10),
  };
  return d;
}

LoaderDef BuildContact() {
  LoaderDef d;
  d.procedure = "PopulateContactTable";
  d.file = "contact.dat";
  d.table = "DalkContact";
  d.opening_status = "Populating 'Contact' table with  < ";
  d.action_text = "Populate Contact Table!";
  d.pieces = 12;  // so piece 12 holds the rest of the record, bars and all
  d.fields = {
      Number(1, "ContactKey"),
      Trimmed(2, "ContactId"),
      Trimmed(3, "ContactName"),
      Trimmed(4, "Title"),
      Trimmed(5, "CompanyName"),
      Trimmed(6, "Street1"),
      Trimmed(7, "Street2"),
      Trimmed(8, "City"),
      TrimmedFirst(9, "StateCode", 2),
      Trimmed(10, "ZipCode"),
      TrimmedFirst(11, "CountryCode", 3),
      TrimmedFirst(12, "Kwd", 10),
  };
  return d;
}

}  // namespace

std::vector<const LoaderDef*> AddressContactLoaders() {
  static const LoaderDef address = BuildAddress();
  static const LoaderDef contact = BuildContact();
  return {&address, &contact};
}

}  // namespace morvane::loaders
