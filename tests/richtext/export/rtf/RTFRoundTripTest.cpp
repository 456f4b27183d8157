// RTF through a real reader: documents written by the engine are converted to HTML by
// LibreOffice in one headless run, and their text, link targets and underlines must survive.
#include "tests/richtext/export/rtf/RTFWriterFixture.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "richtext/base/RVUni.h"

namespace richtext::test {
namespace {

namespace fs = std::filesystem;

std::string FindOnPath(const std::string& Name) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path != nullptr ? path : "");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    const fs::path candidate = fs::path(dir) / Name;
    if (!dir.empty() && access(candidate.c_str(), X_OK) == 0)
      return candidate.string();
  }
  return {};
}

std::string ReadFile(const fs::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The characters of an HTML page without its tags, runs of white space made one space.
std::string HtmlText(const std::string& Html) {
  std::string out;
  bool inTag = false;
  for (char c : Html) {
    if (c == '<') {
      inTag = true;
    } else if (c == '>') {
      inTag = false;
    } else if (!inTag) {
      const bool space = c == ' ' || c == '\n' || c == '\r' || c == '\t';
      if (!space)
        out += c;
      else if (!out.empty() && out.back() != ' ')
        out += ' ';
    }
  }
  return out;
}

// The position of the first link whose target is Href; the reader may make a file target
// relative to the folder it writes into ("../doc.htm"), so only the end of the target counts.
std::size_t FindLink(const std::string& Html, const std::string& Href) {
  const std::string start = "<a href=\"";
  for (std::size_t pos = Html.find(start); pos != std::string::npos;
       pos = Html.find(start, pos + 1)) {
    const std::size_t value = pos + start.size();
    const std::size_t end = Html.find('"', value);
    if (end != std::string::npos && end - value >= Href.size() &&
        Html.compare(end - Href.size(), Href.size(), Href) == 0)
      return pos;
  }
  return std::string::npos;
}

struct TRoundTripDoc {
  std::string Name;
  std::function<void(TRichView&, int LinkStyle)> Build;
  std::vector<std::u16string> Texts; // each must be in the converted text
  std::string Href;                  // the link target as the reader shows it
  std::u16string LinkText;           // the underlined text inside the link
};

class RTFRoundTripTest : public RTFWriterFixture {};

TEST_F(RTFRoundTripTest, LibreOfficeReadsTextLinksAndUnderlines) {
  const std::string soffice = FindOnPath("soffice");
  if (soffice.empty())
    GTEST_SKIP() << "LibreOffice's soffice is not on PATH: install libreoffice-writer-nogui to "
                    "check RTF through a real reader";

  const std::vector<TRoundTripDoc> docs = {
      {"cjk_link",
       [](TRichView& rv, int link) {
         rv.AddNL(u"中文链接", link, -1, u"https://example.com/a b?x=1");
       },
       {u"中文链接"},
       "https://example.com/a%20b?x=1",
       u"中文链接"},
      {"non_bmp",
       [](TRichView& rv, int link) {
         rv.AddNL(u"smile \U0001F600 now", link, -1, u"http://x.org/p");
       },
       {u"smile \U0001F600 now"},
       "http://x.org/p",
       u"\U0001F600"},
      {"paragraphs",
       [](TRichView& rv, int link) {
         rv.AddNL(u"日本語のテキスト {braces} \\ back", 0, 0);
         rv.AddNL(u"before ", 0, 0);
         rv.AddNL(u"链接", link, -1, u"http://example.org/q?a=1+2");
         rv.AddNL(u" after", 0, -1);
       },
       {u"日本語のテキスト {braces} \\ back", u"before 链接 after"},
       "http://example.org/q?a=1%2B2",
       u"链接"},
      {"local_target",
       [](TRichView& rv, int link) { rv.AddNL(u"part two", link, -1, u"doc.htm#part2"); },
       {u"part two"},
       "doc.htm#part2",
       u"part two"},
  };

  const fs::path dir =
      fs::temp_directory_path() / ("quillon-rtf-roundtrip-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "out");
  std::string command = "timeout 300 '" + soffice + "' --headless -env:UserInstallation=file://" +
                        (dir / "profile").string() + " --convert-to html --outdir '" +
                        (dir / "out").string() + "'";
  for (const TRoundTripDoc& doc : docs) {
    RV.Clear();
    doc.Build(RV, LinkStyle());
    FormatAndSelectAll();
    const std::string rtf = Save();
    ASSERT_TRUE(Ok) << doc.Name;
    std::ofstream(dir / (doc.Name + ".rtf"), std::ios::binary) << rtf;
    command += " '" + (dir / (doc.Name + ".rtf")).string() + "'";
  }
  command += " > '" + (dir / "soffice.log").string() + "' 2>&1";
  ASSERT_EQ(0, std::system(command.c_str())) << ReadFile(dir / "soffice.log");

  for (const TRoundTripDoc& doc : docs) {
    SCOPED_TRACE(doc.Name);
    const std::string html = ReadFile(dir / "out" / (doc.Name + ".html"));
    ASSERT_FALSE(html.empty()) << ReadFile(dir / "soffice.log");
    const std::string text = HtmlText(html);
    for (const std::u16string& expected : doc.Texts)
      EXPECT_NE(std::string::npos, text.find(RVU_UnicodeToUtf8(expected))) << text;
    const std::size_t linkStart = FindLink(html, doc.Href);
    ASSERT_NE(std::string::npos, linkStart) << html;
    const std::size_t linkEnd = html.find("</a>", linkStart);
    ASSERT_NE(std::string::npos, linkEnd);
    const std::string link = html.substr(linkStart, linkEnd - linkStart);
    EXPECT_NE(std::string::npos, link.find("<u>")) << link;
    EXPECT_NE(std::string::npos, HtmlText(link).find(RVU_UnicodeToUtf8(doc.LinkText))) << link;
  }
  fs::remove_all(dir);
}

} // namespace
} // namespace richtext::test
