#include "framework/rtl/FileSystem.h"

#include "framework/rtl/Exceptions.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <vector>

namespace {

bool StatIs(const String& Name, bool Directory) {
  struct stat status {};
  if (Name.empty() || stat(Name.c_str(), &status) != 0) return false;
  return S_ISDIR(status.st_mode) == Directory;
}

// The position after the last delimiter (0 when there is none).
std::size_t NameStart(const String& FileName) {
  const std::size_t slash = FileName.rfind(PathDelim);
  return slash == String::npos ? 0 : slash + 1;
}

// The position of the extension's point, or npos.
std::size_t ExtensionStart(const String& FileName) {
  const std::size_t dot = FileName.rfind('.');
  return dot == String::npos || dot < NameStart(FileName) ? String::npos : dot;
}

} // namespace

bool FileExists(const String& FileName) { return StatIs(FileName, false); }

bool DirectoryExists(const String& Directory) { return StatIs(Directory, true); }

bool RenameFile(const String& OldName, const String& NewName) {
  if (renameat2(AT_FDCWD, OldName.c_str(), AT_FDCWD, NewName.c_str(), RENAME_NOREPLACE) == 0)
    return true;
  // File systems without the no-replace flag: look first, then rename.
  if (errno != EINVAL || FileExists(NewName) || DirectoryExists(NewName)) return false;
  return std::rename(OldName.c_str(), NewName.c_str()) == 0;
}

bool DeleteFile(const String& FileName) {
  return !DirectoryExists(FileName) && unlink(FileName.c_str()) == 0;
}

bool CreateDir(const String& Dir) { return mkdir(Dir.c_str(), 0777) == 0; }

bool ForceDirectories(const String& Dir) {
  if (Dir.empty()) throw EInOutError("Unable to create directory");
  const String dir = ExcludeTrailingPathDelimiter(Dir);
  if (dir.empty() || DirectoryExists(dir)) return true;
  const String parent = ExtractFileDir(dir);
  if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
  return CreateDir(dir) || DirectoryExists(dir);
}

String GetCurrentDir() {
  std::vector<char> buffer(PATH_MAX);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return String();
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

bool SetCurrentDir(const String& Dir) { return chdir(Dir.c_str()) == 0; }

String ExtractFilePath(const String& FileName) { return FileName.substr(0, NameStart(FileName)); }

String ExtractFileDir(const String& FileName) {
  const std::size_t start = NameStart(FileName);
  if (start <= 1) return FileName.substr(0, start); // "" or the root "/"
  return FileName.substr(0, start - 1);
}

String ExtractFileName(const String& FileName) { return FileName.substr(NameStart(FileName)); }

String ExtractFileExt(const String& FileName) {
  const std::size_t dot = ExtensionStart(FileName);
  return dot == String::npos ? String() : FileName.substr(dot);
}

String ChangeFileExt(const String& FileName, const String& Extension) {
  return FileName.substr(0, ExtensionStart(FileName)) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S) {
  return !S.empty() && S.back() == PathDelim ? S : S + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& S) {
  String s = S;
  while (s.size() > 1 && s.back() == PathDelim) s.pop_back();
  return s;
}

String ExpandFileName(const String& FileName) {
  const String full =
      !FileName.empty() && FileName[0] == PathDelim ? FileName : GetCurrentDir() + "/" + FileName;
  std::vector<String> levels;
  std::size_t start = 0;
  while (start <= full.size()) {
    std::size_t end = full.find(PathDelim, start);
    if (end == String::npos) end = full.size();
    const String level = full.substr(start, end - start);
    if (level == "..") {
      if (!levels.empty()) levels.pop_back();
    } else if (!level.empty() && level != ".") {
      levels.push_back(level);
    }
    start = end + 1;
  }
  String result;
  for (const String& level : levels) result += PathDelim + level;
  const bool trailing = full.size() > 1 && full.back() == PathDelim;
  return result.empty() ? String(1, PathDelim) : trailing ? result + PathDelim : result;
}
