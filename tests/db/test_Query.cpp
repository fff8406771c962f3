#include "DbTestSupport.h"

#include "tests/rtl/ErrorTesting.h"

namespace {

class QueryTest : public dbtest::DbTest {
protected:
  void SetUp() override {
    DbTest::SetUp();
    Data = MakeDir("data");
    CreateItems(Data);
    Query.SetDatabaseName(Data);
  }
  void TearDown() override {
    Query.Close();
    DbTest::TearDown();
  }
  String Data;
  TQuery Query{nullptr};
};

using QueryParams = QueryTest;

TEST_F(QueryParams, ValuesWithQuotesAndSemicolonsAreStoredAsTheyAre) {
  const String hostile = "x'); DROP TABLE Items; --";
  Query.SQL()->SetText("INSERT INTO Items (Name, Amount) VALUES (:Name, :amount)");
  ASSERT_EQ(Query.ParamCount(), 2);
  Query.ParamByName("name")->SetAsString(hostile.substr(0, 20));
  Query.ParamByName("Amount")->SetAsInteger(3);
  Query.ExecSQL();
  EXPECT_EQ(Query.RowsAffected(), 1);
  Query.SQL()->SetText("SELECT Name, Amount FROM Items WHERE Name = :Name");
  Query.ParamByName("Name")->SetAsString(hostile.substr(0, 20));
  Query.Open();
  ASSERT_EQ(Query.RecordCount(), 1);
  EXPECT_EQ(Query.FieldByName("Name")->AsString(), hostile.substr(0, 20));
  // Fields of a result keep the kinds declared for their table's columns.
  EXPECT_EQ(Query.FieldByName("Name")->DataType(), ftString);
  EXPECT_EQ(Query.FieldByName("Name")->Size(), 20);
  EXPECT_EQ(Query.FieldByName("Amount")->DataType(), ftSmallint);
  EXPECT_THROW(Query.Edit(), EDatabaseError); // a result is read-only
}

TEST_F(QueryParams, ParametersAreFoundOutsideQuotesAndComments) {
  Query.SQL()->SetText("SELECT ':notme' AS a, \":nor\" FROM Items -- :comment\n"
                       "WHERE Name = :who /* :block */ OR Name = :WHO");
  ASSERT_EQ(Query.ParamCount(), 1);
  EXPECT_EQ(Query.Params().Items(0)->Name(), "who");
  EXPECT_THROW(Query.ParamByName("comment"), EDatabaseError);
  // A value survives a change of the text that keeps the name.
  Query.ParamByName("who")->SetAsString("kept");
  Query.SQL()->SetText("SELECT * FROM Items WHERE Name = :Who");
  EXPECT_EQ(Query.ParamByName("WHO")->AsString(), "kept");
}

TEST_F(QueryParams, MissingValuesAndWrongStatementsRaise) {
  Query.SQL()->SetText("SELECT * FROM Items WHERE Name = :Name");
  ExpectError<EDatabaseError>([&] { Query.Open(); }, "No value for parameter 'Name'");
  EXPECT_FALSE(Query.Active());
  Query.SQL()->SetText("DELETE FROM Items");
  EXPECT_THROW(Query.Open(), EDatabaseError);
  Query.SQL()->SetText("SELECT * FROM Items WHERE ID = ?");
  EXPECT_THROW(Query.Open(), EDatabaseError);
  Query.SQL()->SetText("SELEKT nothing");
  EXPECT_THROW(Query.ExecSQL(), EDatabaseError);
}

TEST_F(QueryParams, ExecSQLRunsEveryStatementAndComputedColumnsGetKinds) {
  Query.SQL()->SetText("INSERT INTO Items (Name) VALUES (:a); INSERT INTO Items (Name) VALUES "
                       "(:b);");
  Query.ParamByName("a")->SetAsString("one");
  Query.ParamByName("b")->SetAsString("two");
  Query.ExecSQL();
  Query.SQL()->SetText("SELECT count(*) AS N, max(Name) || '!' AS Last, 0.5 AS Half FROM Items");
  Query.Open();
  EXPECT_EQ(Query.FieldByName("N")->DataType(), ftInteger);
  EXPECT_EQ(Query.FieldByName("N")->AsInteger(), 2);
  EXPECT_EQ(Query.FieldByName("Last")->AsString(), "two!");
  EXPECT_EQ(Query.FieldByName("Last")->Size(), 4);
  EXPECT_EQ(Query.FieldByName("Half")->AsFloat(), 0.5);
}

using LocalSqlStatements = QueryTest;

TEST_F(LocalSqlStatements, QuotedPathsNameDirectoryAndTableFile) {
  const String other = MakeDir("other");
  // A path with forward slashes, a ".db" extension and a quote in the field name.
  Exec(Data, "CREATE TABLE \"" + other + "/Odd.db\" (\"Na\"\"me\" CHAR(3), N INTEGER NOT NULL)");
  Exec(Data, "CREATE UNIQUE INDEX ByN ON \"" + other + "\\ODD\" (N)");
  TTable odd(nullptr);
  SetTable(odd, other, "odd");
  odd.Open();
  EXPECT_EQ(odd.Fields(0)->FieldName(), "Na\"me");
  odd.Insert();
  odd.FieldByName("N")->SetAsInteger(1);
  odd.Post();
  odd.Insert();
  odd.FieldByName("N")->SetAsInteger(1);
  EXPECT_THROW(odd.Post(), EDatabaseError); // the unique index
  odd.Cancel();
  odd.Close();
  Exec(Data, "DROP TABLE \"" + other + "\\Odd\"");
  EXPECT_FALSE(odd.Exists());
}

TEST_F(LocalSqlStatements, MistakesInQuotedStatementsRaiseWithoutCreatingAnything) {
  const String path = "\"" + Data + "\\Broken\"";
  EXPECT_THROW(Exec(Data, "CREATE TABLE " + path + " (A WIDGET)"), EDatabaseError);
  EXPECT_THROW(Exec(Data, "CREATE TABLE " + path + " (A CHAR)"), EDatabaseError);
  EXPECT_THROW(Exec(Data, "CREATE TABLE " + path + " (A INTEGER, PRIMARY KEY (B))"),
               EDatabaseError);
  EXPECT_THROW(Exec(Data, "CREATE TABLE " + path + " (A INTEGER, a SMALLINT)"), EDatabaseError);
  EXPECT_THROW(Exec(Data, "CREATE INDEX I ON " + path + " (A)"), EDatabaseError);
  EXPECT_THROW(Exec(Data, "CREATE TABLE \"" + Root + "/missing/T\" (A INTEGER)"), EDatabaseError);
  TTable broken(nullptr);
  SetTable(broken, Data, "Broken");
  EXPECT_FALSE(broken.Exists());
  // Plain SQLite text still works: it is not local SQL.
  Exec(Data, "CREATE TABLE Plain (A INTEGER PRIMARY KEY, B TEXT)");
  TTable plain(nullptr);
  SetTable(plain, Data, "plain");
  plain.Open();
  EXPECT_EQ(plain.FieldByName("B")->DataType(), ftMemo);
}

} // namespace
