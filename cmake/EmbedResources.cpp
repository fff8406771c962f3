// Writes a C++ source that holds files as a resource table (see Resources.cmake):
//   lum_embed_resources_tool OUTPUT SYMBOL FILE...
// Each file's bytes become one string literal: printable characters as they are, every
// other byte as a three-digit octal escape, so nothing after an escape can extend it.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Resource {
  std::string Name;
  fs::path Path;
};

std::string ResourceName(const fs::path& path) {
  std::string name = path.stem().string();
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return name;
}

bool IsPlain(unsigned char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?'; }

void AppendLiteral(std::string& out, const std::string& bytes) {
  constexpr std::size_t bytesPerLine = 96;
  out += '"';
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (IsPlain(c)) {
      out += static_cast<char>(c);
    } else {
      out += '\\';
      out += static_cast<char>('0' + (c >> 6));
      out += static_cast<char>('0' + (c >> 3 & 7));
      out += static_cast<char>('0' + (c & 7));
    }
    if (i % bytesPerLine == bytesPerLine - 1 && i + 1 < bytes.size()) out += "\"\n\"";
  }
  out += '"';
}

bool ReadWhole(const fs::path& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

std::string Source(const std::vector<Resource>& resources, const std::string& symbol) {
  std::string out = "// Generated from the resource folder by cmake/EmbedResources.cpp.\n"
                    "#include \"framework/win32/gdi/Resources.h\"\n\n"
                    "#pragma GCC diagnostic ignored \"-Woverlength-strings\"\n\n"
                    "namespace {\n";
  std::string entries;
  for (std::size_t i = 0; i < resources.size(); ++i) {
    std::string bytes;
    if (!ReadWhole(resources[i].Path, bytes))
      throw std::runtime_error("cannot read " + resources[i].Path.string());
    const std::string id = "Resource" + std::to_string(i);
    out += "const unsigned char " + id + "[] =\n";
    AppendLiteral(out, bytes);
    out += ";\n";
    entries += "    {";
    AppendLiteral(entries, resources[i].Name);
    entries += ", " + id + ", " + std::to_string(bytes.size()) + "},\n";
  }
  if (!resources.empty()) out += "const TResourceEntry Entries[] = {\n" + entries + "};\n";
  out += "} // namespace\n\n";
  out += "extern \"C\" const TResourceBlock " + symbol + "{" +
         (resources.empty() ? "nullptr" : "Entries") + ", " + std::to_string(resources.size()) +
         "};\n\n";
  out += "namespace {\nstruct Registrar {\n  Registrar() { RegisterResourceBlock(" + symbol +
         "); }\n} registrar;\n} // namespace\n";
  return out;
}

bool WriteReplacing(const fs::path& target, const std::string& text) {
  const fs::path temporary = target.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) return false;
  }
  std::error_code error;
  fs::rename(temporary, target, error);
  return !error;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: " << argv[0] << " OUTPUT SYMBOL FILE...\n";
    return 2;
  }
  std::vector<Resource> resources;
  for (int i = 3; i < argc; ++i) resources.push_back({ResourceName(argv[i]), argv[i]});
  std::sort(resources.begin(), resources.end(),
            [](const Resource& a, const Resource& b) { return a.Name < b.Name; });
  for (std::size_t i = 1; i < resources.size(); ++i)
    if (resources[i].Name == resources[i - 1].Name) {
      std::cerr << "resources " << resources[i - 1].Path << " and " << resources[i].Path
                << " have the same name " << resources[i].Name << '\n';
      return 1;
    }
  try {
    if (WriteReplacing(argv[1], Source(resources, argv[2]))) return 0;
    std::cerr << "cannot write " << argv[1] << '\n';
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
  }
  return 1;
}
