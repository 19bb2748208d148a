#include <gtest/gtest.h>

#include "loaders/field_cases.h"

namespace morvane::testing {
namespace {

using V = db::Value;

const std::vector<std::string> kAddressFields = {
    "AddressKey", "AddressId", "AddressName", "DbaName",     "Street1", "Street2",  "City",
    "StateCode",  "ZipCode",   "CountryCode", "Soundex",     "DbaSoundex", "Kwd",   "Redlight"};

TEST(AddressLoaderTest, StoresPieces1To13FieldByField) {
  LoaderFixture fx;
  EXPECT_EQ(Load(fx, LoaderNamed("PopulateAddressTable"),
                 " 501 | L0001 | Acme Corp | Acme | 1 Main St || Reston | VA | 20190 | USA |"
                 " A250 | A250 | 123456789012 |p14|p15|p16|p17|p18|p19|p20|^|\n",
                 kAddressFields, 1),
            Expected({{V(501), V("L0001"), V("Acme Corp"), V("Acme"), V("1 Main St"), V(""),
                       V("Reston"), V("VA"), V("20190"), V("US"), V("A250"), V("A250"),
                       V("1234567890"), V()}}));
  EXPECT_EQ(ProcessLog(fx), std::vector<std::string>{"1|PopulateAddressTable|1"});
  EXPECT_EQ(fx.ui().CaptionHistory("frmStatus", "lblStatus").front(),
            "Populating 'Address' table with  < address.dat >  data !");
  EXPECT_EQ(fx.ui().Caption("frmStatus", "lblStepCurrent"), " 1");
  EXPECT_TRUE(fx.RejectedLines().empty());
}

TEST(AddressLoaderTest, FieldConversions) {
  ExpectFieldCases(LoaderNamed("PopulateAddressTable"),
                   {"1", "ID", "Name", "Dba", "S1", "S2", "City", "VA", "Zip", "US", "Sx", "Dsx",
                    "Kwd"},
                   {
                       Stores(8, " VA", "StateCode", V("VA")),  // trimmed before it is cut
                       Stores(8, "Virginia", "StateCode", V("Vi")),
                       Stores(8, "", "StateCode", V("")),
                       Stores(10, "USA", "CountryCode", V("US")),
                       Stores(10, " CA ", "CountryCode", V("CA")),
                       Stores(13, "  123456789012  ", "Kwd", V("1234567890")),
                       Stores(1, "N/A", "AddressKey", V(0)),
                       Rejects(1, "12.5", "AddressKey"),
                       Rejects(1, "99999999999", "AddressKey"),
                       Rejects(2, "1234567890123", "AddressId"),
                       Rejects(7, std::string(41, 'c'), "City"),
                       Stores(7, std::string(40, 'c'), "City", V(std::string(40, 'c'))),
                       Rejects(9, "12345-67890", "ZipCode"),
                       Rejects(3, std::string(81, 'n'), "AddressName"),
                   });
}

TEST(AddressLoaderTest, ARecordWithTooFewPiecesIsRejected) {
  LoaderFixture fx;
  EXPECT_EQ(Load(fx, LoaderNamed("PopulateAddressTable"),
                 "1|ID|Name|Dba|S1|S2|City|VA|Zip|US|Sx|Dsx|^|\n"     // 12 pieces
                 "2|ID|Name|Dba|S1|S2|City|VA|Zip|US|Sx|Dsx|K|^|\n",  // 13 pieces
                 {"AddressKey", "Kwd"}),
            Expected({{V(2), V("K")}}));
  EXPECT_EQ(RejectedLineNumbers(fx, "address.dat"), std::vector<int>{1});
}

const std::vector<std::string> kContactFields = {
    "ContactKey", "ContactId", "ContactName", "Title",       "CompanyName", "Street1", "Street2",
    "City",       "StateCode", "ZipCode",     "CountryCode", "Constraint",  "Kwd"};

TEST(ContactLoaderTest, TheLastPieceHoldsTheRestOfTheRecord) {
  LoaderFixture fx;
  EXPECT_EQ(Load(fx, LoaderNamed("PopulateContactTable"),
                 " 77 | C1 | Ann Lee | Engineer | Acme | 1 Main St | Suite 2 | Reston | VA |"
                 " 20190 |"
                 " USA | 1234567|89|0123 |^|\n",
                 kContactFields, 10),
            Expected({{V(77), V("C1"), V("Ann Lee"), V("Engineer"), V("Acme"), V("1 Main St"),
                       V("Suite 2"), V("Reston"), V("VA"), V("20190"), V("USA"), V(),
                       V("1234567|89")}}));
  EXPECT_EQ(ProcessLog(fx), std::vector<std::string>{"10|Populate Contact Table!|1"});
}

TEST(ContactLoaderTest, FieldConversions) {
  ExpectFieldCases(LoaderNamed("PopulateContactTable"),
                   {"1", "ID", "Name", "T", "Co", "S1", "S2", "City", "VA", "Zip", "USA", "Kwd"},
                   {
                       Stores(9, " VA", "StateCode", V("VA")),
                       Stores(11, "USAX", "CountryCode", V("USA")),
                       Stores(11, " US", "CountryCode", V("US")),
                       Stores(12, "123456789012", "Kwd", V("1234567890")),
                       Stores(12, "", "Kwd", V("")),
                       Rejects(4, std::string(41, 't'), "Title"),
                       Rejects(1, "1e10", "ContactKey"),
                   });
  LoaderFixture fx;
  fx.WriteDataSet("contact.dat", "1|ID|Name|T|Co|S1|S2|City|VA|Zip|USA|^|\n");  // 11 pieces
  fx.Run(LoaderNamed("PopulateContactTable"), 10);
  EXPECT_EQ(fx.RowCount("DalkContact"), 0);
  EXPECT_EQ(RejectedLineNumbers(fx, "contact.dat"), std::vector<int>{1});
}

}  // namespace
}  // namespace morvane::testing
