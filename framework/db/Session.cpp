#include "framework/db/Session.h"

#include "framework/classes/StringList.h"
#include "framework/db/LocalSql.h"
#include "framework/rtl/Strings.h"

#include <algorithm>
#include <filesystem>

namespace {

bool IsDirectoryDriver(const String& ADriver) {
  return ADriver.empty() || SameText(ADriver, "STANDARD") || SameText(ADriver, "PARADOX");
}

void FillSorted(TStrings* AList, std::vector<String> ANames) {
  std::sort(ANames.begin(), ANames.end(),
            [](const String& a, const String& b) { return CompareText(a, b) < 0; });
  AList->BeginUpdate();
  try {
    AList->Clear();
    for (const String& n : ANames) AList->Add(n);
  } catch (...) {
    AList->EndUpdate();
    throw;
  }
  AList->EndUpdate();
}

String CanonicalDirectory(const String& ADirectory) {
  std::error_code error;
  const auto canonical = std::filesystem::weakly_canonical(ADirectory, error);
  return error ? ADirectory : canonical.string();
}

} // namespace

TSession::TSession(TComponent* AOwner) : TComponent(AOwner) {}

TSession::~TSession() = default;

void TSession::LoadAliases() {
  if (FLoaded) return;
  FConfigFileName = AliasFile::DefaultFileName();
  FAliases = AliasFile::Read(FConfigFileName);
  FLoaded = true;
}

TAliasEntry* TSession::FindAlias(const String& AName) {
  LoadAliases();
  for (TAliasEntry& e : FAliases)
    if (SameText(e.Name, AName)) return &e;
  return nullptr;
}

void TSession::GetAliasNames(TStrings* AList) {
  LoadAliases();
  std::vector<String> names;
  for (const TAliasEntry& e : FAliases) names.push_back(e.Name);
  FillSorted(AList, std::move(names));
}

void TSession::GetDatabaseNames(TStrings* AList) { GetAliasNames(AList); }

void TSession::GetTableNames(const String& ADatabaseName, TStrings* AList) {
  FillSorted(AList, OpenDatabase(ADatabaseName)->TableNames());
}

void TSession::AddStandardAlias(const String& AName, const String& APath,
                                const String& ADefaultDriver) {
  if (!AliasFile::IsValidName(AName)) throw EDatabaseError("Invalid alias name '" + AName + "'");
  if (!IsDirectoryDriver(ADefaultDriver))
    throw EDatabaseError("Driver " + ADefaultDriver +
                         " is not supported; use PARADOX or STANDARD for a table directory");
  if (APath.empty() || !AliasFile::IsValidValue(APath))
    throw EDatabaseError("Invalid path for alias " + AName + ": '" + APath + "'");
  if (FindAlias(AName)) throw EDatabaseError("Alias " + AName + " already exists");
  const String path = std::filesystem::absolute(NormalizePath(APath)).lexically_normal().string();
  const String driver = ADefaultDriver.empty() ? "STANDARD" : UpperCase(ADefaultDriver);
  FAliases.push_back(TAliasEntry{AName, driver, {{"PATH", path}}});
}

void TSession::DeleteAlias(const String& AName) {
  TAliasEntry* entry = FindAlias(AName);
  if (!entry) throw EDatabaseError("Unknown alias " + AName);
  FAliases.erase(FAliases.begin() + (entry - FAliases.data()));
}

bool TSession::IsAlias(const String& AName) { return FindAlias(AName) != nullptr; }

void TSession::GetAliasParams(const String& AName, TStrings* AList) {
  const TAliasEntry* entry = FindAlias(AName);
  if (!entry) throw EDatabaseError("Unknown alias " + AName);
  AList->Clear();
  for (const auto& [key, value] : entry->Params) AList->Add(key + "=" + value);
}

String TSession::GetAliasDriverName(const String& AName) {
  const TAliasEntry* entry = FindAlias(AName);
  if (!entry) throw EDatabaseError("Unknown alias " + AName);
  return entry->Driver;
}

void TSession::SaveConfigFile() {
  LoadAliases();
  AliasFile::Write(FConfigFileName, FAliases);
}

String TSession::ConfigFileName() const {
  return FLoaded ? FConfigFileName : AliasFile::DefaultFileName();
}

String TSession::DatabaseDirectory(const String& ADatabaseName) {
  if (ADatabaseName.empty()) return std::filesystem::current_path().string();
  if (const TAliasEntry* entry = FindAlias(ADatabaseName)) {
    if (!IsDirectoryDriver(entry->Driver))
      throw EDatabaseError("Alias " + ADatabaseName + " uses driver " + entry->Driver +
                           ", which is not supported");
    return entry->Path();
  }
  std::error_code error;
  const String directory = NormalizePath(ADatabaseName);
  if (std::filesystem::is_directory(directory, error)) return directory;
  throw EDatabaseError("Unknown database " + ADatabaseName +
                       ": it is neither an alias nor an existing directory");
}

std::shared_ptr<TDatabaseFile> TSession::OpenDatabase(const String& ADatabaseName) {
  return OpenDirectory(DatabaseDirectory(ADatabaseName));
}

std::shared_ptr<TDatabaseFile> TSession::OpenDirectory(const String& ADirectory) {
  const String key = CanonicalDirectory(ADirectory);
  auto& slot = FDatabases[key];
  if (!slot) {
    try {
      slot = std::make_shared<TDatabaseFile>(key);
    } catch (...) {
      FDatabases.erase(key);
      throw;
    }
  }
  return slot;
}

void TSession::Close() {
  FDatabases.clear();
  FAliases.clear();
  FConfigFileName.clear();
  FLoaded = false;
}

TSession* DefaultSession() {
  static TSession session(nullptr);
  return &session;
}
