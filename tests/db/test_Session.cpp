#include "DbTestSupport.h"

#include "framework/classes/StringList.h"
#include "tests/rtl/ErrorTesting.h"

namespace {

using dbtest::DbTest;

using SessionAliases = DbTest;

TEST_F(SessionAliases, SavedAliasesComeBackSortedInAFreshSession) {
  const String data = MakeDir("data"), other = MakeDir("other");
  {
    TSession session(nullptr);
    session.AddStandardAlias("zeta", data, "STANDARD");
    session.AddStandardAlias("Alpha", other, "paradox");
    session.AddStandardAlias("beta", data, "");
    session.SaveConfigFile();
    EXPECT_EQ(session.ConfigFileName(), AliasFileName);
  }
  TSession fresh(nullptr);
  TStringList names;
  names.Add("stale");
  fresh.GetAliasNames(&names);
  EXPECT_EQ(names.CommaText(), "Alpha,beta,zeta");
  fresh.GetDatabaseNames(&names);
  EXPECT_EQ(names.Count(), 3);
  EXPECT_TRUE(fresh.IsAlias("ALPHA"));
  EXPECT_FALSE(fresh.IsAlias("gamma"));
  fresh.GetAliasParams("Zeta", &names);
  ASSERT_EQ(names.Count(), 1);
  EXPECT_EQ(names.Strings(0), "PATH=" + data);
  EXPECT_EQ(fresh.DatabaseDirectory("alpha"), other);
  fresh.DeleteAlias("beta");
  fresh.SaveConfigFile();
  TSession third(nullptr);
  third.GetAliasNames(&names);
  EXPECT_EQ(names.CommaText(), "Alpha,zeta");
}

TEST_F(SessionAliases, RejectsOtherDriversDuplicatesAndUnwritableNames) {
  const String data = MakeDir("data");
  EXPECT_THROW(Session->AddStandardAlias("db", data, "DBASE"), EDatabaseError);
  Session->AddStandardAlias("db", data, "PARADOX");
  EXPECT_THROW(Session->AddStandardAlias("DB", data, "PARADOX"), EDatabaseError);
  EXPECT_THROW(Session->AddStandardAlias("a]b", data, "PARADOX"), EDatabaseError);
  EXPECT_THROW(Session->AddStandardAlias("x", data + "\nPATH=/etc", "PARADOX"), EDatabaseError);
  TStringList names;
  Session->GetAliasNames(&names);
  EXPECT_EQ(names.CommaText(), "db");
}

TEST_F(SessionAliases, DamagedConfigurationFileRaisesAndStaysAsItWas) {
  std::filesystem::create_directories(Root + "/config");
  const char* const damaged[] = {"[LumLingua]\nPATH=/tmp\nthis is no setting\n", "PATH=/tmp\n",
                                 "[NoPath]\nDRIVER=PARADOX\n",
                                 "[Twice]\nPATH=/a\n[twice]\nPATH=/b\n", "[open\nPATH=/a\n"};
  for (const char* text : damaged) {
    WriteFile(AliasFileName, text);
    Session->Close();
    SCOPED_TRACE(text);
    TStringList names;
    const String message = dbtest::ErrorMessageOf([&] { Session->GetAliasNames(&names); });
    EXPECT_NE(message.find(AliasFileName), String::npos) << message;
    EXPECT_NE(message.find("line"), String::npos) << message;
    EXPECT_THROW(Session->SaveConfigFile(), EDatabaseError);
    EXPECT_EQ(ReadFile(AliasFileName), text);
  }
}

TEST_F(SessionAliases, ConfigurationFileDefaultsToTheUsersConfigDirectory) {
  EXPECT_EQ(AliasFile::DefaultFileName(), AliasFileName);
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const String savedXdg = xdg ? xdg : "";
  unsetenv("LUMTOOLS_ALIASES");
  setenv("XDG_CONFIG_HOME", Root.c_str(), 1);
  EXPECT_EQ(AliasFile::DefaultFileName(), Root + "/lumtools/aliases");
  unsetenv("XDG_CONFIG_HOME");
  if (const char* home = std::getenv("HOME")) {
    EXPECT_EQ(AliasFile::DefaultFileName(), String(home) + "/.config/lumtools/aliases");
  }
  if (xdg) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
}

TEST_F(SessionAliases, CommentsBlankLinesAndCarriageReturnsAreAccepted) {
  std::filesystem::create_directories(Root + "/config");
  const String data = MakeDir("data");
  WriteFile(AliasFileName, "# aliases\r\n\r\n; another comment\r\n[Data]\r\nDRIVER=PARADOX\r\n"
                           "PATH=" +
                               data + "\r\n");
  EXPECT_EQ(Session->DatabaseDirectory("data"), data);
  EXPECT_EQ(Session->GetAliasDriverName("Data"), "PARADOX");
}

TEST_F(SessionAliases, DatabaseNamesResolveToAliasesThenDirectories) {
  const String data = MakeDir("data");
  CreateItems(data); // a directory is a database without an alias
  Session->AddStandardAlias("Store", data, "STANDARD");
  TTable table(nullptr);
  SetTable(table, "Store", "items");
  table.Open();
  EXPECT_EQ(table.FieldCount(), 3);
  TStringList tables;
  Session->GetTableNames("Store", &tables);
  EXPECT_EQ(tables.CommaText(), "Items");
  ExpectErrorContaining<EDatabaseError>([&] { Session->OpenDatabase("NoSuchAlias"); },
                                        "NoSuchAlias");
}

TEST_F(SessionAliases, DamagedDatabaseFileRaisesAndIsNotOverwritten) {
  const String data = MakeDir("data");
  const String file = data + "/lumtools.sqlite";
  const String garbage(4096, 'x');
  WriteFile(file, garbage);
  TTable table(nullptr);
  SetTable(table, data, "Items");
  ExpectErrorContaining<EDatabaseError>([&] { table.Open(); }, file);
  EXPECT_THROW(CreateItems(data), EDatabaseError);
  EXPECT_EQ(ReadFile(file), garbage);
}

} // namespace

TEST_F(SessionAliases, ConfigurationFileThatIsADirectoryRaisesNamingIt) {
  std::filesystem::create_directories(AliasFileName);
  TStringList names;
  ExpectErrorContaining<EDatabaseError>([&] { Session->GetAliasNames(&names); }, AliasFileName);
  EXPECT_THROW(Session->SaveConfigFile(), EDatabaseError);
  EXPECT_TRUE(std::filesystem::is_directory(AliasFileName));
}
