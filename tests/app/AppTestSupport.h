// Readable dumps and scratch folders for the link tool's tests.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <stdlib.h>

#include "app/Utf.h"

namespace quillon::test {

// "[a|b|]": entries as UTF-8 between bars, so an empty entry is still visible.
inline std::string Dump(const std::vector<std::u16string>& lines) {
  std::string out = "[";
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i)
      out += '|';
    out += ToUtf8(lines[i]);
  }
  return out + "]";
}

// UTF-16 little-endian bytes, no mark: how browsers and pages in UTF-16 send text.
inline std::string Utf16LEBytes(std::u16string_view text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

// "EF BB BF 61 0D 0A"
inline std::string Hex(std::string_view bytes) {
  std::string out;
  char digits[4];
  for (unsigned char b : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", b);
    if (!out.empty())
      out += ' ';
    out += digits;
  }
  return out;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TTempFolder {
public:
  TTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillon-XXXXXX").string();
    FPath = mkdtemp(pattern.data());
  }
  ~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }
  const std::filesystem::path& Path() const { return FPath; }
  std::string File(const std::string& name) const { return (FPath / name).string(); }
  // Names in the folder, sorted, for spotting left-over temporary files.
  std::string Listing() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(FPath))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string out;
    for (const std::string& name : names)
      out += (out.empty() ? "" : " ") + name;
    return out;
  }

private:
  std::filesystem::path FPath;
};

} // namespace quillon::test
