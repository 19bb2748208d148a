// Compaction: a copy with every row in its order, every field and index.
#include "platform/db/compact.h"

#include <sys/stat.h>

#include <fstream>

#include "db_test_support.h"

namespace morvane::db::testing {
namespace {

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class CompactTest : public DbTest {
 protected:
  // 3,000 rows, edited, with a third deleted so that row ids have gaps;
  // keys in an order unlike the stored one. A spare table emptied leaves
  // free pages, which make the file worth compacting.
  void SetUp() override {
    DbTest::SetUp();
    db_.AppendTable({"Group", {{"Constraint", FieldType::kText, 5}}, {{"idxConstraint", "Constraint"}}});
    TableRecordset rs = db_.OpenTable("Sample");
    for (int i = 0; i < 3000; ++i) {
      ws_.BeginTrans();
      rs.AddNew();
      rs.Set("Number", (i * 7919) % 3000);
      rs.Set("Key", (i % 2 ? "k" : "K") + std::to_string(i % 50));
      rs.Set("Note", std::string(200, 'x'));
      rs.Update();
      ws_.CommitTrans();
    }
    db_.Execute("DELETE FROM Sample WHERE Number % 3 = 0");
    db_.Execute("UPDATE Sample SET Note = NULL WHERE Number % 5 = 0");
    db_.AppendTable({"Spare", {{"Note", FieldType::kMemo, 0}}, {}});
    db_.Execute("INSERT INTO Spare (Note) SELECT Note FROM Sample");
    db_.Execute("DELETE FROM Spare");
    expected_ = StoredNumbers(db_);
    tables_ = db_.TableDefs();
    ws_.Close();
  }

  static std::vector<std::int64_t> StoredNumbers(Database& db) {
    TableRecordset rs = db.OpenTable("Sample");
    std::vector<std::int64_t> numbers;
    for (; !rs.Eof(); rs.MoveNext()) numbers.push_back(rs.Get("Number").AsInteger());
    return numbers;
  }

  void ExpectSameDatabase(const std::filesystem::path& p) {
    Workspace ws;
    Database db = ws.OpenDatabase(p);
    EXPECT_EQ(db.TableDefs(), tables_);
    EXPECT_EQ(StoredNumbers(db), expected_);
    // Indexes and their letter-case rule survive.
    TableRecordset rs = db.OpenTable("Sample");
    rs.SetIndex("idxKey");
    rs.Seek("=", "k7");
    ASSERT_FALSE(rs.NoMatch());
    EXPECT_EQ(rs.Get("Key").AsText(), "k7");
    std::int64_t same = 0;
    for (; !rs.Eof() && text_equal(rs.Get("Key").AsText(), "k7"); rs.MoveNext()) ++same;
    EXPECT_EQ(same, 40);
  }

  static bool text_equal(const std::string& a, const std::string& b) { return NamesEqual(a, b); }

  std::vector<std::int64_t> expected_;
  std::vector<TableDef> tables_;
};

TEST_F(CompactTest, CopyKeepsRowsInStoredOrderFieldsAndIndexes) {
  ASSERT_EQ(expected_.size(), 2000u);
  const auto before = std::filesystem::file_size(path_);
  CompactDatabase(path_, folder_ / "copy.mdb", ";LANGID=0x0409;CP=1252;COUNTRY=0");
  EXPECT_LT(std::filesystem::file_size(folder_ / "copy.mdb"), before);
  ExpectSameDatabase(folder_ / "copy.mdb");
  ExpectSameDatabase(path_);
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"copy.mdb", "test.mdb"}));
}

TEST_F(CompactTest, CopyRefusesAnExistingDestinationAnOpenSourceOrAMissingOne) {
  std::ofstream(folder_ / "taken.mdb") << "keep";
  EXPECT_THROW(CompactDatabase(path_, folder_ / "taken.mdb"), Error);
  EXPECT_EQ(ReadFile(folder_ / "taken.mdb"), "keep");
  EXPECT_THROW(CompactDatabase(path_, path_), Error);
  EXPECT_THROW(CompactDatabase(folder_ / "missing.mdb", folder_ / "copy.mdb"), Error);
  {
    Workspace ws;
    Database open = ws.OpenDatabase(path_);
    EXPECT_THROW(CompactDatabase(path_, folder_ / "copy.mdb"), Error);
  }
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"taken.mdb", "test.mdb"}));
}

// The copy keeps the file's own permissions, not its folder's.
TEST_F(CompactTest, InPlaceReplacesTheFileAndLeavesNoTemporary) {
  const auto kOwnerWriteGroupRead = std::filesystem::perms(0640);
  std::filesystem::permissions(path_, kOwnerWriteGroupRead);
  CompactInPlace(path_, "DalkTemp.mdb", ";LANGID=0x0409;CP=1252;COUNTRY=0");
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"test.mdb"}));
  EXPECT_EQ(std::filesystem::status(path_).permissions(), kOwnerWriteGroupRead);
  ExpectSameDatabase(path_);
  // Twice in a row, as a run does.
  CompactInPlace(path_, "DalkTemp.mdb");
  ExpectSameDatabase(path_);
}

// The file as the file system knows it: a rewrite gives a new inode.
struct FileState {
  ino_t inode;
  std::filesystem::file_time_type written;
  std::string bytes;
  bool operator==(const FileState&) const = default;
};

FileState StateOf(const std::filesystem::path& p) {
  struct stat st {};
  EXPECT_EQ(::stat(p.c_str(), &st), 0);
  return {st.st_ino, std::filesystem::last_write_time(p), ReadFile(p)};
}

TEST_F(CompactTest, InPlaceRewritesOnlyAFileWithFreePagesOrBytesBeyondItsLastPage) {
  const auto before = std::filesystem::file_size(path_);
  EXPECT_TRUE(CompactInPlace(path_, "DalkTemp.mdb"));  // rows were deleted
  EXPECT_LT(std::filesystem::file_size(path_), before);

  const FileState compact = StateOf(path_);
  int calls = 0;
  EXPECT_FALSE(CompactInPlace(path_, "DalkTemp.mdb", {}, [&calls] { return ++calls > 0; }));
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(StateOf(path_) == compact) << "an already compact file was rewritten";
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"test.mdb"}));
  ExpectSameDatabase(path_);

  std::ofstream(path_, std::ios::binary | std::ios::app) << std::string(5000, '\0');
  EXPECT_TRUE(CompactInPlace(path_, "DalkTemp.mdb"));
  EXPECT_EQ(ReadFile(path_).size(), compact.bytes.size());
  ExpectSameDatabase(path_);
}

TEST_F(CompactTest, InPlaceFailureLeavesTheOriginalUntouched) {
  const std::string original = ReadFile(path_);
  // The temporary's name is a plain name: it is made in the database's folder.
  EXPECT_THROW(CompactInPlace(path_, path_.string()), Error);
  EXPECT_THROW(CompactInPlace(path_, "missing/DalkTemp.mdb"), Error);
  EXPECT_THROW(CompactInPlace(path_, ""), Error);
  // A database that is still open.
  {
    Workspace ws;
    Database open = ws.OpenDatabase(path_);
    EXPECT_THROW(CompactInPlace(path_, "DalkTemp.mdb"), Error);
  }
  EXPECT_EQ(ReadFile(path_), original);
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"test.mdb"}));

  // A file that is not a database: refused, kept, no temporary left.
  const std::string text = std::string(5000, 'x');
  std::ofstream(folder_ / "text.mdb") << text;
  EXPECT_THROW(CompactInPlace(folder_ / "text.mdb", "DalkTemp.mdb"), Error);
  EXPECT_EQ(ReadFile(folder_ / "text.mdb"), text);
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"test.mdb", "text.mdb"}));
}

// Two runs compacting two outputs in one folder at the same time: each
// works in a temporary file of its own, and a file of the user's that bears
// the temporary's name is never touched.
TEST_F(CompactTest, CompactionsSideBySideInOneFolderKeepTheirOwnFiles) {
  std::filesystem::copy_file(path_, folder_ / "other.mdb");
  {
    Workspace ws;
    Database other = ws.OpenDatabase(folder_ / "other.mdb");
    other.AppendTable({"OnlyInOther", {{"Note", FieldType::kText, 5}}, {}});
  }
  std::ofstream(folder_ / "DalkTemp.mdb") << "the user's own file";
  bool other_compacted = false;
  EXPECT_TRUE(CompactInPlace(path_, "DalkTemp.mdb", {}, [&] {
    if (!other_compacted) {
      other_compacted = true;
      EXPECT_TRUE(CompactInPlace(folder_ / "other.mdb", "DalkTemp.mdb"));
    }
    return true;
  }));
  ASSERT_TRUE(other_compacted);
  ExpectSameDatabase(path_);
  Workspace ws;
  EXPECT_TRUE(ws.OpenDatabase(folder_ / "other.mdb").FindTable("OnlyInOther").has_value());
  EXPECT_EQ(ReadFile(folder_ / "DalkTemp.mdb"), "the user's own file");
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"DalkTemp.mdb", "other.mdb", "test.mdb"}));
}

TEST_F(CompactTest, TheCallerIsCalledBackAndCanCancel) {
  int calls = 0;
  CompactInPlace(path_, "DalkTemp.mdb", {}, [&calls] {
    ++calls;
    return true;
  });
  EXPECT_GT(calls, 0);
  ExpectSameDatabase(path_);

  const std::string original = ReadFile(path_);
  EXPECT_THROW(CompactInPlace(path_, "DalkTemp.mdb", {}, [] { return false; }), Error);
  EXPECT_EQ(ReadFile(path_), original);
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"test.mdb"}));
}

}  // namespace
}  // namespace morvane::db::testing
