#include "framework/db/AliasFile.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Strings.h"

#include <cstdlib>
#include <filesystem>

namespace {

String Env(const char* AName) {
  const char* value = std::getenv(AName);
  return value ? String(value) : String();
}

[[noreturn]] void FormatError(const String& AFileName, int ALine, const String& AWhat) {
  throw EDatabaseError("Alias configuration file " + AFileName + " is damaged: line " +
                       IntToStr(ALine) + ": " + AWhat);
}

String ReadText(const String& AFileName) {
  try {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(AFileName);
    return String(bytes.begin(), bytes.end());
  } catch (const Exception& e) {
    throw EDatabaseError("Cannot read alias configuration file " + AFileName + ": " + e.Message());
  }
}

bool HasControlChars(const String& AText) {
  for (unsigned char c : AText)
    if (c < ' ' && c != '\t') return true;
  return false;
}

void CheckComplete(const String& AFileName, int ALine, const TAliasEntry* AEntry) {
  if (AEntry && AEntry->Path().empty())
    FormatError(AFileName, ALine, "alias " + AEntry->Name + " has no PATH");
}

void ParseLine(const String& AFileName, int ALine, const String& AText,
               std::vector<TAliasEntry>& AEntries) {
  const String line = Trim(AText);
  if (line.empty() || line[0] == '#' || line[0] == ';') return;
  if (HasControlChars(line)) FormatError(AFileName, ALine, "control characters");
  if (line.front() == '[') {
    if (line.back() != ']') FormatError(AFileName, ALine, "expected [alias name]");
    const String name = Trim(line.substr(1, line.size() - 2));
    if (!AliasFile::IsValidName(name)) FormatError(AFileName, ALine, "invalid alias name");
    for (const TAliasEntry& e : AEntries)
      if (SameText(e.Name, name)) FormatError(AFileName, ALine, "alias " + name + " twice");
    CheckComplete(AFileName, ALine, AEntries.empty() ? nullptr : &AEntries.back());
    AEntries.push_back(TAliasEntry{name, "STANDARD", {}});
    return;
  }
  const auto equals = line.find('=');
  if (equals == String::npos || equals == 0) FormatError(AFileName, ALine, "expected NAME=VALUE");
  if (AEntries.empty()) FormatError(AFileName, ALine, "a value outside an [alias] section");
  const String key = UpperCase(Trim(line.substr(0, equals)));
  const String value = Trim(line.substr(equals + 1));
  if (key == "DRIVER")
    AEntries.back().Driver = value;
  else
    AEntries.back().Params.emplace_back(key, value);
}

} // namespace

String TAliasEntry::Path() const {
  for (const auto& [key, value] : Params)
    if (key == "PATH") return value;
  return {};
}

namespace AliasFile {

String DefaultFileName() {
  if (String file = Env("LUMTOOLS_ALIASES"); !file.empty()) return file;
  String config = Env("XDG_CONFIG_HOME");
  if (config.empty()) config = Env("HOME") + "/.config";
  return config + "/lumtools/aliases";
}

std::vector<TAliasEntry> Read(const String& AFileName) {
  std::error_code error;
  if (!std::filesystem::exists(AFileName, error)) return {};
  const String text = ReadText(AFileName);
  std::vector<TAliasEntry> entries;
  int lineNo = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == String::npos) end = text.size();
    ParseLine(AFileName, ++lineNo, text.substr(start, end - start), entries);
    start = end + 1;
  }
  CheckComplete(AFileName, lineNo, entries.empty() ? nullptr : &entries.back());
  return entries;
}

void Write(const String& AFileName, const std::vector<TAliasEntry>& AEntries) {
  String text = "# LumTools database aliases\n";
  for (const TAliasEntry& e : AEntries) {
    text += "\n[" + e.Name + "]\nDRIVER=" + e.Driver + "\n";
    for (const auto& [key, value] : e.Params) text += key + "=" + value + "\n";
  }
  const std::filesystem::path parent = std::filesystem::path(AFileName).parent_path();
  std::error_code error;
  if (!parent.empty()) std::filesystem::create_directories(parent, error);
  try {
    ReplaceFileContents(AFileName,
                        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  } catch (const Exception& e) {
    throw EDatabaseError("Cannot save alias configuration file: " + e.Message());
  }
}

bool IsValidName(const String& AName) {
  return !AName.empty() && Trim(AName) == AName && AName.find_first_of("[]=") == String::npos &&
         !HasControlChars(AName) && AName[0] != '#' && AName[0] != ';';
}

bool IsValidValue(const String& AValue) {
  return Trim(AValue) == AValue && !HasControlChars(AValue);
}

} // namespace AliasFile
