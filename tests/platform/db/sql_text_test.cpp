#include "platform/db/internal/sql_text.h"

#include <gtest/gtest.h>

namespace morvane::db::internal {
namespace {

TEST(SqlTextTest, QuotesEveryNameAndDoublesQuotes) {
  EXPECT_EQ(QuoteName("Group"), "\"Group\"");
  EXPECT_EQ(QuoteName("Units Counts Table"), "\"Units Counts Table\"");
  EXPECT_EQ(QuoteName("a\"b"), "\"a\"\"b\"");
}

struct DeclaredCase {
  std::string declared;
  FieldType type;
  int size;
};

class DeclaredTypeTest : public ::testing::TestWithParam<DeclaredCase> {};

TEST_P(DeclaredTypeTest, MapsToFieldType) {
  const DeclaredCase& c = GetParam();
  const TypeAndSize t = ParseDeclaredType(c.declared);
  EXPECT_EQ(t.type, c.type) << c.declared;
  EXPECT_EQ(t.size, c.size) << c.declared;
}

INSTANTIATE_TEST_SUITE_P(
    Declarations, DeclaredTypeTest,
    ::testing::Values(
        // What the layer writes reads back as itself.
        DeclaredCase{"TEXT(20)", FieldType::kText, 20}, DeclaredCase{"text ( 7 )", FieldType::kText, 7},
        DeclaredCase{"LONGTEXT", FieldType::kMemo, 0}, DeclaredCase{"SMALLINT", FieldType::kInteger, 0},
        DeclaredCase{"INTEGER", FieldType::kLong, 0}, DeclaredCase{"FLOAT", FieldType::kSingle, 0},
        DeclaredCase{"DOUBLE", FieldType::kDouble, 0},
        // A user's sized text.
        DeclaredCase{"VARCHAR(20)", FieldType::kText, 20}, DeclaredCase{"varchar ( 255 )", FieldType::kText, 255},
        // Everything else by SQLite's affinity rules.
        DeclaredCase{"TEXT(0)", FieldType::kMemo, 0}, DeclaredCase{"TEXT(256)", FieldType::kMemo, 0},
        DeclaredCase{"INT", FieldType::kLong, 0}, DeclaredCase{"BIGINT", FieldType::kLong, 0},
        DeclaredCase{"VARCHAR(0)", FieldType::kMemo, 0}, DeclaredCase{"TEXT", FieldType::kMemo, 0},
        DeclaredCase{"CLOB", FieldType::kMemo, 0}, DeclaredCase{"BLOB", FieldType::kMemo, 0},
        DeclaredCase{"", FieldType::kMemo, 0}, DeclaredCase{"REAL", FieldType::kDouble, 0},
        DeclaredCase{"DOUBLE PRECISION", FieldType::kDouble, 0},
        DeclaredCase{"FLOAT(8)", FieldType::kDouble, 0}, DeclaredCase{"NUMERIC", FieldType::kMemo, 0},
        DeclaredCase{"DECIMAL(10,2)", FieldType::kMemo, 0}));

TEST(SqlTextTest, ColumnDeclarationsGiveTheRightAffinityAndCollation) {
  EXPECT_EQ(ColumnDeclaration({"A", FieldType::kText, 20}), "TEXT(20) COLLATE NOCASE");
  EXPECT_EQ(ColumnDeclaration({"A", FieldType::kMemo, 0}), "LONGTEXT COLLATE NOCASE");
  EXPECT_EQ(ColumnDeclaration({"A", FieldType::kInteger, 0}), "SMALLINT");
  EXPECT_EQ(ColumnDeclaration({"A", FieldType::kLong, 0}), "INTEGER");
  EXPECT_EQ(ColumnDeclaration({"A", FieldType::kSingle, 0}), "FLOAT");
  EXPECT_EQ(ColumnDeclaration({"A", FieldType::kDouble, 0}), "DOUBLE");
}

TEST(SqlTextTest, IndexNamesBelongToTheirTable) {
  EXPECT_EQ(PhysicalIndexName("DalkMain", "idxFilingKey"), "DalkMain.idxFilingKey");
  EXPECT_EQ(LogicalIndexName("DalkMain", "DalkMain.idxFilingKey"), "idxFilingKey");
  EXPECT_EQ(LogicalIndexName("DalkMain", "dalkmain.idxFilingKey"), "idxFilingKey");
  EXPECT_EQ(LogicalIndexName("DalkMain", "idxFilingKey"), "idxFilingKey");
  EXPECT_EQ(LogicalIndexName("DalkMain", "DalkSite.idxFilingKey"), "DalkSite.idxFilingKey");
  EXPECT_EQ(LogicalIndexName("A.B", "A.B.idx"), "idx");
}

}  // namespace
}  // namespace morvane::db::internal
