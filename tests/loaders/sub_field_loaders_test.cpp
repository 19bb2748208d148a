#include <gtest/gtest.h>

#include "loaders/field_cases.h"

namespace morvane::testing {
namespace {

using V = db::Value;

const std::vector<std::string> kTransmitterFields = {
    "TransmitterKey", "SiteKey", "TransmitterDescription", "Quanity", "Manufacturer",
    "Model", "SerialNum", "EmissionType", "Power", "Tolerance"};

TEST(TransmitterLoaderTest, ShortAndLongRecords) {
  LoaderFixture fx;
  EXPECT_EQ(Load(fx, LoaderNamed("PopulateTransmitterTable"),
                 " 5 | 9 |  Main transmitter  |^|\n"                         // three fields
                 "6|9|Spare|2|Acme| TX-1 |SN 42|6K00A3E|250|1.26|extra|^|\n"  // eleven
                 "7||||||||||^|\n",                                           // all empty
                 kTransmitterFields, 34),
            Expected({{V(5), V(9), V("Main transmitter"), V("000000"), V(""), V(""), V(""), V(""),
                       V("000000"), V("0000.0")},
                      {V(6), V(9), V("Spare"), V("000002"), V("Acme"), V("TX-1"), V("SN 42"),
                       V("6K00A3E"), V("000250"), V("0001.3")},
                      {V(7), V(0), V(""), V("000000"), V(""), V(""), V(""), V(""), V("000000"),
                       V("0000.0")}}));
  EXPECT_TRUE(fx.RejectedLines().empty());
}

TEST(TransmitterLoaderTest, RunsTwiceAndShowsEachStep) {
  LoaderFixture fx;
  fx.WriteDataSet("transmitter.dat", "1|2|A|^|\n2|2|B|^|\n");
  fx.ui().GetWindow("frmStatus").SetCaption("lblStepCurrent", " 33");
  fx.Run(LoaderNamed("PopulateTransmitterTable"), 34);
  fx.Run(LoaderNamed("PopulateTransmitterTable"), 40);
  EXPECT_EQ(fx.RowCount("DalkTransmitter"), 4);
  EXPECT_EQ(fx.ui().CaptionHistory("frmStatus", "lblStepCurrent"),
            (std::vector<std::string>{" 33", " 34", " 40"}));
  EXPECT_EQ(ProcessLog(fx), (std::vector<std::string>{"34|Populate Transmitter Table!|2",
                                                      "40|Populate Transmitter Table!|2"}));
}

TEST(TransmitterLoaderTest, FieldConversions) {
  ExpectFieldCases(LoaderNamed("PopulateTransmitterTable"), {"1", "2", "D"},
                   {
                       Stores(10, "1.26", "Tolerance", V("0001.3")),
                       Rejects(10, "-1", "Tolerance"),
                       Stores(9, "250", "Power", V("000250")),
                       Stores(9, "999999", "Power", V("999999")),
                       Rejects(9, "1000000", "Power"),
                       Rejects(4, "-5", "Quanity"),
                       Stores(6, "ABCDEFGHIJ", "Model", V("ABCDEFGHIJ")),
                       Rejects(6, "ABCDEFGHIJK", "Model"),
                       Stores(1, "", "TransmitterKey", V(0)),
                       Rejects(1, "1.5", "TransmitterKey"),
                   });
}

const std::vector<std::string> kAntennaFxFields = {
    "AntennaKey",     "SiteKey",         "AntennaId",      "Gain1",          "Gain2",
    "Frequency1",     "Frequency2",      "PolarizationCode", "FrequencyLower", "FrequencyUpper",
    "HeightMaxAmsl",  "HeightMaxAgl",    "Elevation",      "Manufacturer",   "Model",
    "Quantity",       "TowerId",         "Beamwidth",      "RotatableSw",    "TakeOffAngle",
    "SlewableSw",     "SlewAmt",         "TargetZone",     "AntennaTypeCode", "AntennaPattern",
    "SchematicSw",    "OperationDesc",   "TowerClearedSw"};

TEST(AntennaFxLoaderTest, StoresTheFirst28FieldsFieldByField) {
  LoaderFixture fx;
  EXPECT_EQ(Load(fx, LoaderNamed("PopulateAntennaFxTable"),
                 "1|2| A1 |45.67|-0| 11700.5 |12200|  H  |11700.50|12200.00|100|20.05|0|Acme|D-3|2|"
                 "T9|1.5|   Y   |5|N|-2.5|CONUS|7|AB|Y|  Fixed dish  |N|lost 29|lost 30|^|\n",
                 kAntennaFxFields, 3),
            Expected({{V(1), V(2), V("A1"), V("0045.7"), V("0000.0"), V("11700.5"), V("12200"),
                       V("H"), V("11700.50"), V("12200.00"), V("0100.0"), V("0020.1"), V("0000.0"),
                       V("Acme"), V("D-3"), V("000002"), V("T9"), V("0001.5"), V("Y"), V("0005.0"),
                       V("N"), V("0002.5"), V("CONUS"), V("07"), V("AB"), V("Y"), V("Fixed dish"),
                       V("N")}}));
  EXPECT_EQ(fx.ui().Caption("frmStatus", "lblStepCurrent"), " 3");
  EXPECT_EQ(ProcessLog(fx), std::vector<std::string>{"3|Populate Antenna FX Table!|1"});
  EXPECT_TRUE(fx.RejectedLines().empty());
}

TEST(AntennaFxLoaderTest, FieldConversions) {
  ExpectFieldCases(LoaderNamed("PopulateAntennaFxTable"), {"1", "2"},
                   {
                       Stores(22, "-2.5", "SlewAmt", V("0002.5")),
                       Stores(22, "0", "SlewAmt", V(" 000.0")),
                       Stores(22, "", "SlewAmt", V(" 000.0")),
                       Stores(24, "7", "AntennaTypeCode", V("07")),
                       Stores(24, "", "AntennaTypeCode", V("00")),
                       Rejects(24, "100", "AntennaTypeCode"),
                       Stores(11, "", "HeightMaxAmsl", V("0000.0")),
                       Rejects(11, "12345", "HeightMaxAmsl"),  // no cap in this data set
                       Rejects(12, "-1", "HeightMaxAgl"),
                       Stores(16, "", "Quantity", V("000000")),
                       Rejects(16, "1000000", "Quantity"),
                       Stores(6, "  11700.12345678901 ", "Frequency1", V("11700.12345678901")),
                       Rejects(6, "11700.123456789012", "Frequency1"),
                       Stores(27, "", "OperationDesc", V("")),
                   });
}

}  // namespace
}  // namespace morvane::testing
