// The definitions themselves: the rules every target table keeps and the
// tables whose layout is easy to get wrong.
#include "schema/ktb/ktb_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace morvane::schema {
namespace {

using db::FieldDef;
using db::FieldType;

const TableSpec& Find(const std::string& name) {
  for (const TableSpec& spec : KtbTables())
    if (spec.def.name == name) return spec;
  throw std::runtime_error("no table " + name);
}

int FieldPosition(const db::TableDef& table, const std::string& field) {
  for (std::size_t i = 0; i < table.fields.size(); ++i)
    if (table.fields[i].name == field) return static_cast<int>(i);
  return -1;
}

TEST(TargetTablesTest, EveryTableKeepsTheCommonRules) {
  ASSERT_EQ(KtbTables().size(), 31u);
  std::set<std::string> table_names;
  for (const TableSpec& spec : KtbTables()) {
    const db::TableDef& table = spec.def;
    SCOPED_TRACE(table.name);
    EXPECT_TRUE(table_names.insert(table.name).second) << "table defined twice";
    EXPECT_FALSE(spec.caption.empty());
    EXPECT_FALSE(table.fields.empty());
    EXPECT_FALSE(table.indexes.empty());

    std::set<std::string> field_names;
    for (const FieldDef& field : table.fields) {
      EXPECT_TRUE(field_names.insert(field.name).second) << field.name << " twice";
      if (field.type == FieldType::kText) {
        EXPECT_GE(field.size, 1) << field.name;
        EXPECT_LE(field.size, 255) << field.name;
      } else {
        EXPECT_EQ(field.size, 0) << field.name;
      }
    }
    for (const db::IndexDef& index : table.indexes) {
      EXPECT_EQ(index.name, "idx" + index.field);
      EXPECT_NE(table.FindField(index.field), nullptr) << index.name;
    }
  }
}

TEST(TargetTablesTest, FieldAndIndexCountsOfTheLargeTables) {
  struct Case {
    const char* table;
    std::size_t fields;
    std::size_t indexes;
  };
  for (const Case& c : {Case{"ProcessLog", 6, 1}, Case{"Lice", 19, 4}, Case{"Freq", 57, 6},
                        Case{"PathRecord", 27, 5}, Case{"SiteInfo", 27, 3},
                        Case{"AntMain", 15, 3}, Case{"AntPr", 14, 1}, Case{"SiteEsCoord", 16, 1},
                        Case{"SiteMk", 25, 3}, Case{"BrdcstIndex", 4, 4},
                        Case{"LiceEinKwd", 19, 3}, Case{"SiteTowerArray", 38, 2},
                        Case{"SiteTower", 24, 2}}) {
    SCOPED_TRACE(c.table);
    const db::TableDef& table = Find(c.table).def;
    EXPECT_EQ(table.fields.size(), c.fields);
    EXPECT_EQ(table.indexes.size(), c.indexes);
  }
}

TEST(TargetTablesTest, NamesAndCaptionsWithBlanks) {
  EXPECT_EQ(KtbTables()[9].def.name, "Units Counts Table");
  EXPECT_EQ(KtbTables()[9].caption, "Units Counts Table");
  EXPECT_EQ(KtbTables()[11].def.name, "AntMain");
  EXPECT_EQ(KtbTables()[11].caption, "Ant Main  Table");
  EXPECT_EQ(Find("AntPr").caption, "AntPr Table");
  EXPECT_EQ(Find("SiteEsCoord").caption, "Site ES Coord Table");
  EXPECT_EQ(Find("EquipTxRx").caption, "Tx/Rx Equipment Table");
  EXPECT_EQ(KtbTables().back().caption, "Community of License Table");
}

TEST(TargetTablesTest, FreqCIsTheOnlyDouble) {
  int doubles = 0;
  for (const TableSpec& spec : KtbTables())
    for (const FieldDef& field : spec.def.fields)
      if (field.type == FieldType::kDouble) {
        ++doubles;
        EXPECT_EQ(spec.def.name, "Freq");
        EXPECT_EQ(field.name, "FreqC");
      }
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(Find("Freq").def.indexes.front(), (db::IndexDef{"idxFreqC", "FreqC"}));
}

TEST(TargetTablesTest, FieldsThatDifferFromTheirNamesakes) {
  const db::TableDef& lice = Find("Lice").def;
  const int street2 = FieldPosition(lice, "LiceStreet2");
  const int street1 = FieldPosition(lice, "LiceStreet1");
  EXPECT_EQ(street2, 6);
  EXPECT_EQ(street1, 7);
  EXPECT_EQ(lice.fields[street2], (FieldDef{"LiceStreet2", FieldType::kText, 40}));
  EXPECT_EQ(lice.fields[street1], (FieldDef{"LiceStreet1", FieldType::kText, 60}));

  EXPECT_EQ(*Find("Lice").def.FindField("QalRegNum"), (FieldDef{"QalRegNum", FieldType::kLong, 0}));
  EXPECT_EQ(*Find("Freq").def.FindField("QalRegNum"),
            (FieldDef{"QalRegNum", FieldType::kText, 10}));
  EXPECT_EQ(Find("SiteEsCoord").def.fields[1], (FieldDef{"Seq", FieldType::kInteger, 0}));
  EXPECT_EQ(Find("SpcCndSite").def.fields[1], (FieldDef{"SpecCond", FieldType::kMemo, 0}));
  EXPECT_EQ(Find("FreqList").def.fields[1], (FieldDef{"Freq", FieldType::kText, 18}));
}

TEST(TargetTablesTest, TowerPairsRunFromOneToThirteen) {
  const db::TableDef& array = Find("SiteTowerArray").def;
  for (int pair = 1; pair <= 13; ++pair) {
    const std::string number = (pair < 10 ? "0" : "") + std::to_string(pair);
    const int position = 12 + 2 * (pair - 1);
    EXPECT_EQ(array.fields[position], (FieldDef{"SiteTower" + number, FieldType::kText, 20}));
    EXPECT_EQ(array.fields[position + 1],
              (FieldDef{"SiteTowerReg" + number, FieldType::kText, 10}));
  }
  const db::TableDef& tower = Find("SiteTower").def;
  EXPECT_EQ(tower.fields.front().name, "SiteTower");
  EXPECT_EQ(tower.indexes.front(), (db::IndexDef{"idxSiteTower", "SiteTower"}));
}

}  // namespace
}  // namespace morvane::schema
