#include "DbTestSupport.h"

#include "framework/db/DatabaseFile.h"
#include "tests/rtl/ErrorTesting.h"

namespace {

class TableTest : public dbtest::DbTest {
protected:
  void SetUp() override {
    DbTest::SetUp();
    Data = MakeDir("data");
    CreateItems(Data);
    SetTable(Items, Data, "Items");
  }
  void TearDown() override {
    Items.Close();
    DbTest::TearDown();
  }
  String Data;
  TTable Items{nullptr};
};

using TableNavigation = TableTest;

TEST_F(TableNavigation, EofAndBofAtTheEnds) {
  Items.Open();
  EXPECT_TRUE(Items.Bof() && Items.Eof() && Items.IsEmpty());
  Items.Next();
  Items.Prior();
  EXPECT_TRUE(Items.Bof() && Items.Eof());
  EXPECT_TRUE(Items.FieldByName("Name")->IsNull());
  EXPECT_THROW(Items.Delete(), EDatabaseError);
  AddItems(Items, {"a", "b", "c"});
  Items.First();
  EXPECT_TRUE(Items.Bof());
  EXPECT_FALSE(Items.Eof());
  Items.Next();
  EXPECT_FALSE(Items.Bof());
  Items.Next();
  EXPECT_FALSE(Items.Eof());
  EXPECT_EQ(Items.RecNo(), 3);
  Items.Next();
  EXPECT_TRUE(Items.Eof());
  EXPECT_EQ(Items.FieldByName("Name")->AsString(), "c"); // stays on the last record
  Items.Prior();
  Items.Prior();
  Items.Prior();
  EXPECT_TRUE(Items.Bof());
  EXPECT_EQ(Items.FieldByName("Name")->AsString(), "a");
  Items.Last();
  EXPECT_TRUE(Items.Eof());
  EXPECT_EQ(Column(Items, "Name"), (std::vector<String>{"a", "b", "c"}));
}

TEST_F(TableNavigation, IndexNameChoosesTheOrderAndKeepsTheCurrentRecord) {
  Items.Open();
  AddItems(Items, {"pear", "apple", "fig"});
  EXPECT_EQ(Column(Items, "Name"), (std::vector<String>{"pear", "apple", "fig"}));
  Items.First();
  Items.Next(); // apple
  Items.SetIndexName("byname");
  EXPECT_EQ(Items.FieldByName("Name")->AsString(), "apple");
  EXPECT_EQ(Items.RecNo(), 1);
  EXPECT_EQ(Column(Items, "Name"), (std::vector<String>{"apple", "fig", "pear"}));
  Items.SetIndexFieldNames("Amount;Name");
  EXPECT_EQ(Items.IndexName(), "");
  Items.SetIndexName("");
  EXPECT_EQ(Column(Items, "ID"), (std::vector<String>{"1", "2", "3"}));
  EXPECT_THROW(Items.SetIndexName("NoSuchIndex"), EDatabaseError);
  Items.Close();
  Items.SetIndexName("NoSuchIndex");
  EXPECT_THROW(Items.Open(), EDatabaseError);
}

TEST_F(TableNavigation, FindKeyAndGotoNearestUseTheActiveIndex) {
  Items.SetIndexName("ByName");
  Items.Open();
  AddItems(Items, {"delta", "alpha", "charlie"});
  EXPECT_TRUE(Items.FindKey({Variant("charlie")}));
  EXPECT_EQ(Items.FieldByName("ID")->AsInteger(), 3);
  Items.FindNearest({Variant("b")});
  EXPECT_EQ(Items.FieldByName("Name")->AsString(), "charlie");
  Items.FindNearest({Variant("zulu")});
  EXPECT_EQ(Items.FieldByName("Name")->AsString(), "delta");
  EXPECT_THROW(Items.FindKey({Variant("a"), Variant("b")}), EDatabaseError);
  EXPECT_EQ(Items.State(), dsBrowse);
}

using TableEditing = TableTest;

TEST_F(TableEditing, ClosedDataSetAndBrowseModeRefuseWrites) {
  ExpectError<EDatabaseError>([&] { Items.Edit(); },
                              "Cannot perform this operation on a closed dataset");
  Items.Open();
  AddItems(Items, {"a"});
  ExpectError<EDatabaseError>([&] { Items.FieldByName("Name")->SetAsString("b"); },
                              "Dataset not in edit or insert mode");
  ExpectError<EDatabaseError>([&] { Items.FieldByName("Nope"); }, "Field 'Nope' not found");
  EXPECT_EQ(Items.FindField("nope"), nullptr);
  Items.Edit();
  EXPECT_THROW(Items.FieldByName("ID")->SetAsInteger(7), EDatabaseError); // AUTOINC
}

TEST_F(TableEditing, EditOnAnEmptyTableInserts) {
  Items.Open();
  Items.Edit();
  EXPECT_EQ(Items.State(), dsInsert);
  Items.FieldByName("Name")->SetAsString("first");
  Items.Post();
  EXPECT_EQ(Items.RecordCount(), 1);
}

TEST_F(TableEditing, KeyViolationKeepsTheRecordInInsertMode) {
  Exec(Data, "CREATE TABLE Pairs (A SMALLINT, B SMALLINT, T CHAR(10), PRIMARY KEY (A, B))");
  TTable pairs(nullptr);
  SetTable(pairs, Data, "PAIRS.DB");
  pairs.Open();
  const auto add = [&](int a, int b, const char* t) {
    pairs.Insert();
    pairs.FieldByName("A")->SetAsInteger(a);
    pairs.FieldByName("B")->SetAsInteger(b);
    pairs.FieldByName("T")->SetAsString(t);
    pairs.Post();
  };
  add(1, 1, "one");
  ExpectError<EDatabaseError>([&] { add(1, 1, "again"); }, "Key violation");
  EXPECT_EQ(pairs.State(), dsInsert);
  EXPECT_EQ(pairs.FieldByName("T")->AsString(), "again");
  pairs.FieldByName("B")->SetAsInteger(2);
  pairs.Post();
  EXPECT_EQ(pairs.RecordCount(), 2);
  // The same through Edit: the old values stay in the table.
  pairs.First();
  pairs.Edit();
  pairs.FieldByName("B")->SetAsInteger(2);
  EXPECT_THROW(pairs.Post(), EDatabaseError);
  EXPECT_EQ(pairs.State(), dsEdit);
  pairs.Cancel();
  EXPECT_EQ(pairs.FieldByName("B")->AsInteger(), 1);
  pairs.Refresh();
  EXPECT_EQ(Column(pairs, "B"), (std::vector<String>{"1", "2"}));
  pairs.Insert();
  pairs.FieldByName("A")->SetAsInteger(3);
  EXPECT_THROW(pairs.Post(), EDatabaseError); // B is part of the key
}

TEST_F(TableEditing, PostAndDeleteKeepTheCursorOnTheChangedRecord) {
  Items.SetIndexName("ByName");
  Items.Open();
  AddItems(Items, {"b", "d", "f"});
  Items.First();
  Items.Edit();
  Items.FieldByName("Name")->SetAsString("e");
  Items.Post();
  EXPECT_EQ(Items.FieldByName("Name")->AsString(), "e");
  EXPECT_EQ(Items.RecNo(), 2);
  Items.Delete(); // "e": the cursor goes to the next one
  EXPECT_EQ(Items.FieldByName("Name")->AsString(), "f");
  EXPECT_FALSE(Items.Eof());
  Items.Delete(); // the last: the cursor goes back
  EXPECT_EQ(Items.FieldByName("Name")->AsString(), "d");
  EXPECT_TRUE(Items.Eof());
  Items.Delete();
  EXPECT_TRUE(Items.IsEmpty() && Items.Bof() && Items.Eof());
  Items.Close();
  Items.Open();
  EXPECT_TRUE(Items.IsEmpty());
}

TEST_F(TableEditing, EventsRunInOrderAndBeforePostCanStopThePost) {
  std::vector<String> calls;
  const auto note = [&](const char* what) {
    return [this, &calls, what](TDataSet* d) {
      EXPECT_EQ(d, &Items);
      calls.push_back(what);
    };
  };
  Items.SetAfterOpen(note("AfterOpen"));
  Items.SetBeforePost(note("BeforePost"));
  Items.SetAfterPost(note("AfterPost"));
  Items.SetAfterScroll(note("AfterScroll"));
  Items.SetBeforeDelete(note("BeforeDelete"));
  Items.SetAfterClose(note("AfterClose"));
  Items.Open();
  AddItems(Items, {"a", "b"});
  Items.First();
  Items.Delete();
  Items.Close();
  EXPECT_EQ(calls, (std::vector<String>{"AfterOpen", "BeforePost", "AfterPost", "BeforePost",
                                        "AfterPost", "AfterScroll", "BeforeDelete", "AfterClose"}));

  Items.SetBeforePost([](TDataSet*) { throw EAbort("Operation aborted"); });
  Items.Open();
  Items.Append();
  Items.FieldByName("Name")->SetAsString("kept");
  EXPECT_THROW(Items.Post(), EAbort);
  EXPECT_EQ(Items.State(), dsInsert);
  EXPECT_EQ(Items.FieldByName("Name")->AsString(), "kept");
  Items.Cancel();
  EXPECT_EQ(Items.RecordCount(), 1);
  Items.SetAfterClose(nullptr);
}

TEST_F(TableEditing, TablesAreCreatedAndDeletedFromDefinitions) {
  TTable table(nullptr);
  SetTable(table, Data, "Made");
  EXPECT_FALSE(table.Exists());
  table.FieldDefs().Add("Code", ftInteger, 0, true);
  table.FieldDefs().Add("Note", ftMemo);
  table.IndexDefs().Add("", "Code", TIndexOptions{ixPrimary});
  table.IndexDefs().Add("ByNote", "Note", TIndexOptions{});
  table.CreateTable();
  EXPECT_TRUE(table.Exists());
  table.Open();
  EXPECT_EQ(table.FieldByName("Note")->DataType(), ftMemo);
  table.Insert();
  EXPECT_THROW(table.Post(), EDatabaseError); // Code must have a value
  table.Cancel();
  table.Close();
  table.DeleteTable();
  EXPECT_FALSE(table.Exists());
  EXPECT_THROW(table.Open(), EDatabaseError);
}

TEST_F(TableEditing, QueriesSeeWhatTablesPostedAndShareTheirTransaction) {
  Items.Open();
  Exec(Data, "BEGIN");
  AddItems(Items, {"x", "y"});
  Exec(Data, "ROLLBACK");
  Items.Refresh();
  EXPECT_TRUE(Items.IsEmpty());
}

} // namespace

// Another tool renamed a column, or an index list was edited by hand: the index names a
// field the table lacks, and using it is refused with a message naming both.
TEST_F(TableNavigation, IndexNamingAMissingFieldIsRefusedByName) {
  Items.Open();
  AddItems(Items, {"b", "a"});
  Items.Close();
  Session->Close();
  {
    TSqliteConnection raw(Data + "/" + TDatabaseFile::FileName);
    raw.Execute("ALTER TABLE Items RENAME COLUMN Name TO Title");
    raw.Execute("INSERT INTO lumtools_indexes VALUES ('Items', 'ByHand', 'Amount;Gone', 0)");
  }
  for (const char* index : {"ByName", "ByHand"}) {
    Items.SetIndexName(index);
    const String message = dbtest::ErrorMessageOf([&] { Items.Open(); });
    EXPECT_NE(message.find(String("'") + index + "'"), String::npos) << message;
    EXPECT_NE(message.find(index[2] == 'N' ? "'Name'" : "'Gone'"), String::npos) << message;
    EXPECT_FALSE(Items.Active());
  }
  Items.SetIndexName("");
  Items.Open();
  EXPECT_THROW(Items.SetIndexName("ByHand"), EDatabaseError);
  EXPECT_EQ(Items.IndexName(), "");
  EXPECT_EQ(Column(Items, "Title"), (std::vector<String>{"b", "a"}));
}
