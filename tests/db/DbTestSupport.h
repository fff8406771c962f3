#pragma once

#include "framework/db/Query.h"
#include "framework/db/Session.h"
#include "framework/db/Table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <unistd.h>

namespace dbtest {

// The message of the E that Action raises; a failure of the test when it raises none.
template <class E = EDatabaseError, class F> String ErrorMessageOf(F Action) {
  try {
    Action();
  } catch (const E& e) {
    return e.Message();
  }
  ADD_FAILURE() << "nothing raised";
  return "";
}

// Each test gets its own directory and its own alias file; the default session starts afresh.
class DbTest : public ::testing::Test {
protected:
  void SetUp() override {
    String pattern = (std::filesystem::temp_directory_path() / "lumdb-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    Root = pattern;
    AliasFileName = Root + "/config/aliases";
    setenv("LUMTOOLS_ALIASES", AliasFileName.c_str(), 1);
    Session->Close();
  }
  void TearDown() override {
    Session->Close();
    unsetenv("LUMTOOLS_ALIASES");
    std::filesystem::remove_all(Root);
  }

  String MakeDir(const String& AName) const {
    const String dir = Root + "/" + AName;
    std::filesystem::create_directories(dir);
    return dir;
  }
  static void SetTable(TTable& ATable, const String& ADatabase, const String& AName) {
    ATable.SetDatabaseName(ADatabase);
    ATable.SetTableName(AName);
  }
  void Exec(const String& ADatabase, const String& ASql) const {
    TQuery query(nullptr);
    query.SetDatabaseName(ADatabase);
    query.SQL()->SetText(ASql);
    query.ExecSQL();
  }
  // A table "Items" (ID AUTOINC key, Name CHAR(20), Amount SMALLINT) with an index on Name.
  void CreateItems(const String& ADatabase) const {
    Exec(ADatabase, "CREATE TABLE Items (ID AUTOINC, Name CHAR(20), Amount SMALLINT, "
                    "PRIMARY KEY (ID))");
    Exec(ADatabase, "CREATE INDEX ByName ON Items (Name)");
  }
  void AddItems(TTable& ATable, std::initializer_list<const char*> ANames) const {
    for (const char* name : ANames) {
      ATable.Append();
      ATable.FieldByName("Name")->SetAsString(name);
      ATable.Post();
    }
  }
  static std::vector<String> Column(TDataSet& ADataSet, const String& AField) {
    std::vector<String> values;
    for (ADataSet.First(); !ADataSet.Eof(); ADataSet.Next())
      values.push_back(ADataSet.FieldByName(AField)->AsString());
    return values;
  }
  static String ReadFile(const String& AFileName) {
    std::ifstream in(AFileName, std::ios::binary);
    return String(std::istreambuf_iterator<char>(in), {});
  }
  static void WriteFile(const String& AFileName, const String& AText) {
    std::ofstream(AFileName, std::ios::binary) << AText;
  }

  String Root;
  String AliasFileName;
};

} // namespace dbtest
