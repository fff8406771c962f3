#pragma once

#include "framework/classes/Component.h"
#include "framework/db/AliasFile.h"
#include "framework/db/DatabaseFile.h"

#include <map>
#include <memory>
#include <optional>

class TStrings;

// The aliases of the data access layer and the databases opened through them. An alias
// names a directory; each directory holds one database file. The alias configuration file
// (AliasFile::DefaultFileName) is read when aliases are first needed.
class TSession : public TComponent {
  LUM_CLASS(TSession, TComponent)
public:
  explicit TSession(TComponent* AOwner);
  ~TSession() override;

  // Sorted, letter case ignored; the list is cleared first.
  void GetAliasNames(TStrings* AList);
  void GetDatabaseNames(TStrings* AList);
  void GetTableNames(const String& ADatabaseName, TStrings* AList);
  // The path may use backslashes as separators; it is kept absolute. Drivers "STANDARD" and
  // "PARADOX" (letter case ignored, empty means STANDARD) are the
  // table-directory driver; others raise EDatabaseError, as do an existing name and names or
  // paths that the configuration file cannot hold.
  void AddStandardAlias(const String& AName, const String& APath, const String& ADefaultDriver);
  void DeleteAlias(const String& AName);
  bool IsAlias(const String& AName);
  // "PATH=..." and the alias's other parameters; EDatabaseError for an unknown alias.
  void GetAliasParams(const String& AName, TStrings* AList);
  String GetAliasDriverName(const String& AName);
  // Writes every alias to the configuration file, replacing it whole.
  void SaveConfigFile();
  String ConfigFileName() const;

  // The directory a database name stands for: an alias's path, an existing directory, or
  // for an empty name the current directory. EDatabaseError otherwise.
  String DatabaseDirectory(const String& ADatabaseName);
  // The open database of a directory or database name (opened on first use, then shared).
  std::shared_ptr<TDatabaseFile> OpenDatabase(const String& ADatabaseName);
  std::shared_ptr<TDatabaseFile> OpenDirectory(const String& ADirectory);

  // Forgets the open databases and the aliases; the next use reads the configuration again.
  void Close();
  bool Active() const { return FLoaded; }

private:
  void LoadAliases();
  TAliasEntry* FindAlias(const String& AName);

  bool FLoaded = false;
  String FConfigFileName;
  std::vector<TAliasEntry> FAliases;
  std::map<String, std::shared_ptr<TDatabaseFile>> FDatabases; // by canonical directory
};

// The default session: `Session->AddStandardAlias(...)`.
TSession* DefaultSession();
inline constexpr struct TSessionAccess {
  TSession* operator->() const { return DefaultSession(); }
  operator TSession*() const { return DefaultSession(); }
} Session{};
