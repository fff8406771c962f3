#pragma once

#include "framework/rtl/Types.h"

#include <vector>

// One alias: a name, a driver and its parameters ("PATH" names the directory).
struct TAliasEntry {
  String Name;
  String Driver;
  std::vector<std::pair<String, String>> Params; // in file order, PATH among them
  String Path() const;
};

// The alias configuration file, in sections:
//   [LumLingua]
//   DRIVER=STANDARD
//   PATH=/home/user/LumLinguaDB
// Blank lines and lines starting with '#' or ';' are comments.
namespace AliasFile {
// The file this process uses: $LUMTOOLS_ALIASES, else $XDG_CONFIG_HOME/lumtools/aliases,
// else ~/.config/lumtools/aliases.
String DefaultFileName();
// The entries of the file; none when it does not exist. A file that cannot be read, or
// one that breaks the format, raises EDatabaseError naming the file and the line.
std::vector<TAliasEntry> Read(const String& AFileName);
// Replaces the file whole (creating its directory), or leaves it as it was.
void Write(const String& AFileName, const std::vector<TAliasEntry>& AEntries);
// Whether a name or value can be written and read back unchanged.
bool IsValidName(const String& AName);
bool IsValidValue(const String& AValue);
} // namespace AliasFile
