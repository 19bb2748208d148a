#include "schema/staging/staging_tables.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace morvane::schema {
namespace {

using db::FieldType;

struct Expected {
  const char* table;
  const char* caption;
  std::size_t fields;
  std::size_t indexes;
};

// The staging tables as users and the loaders know them: creation order,
// the caption the form shows, and how many fields and indexes each has.
constexpr Expected kExpected[] = {
    {"DalkAddress", "Address Table", 14, 2},
    {"DalkAntenna", "Antenna Table", 19, 2},
    {"DalkAntennaCondition", "Antenna Condition Table", 3, 2},
    {"DalkAntennaFx", "Antenna FX Table", 28, 2},
    {"DalkAntennaGain", "Antenna Gain Table", 5, 2},
    {"DalkAntTypCod", "Antenna Type Code Table", 3, 1},
    {"DalkAzimuth", "Azimuth Table", 3, 2},
    {"DalkClassOfStationCode", "Class Of Station Code Table", 3, 1},
    {"DalkCondition", "Condition Table", 4, 1},
    {"DalkContact", "Contact Table", 13, 1},
    {"DalkEarthStationSta", "EarthStationSta Table", 15, 1},
    {"DalkForm312", "Form312 Table", 40, 1},
    {"DalkFrequencyCondition", "Frequency Condition Table", 3, 2},
    {"DalkFreqCoord", "Frequency Coordination Table", 15, 2},
    {"DalkFrequencyFx", "Frequency FX Table", 8, 2},
    {"DalkFrequency", "Frequency Table", 14, 2},
    {"DalkFx", "FX Table", 29, 1},
    {"DalkLicenseeHistory", "Licensee History Table", 7, 3},
    {"DalkLicenseCondition", "License Condition Table", 3, 2},
    {"DalkMain", "Main Table", 71, 4},
    {"DalkNatureOfService", "Nature Of Servie Table", 2, 2},
    {"DalkNatureOfServiceCode", "Nature Of Service Code Table", 4, 2},
    {"DalkPolarCode", "PolarizationCode Table", 3, 1},
    {"DalkPtComm", "PtComm Table", 3, 3},
    {"DalkPtCommFx", "PtCommFx Table", 4, 2},
    {"DalkPurpose", "Purpose Table", 2, 1},
    {"DalkSection214", "Section214 Table", 27, 1},
    {"DalkSiteCondition", "Site Condition Table", 3, 2},
    {"DalkSite", "Site Table", 31, 2},
    {"DalkSpaceStation", "SpaceStation Table", 7, 1},
    {"DalkSpaceStationSta", "SpaceStationSta Table", 4, 1},
    {"DalkStatusCode", "StatusCode Table", 4, 1},
    {"DalkTransmitter", "Transmitter Table", 10, 2},
    {"DalkFrequencyBand", "Frequency Band Table", 9, 3},
    {"DalkIntlAlocFrequency", "Intl Aloc Frequency Table", 3, 3},
    {"DalkFrequencySat", "Frequency Sat Table", 5, 4},
};

TEST(StagingTablesTest, OrderCaptionsAndCountsOfEveryTable) {
  const auto& tables = StagingTables();
  ASSERT_EQ(tables.size(), std::size(kExpected));
  for (std::size_t i = 0; i < tables.size(); ++i) {
    SCOPED_TRACE("position " + std::to_string(i + 1));
    EXPECT_EQ(tables[i].def.name, kExpected[i].table);
    EXPECT_EQ(tables[i].caption, kExpected[i].caption);
    EXPECT_EQ(tables[i].def.fields.size(), kExpected[i].fields);
    EXPECT_EQ(tables[i].def.indexes.size(), kExpected[i].indexes);
  }
}

TEST(StagingTablesTest, TotalsByType) {
  std::map<FieldType, int> by_type;
  std::size_t fields = 0, indexes = 0;
  for (const TableSpec& table : StagingTables()) {
    fields += table.def.fields.size();
    indexes += table.def.indexes.size();
    for (const auto& field : table.def.fields) ++by_type[field.type];
  }
  EXPECT_EQ(fields, 421u);
  EXPECT_EQ(indexes, 67u);
  EXPECT_EQ(by_type[FieldType::kText], 321);
  EXPECT_EQ(by_type[FieldType::kMemo], 32);
  EXPECT_EQ(by_type[FieldType::kLong], 60);
  EXPECT_EQ(by_type[FieldType::kInteger], 5);
  EXPECT_EQ(by_type[FieldType::kSingle], 3);
  EXPECT_EQ(by_type[FieldType::kDouble], 0);
}

// Every definition must be one the database layer accepts and the loaders
// can rely on: unique names, sized Text fields, indexes on fields that exist,
// spelled as the field is.
TEST(StagingTablesTest, DefinitionsAreWellFormed) {
  for (const TableSpec& table : StagingTables()) {
    SCOPED_TRACE(table.def.name);
    for (std::size_t i = 0; i < table.def.fields.size(); ++i) {
      const auto& field = table.def.fields[i];
      EXPECT_EQ(table.def.FindField(field.name), &field) << field.name << " occurs twice";
      if (field.type == FieldType::kText) {
        EXPECT_GE(field.size, 1) << field.name;
        EXPECT_LE(field.size, 80) << field.name;
      } else {
        EXPECT_EQ(field.size, 0) << field.name;
      }
    }
    for (const auto& index : table.def.indexes) {
      const auto* field = table.def.FindField(index.field);
      ASSERT_NE(field, nullptr) << index.name;
      EXPECT_EQ(field->name, index.field) << index.name;
      EXPECT_EQ(table.def.FindIndex(index.name), &index) << index.name << " occurs twice";
    }
    EXPECT_EQ(FindStagingTable(table.def.name), &table);
  }
}

// Every index is "idx" and its field's name, but for the few that have
// always been named otherwise.
TEST(StagingTablesTest, IndexNamesFollowTheirFieldsWithTheKnownExceptions) {
  const std::map<std::string, std::string> exceptions = {
      {"DalkAntennaCondition.idxConditionKey", "ConditionCode"},
      {"DalkFrequencyCondition.idxConditionKey", "ConditionCode"},
      {"DalkLicenseCondition.idxConditionKey", "ConditionCode"},
      {"DalkSiteCondition.idxConditionKey", "ConditionCode"},
      {"DalkPtComm.idxPtcommKey", "PtCommKey"},
  };
  std::size_t seen = 0;
  for (const TableSpec& table : StagingTables()) {
    for (const auto& index : table.def.indexes) {
      auto it = exceptions.find(table.def.name + "." + index.name);
      if (it != exceptions.end()) {
        ++seen;
        EXPECT_EQ(index.field, it->second) << it->first;
      } else {
        EXPECT_EQ(index.name, "idx" + index.field) << table.def.name;
      }
    }
  }
  EXPECT_EQ(seen, exceptions.size());
}

TEST(StagingTablesTest, FieldsThatOthersRelyOn) {
  struct Case {
    const char* table;
    std::size_t position;  // 1-based
    const char* field;
    FieldType type;
    int size;
  };
  const Case cases[] = {
      {"DalkForm312", 31, "DateLaunched", FieldType::kText, 8},
      {"DalkForm312", 32, "CallsignReplaced", FieldType::kText, 10},
      {"DalkCondition", 2, "Subsystemcode", FieldType::kText, 3},
      {"DalkContact", 12, "Constraint", FieldType::kText, 20},
      {"DalkContact", 13, "Kwd", FieldType::kText, 10},
      {"DalkSiteCondition", 2, "ConditionCode", FieldType::kLong, 0},
      {"DalkSiteCondition", 3, "SiteKey", FieldType::kLong, 0},
      {"DalkTransmitter", 4, "Quanity", FieldType::kText, 6},
      {"DalkSite", 30, "TowerSiteKey", FieldType::kText, 20},
      {"DalkSite", 31, "TowerFlag", FieldType::kText, 1},
      {"DalkMain", 19, "DateLastUpdate", FieldType::kText, 18},
      {"DalkAzimuth", 3, "Azimuth", FieldType::kSingle, 0},
      {"DalkFx", 20, "AssociationNoAlienMembers", FieldType::kInteger, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.table) + "." + c.field);
    const TableSpec* table = FindStagingTable(c.table);
    ASSERT_NE(table, nullptr);
    ASSERT_GE(table->def.fields.size(), c.position);
    const auto& field = table->def.fields[c.position - 1];
    EXPECT_EQ(field.name, c.field);
    EXPECT_EQ(field.type, c.type);
    EXPECT_EQ(field.size, c.size);
  }
  // Loaders address the condition's subsystem as SubsystemCode.
  EXPECT_NE(FindStagingTable("DalkCondition")->def.FindField("SubsystemCode"), nullptr);
}

TEST(StagingTablesTest, FindIgnoresCaseAndRefusesStrangers) {
  ASSERT_NE(FindStagingTable("dalkmain"), nullptr);
  EXPECT_EQ(FindStagingTable("dalkmain")->def.name, "DalkMain");
  EXPECT_EQ(FindStagingTable("DalkNoSuchTable"), nullptr);
  EXPECT_EQ(FindStagingTable(""), nullptr);
  EXPECT_EQ(FindStagingTable("Main"), nullptr);
}

}  // namespace
}  // namespace morvane::schema
