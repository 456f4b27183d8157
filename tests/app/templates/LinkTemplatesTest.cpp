// The user's link templates: the file read line by line with each fault named by its line,
// the variables, the escaping per target, and quillon-link --template.
#include "app/LinkTemplates.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "app/Utf.h"

namespace quillon::test {
namespace {

std::string Expand(const std::string& format, TTemplateEscape escape, const TTemplateValues& values) {
  return ToUtf8(ExpandLinkTemplate({u"t", FromUtf8(format), escape}, values));
}

const TTemplateValues kValues{u"标题 [1] & <b>*x*</b>", u"https://Example.COM:8080/a b(c)?q=[1]",
                              u"2026-12-09", u"选中 _text_"};

TEST(LinkTemplatesTest, EveryVariableGoesInEscapedForItsTarget) {
  EXPECT_EQ("- [标题 [1] & <b>*x*</b>](https://Example.COM:8080/a b(c)?q=[1]) — 2026-12-09 "
            "example.com 选中 _text_ {braces}",
            Expand("- [{title}]({url}) — {date} {host} {selection} {{braces}}",
                   TTemplateEscape::None, kValues));
  EXPECT_EQ("- [标题 \\[1\\] & \\<b\\>\\*x\\*\\</b\\>](https://Example.COM:8080/"
            "a%20b%28c%29?q=[1]) — 2026-12-09",
            Expand("- [{title}]({url}) — {date}", TTemplateEscape::Markdown, kValues));
  EXPECT_EQ("[url=https://Example.COM:8080/a%20b(c)?q=%5B1%5D]标题 &#91;1&#93; & <b>*x*</b>[/url]",
            Expand("[url={url}]{title}[/url]", TTemplateEscape::BBCode, kValues));
  EXPECT_EQ("<a href=\"https://Example.COM:8080/a%20b(c)?q=[1]\">标题 [1] &amp; "
            "&lt;b&gt;*x*&lt;/b&gt;</a> (example.com)",
            Expand("<a href=\"{url}\">{title}</a> ({host})", TTemplateEscape::Html, kValues));
}

TEST(LinkTemplatesTest, TheHostIsTheAddresssHostName) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"https://Example.com:8080/a", u"example.com"},
      {u"http://user:pw@例子.测试/路径", u"例子.测试"},
      {u"https://[::1]:80/", u"[::1]"},
      {u"example.org/x?y#z", u"example.org"},
      {u"file:///tmp/a", u""},
  };
  for (const auto& [url, host] : cases)
    EXPECT_EQ(ToUtf8(host), ToUtf8(AddressHost(url))) << ToUtf8(url);
  EXPECT_EQ(10u, TodayIso().size());
}

TEST(LinkTemplatesTest, TheFileIsReadAsQSettingsWritesIt) {
  const TLinkTemplates file = ParseLinkTemplates("\xEF\xBB\xBF; my formats\r\n"
                                                 "[Markdown item]\r\n"
                                                 "format=- [{title}]({url}) — {date}\r\n"
                                                 "escape=Markdown\r\n"
                                                 "\r\n"
                                                 "[Quoted, with comma]\n"
                                                 "format=\"  {title}, {url}\\t\\x263a \\\"q\\\"\"\n"
                                                 "# no escape: none\n",
                                                 "templates.ini");
  EXPECT_EQ(std::vector<std::string>{}, file.Errors);
  ASSERT_EQ(2u, file.Templates.size());
  EXPECT_EQ("Markdown item", ToUtf8(file.Templates[0].Name));
  EXPECT_EQ("- [{title}]({url}) — {date}", ToUtf8(file.Templates[0].Format));
  EXPECT_EQ(TTemplateEscape::Markdown, file.Templates[0].Escape);
  EXPECT_EQ("  {title}, {url}\t☺ \"q\"", ToUtf8(file.Templates[1].Format));
  EXPECT_EQ(TTemplateEscape::None, file.Templates[1].Escape);
  EXPECT_EQ(&file.Templates[1], file.Find(u"Quoted, with comma"));
  EXPECT_EQ(nullptr, file.Find(u"missing"));
}

TEST(LinkTemplatesTest, AFaultIsNamedByItsLineAndTheOtherTemplatesStayUsable) {
  const TLinkTemplates file = ParseLinkTemplates("[Good]\n"                   // 1
                                                 "format={title}\n"           // 2
                                                 "[Typo]\n"                   // 3
                                                 "format=[{titel}]({url})\n"  // 4
                                                 "[Bad escape]\n"             // 5
                                                 "format={url}\n"             // 6
                                                 "escape=latex\n"             // 7
                                                 "[Empty]\n"                  // 8
                                                 "[Open]\n"                   // 9
                                                 "format={title\n"            // 10
                                                 "[Also good]\n"              // 11
                                                 "escape=html\n"              // 12
                                                 "format=<b>{title}</b>\n"    // 13
                                                 "what is this\n"             // 14
                                                 "[Good]\n"                   // 15
                                                 "format=again\n"             // 16
                                                 "[Key]\n"                    // 17
                                                 "colour=red\n"               // 18
                                                 "[Quote]\n"                  // 19
                                                 "format=\"open\n",           // 20
                                                 "templates.ini");
  EXPECT_EQ((std::vector<std::string>{
                "templates.ini:4: unknown variable {titel} (the variables are {title}, {url}, "
                "{host}, {date}, {selection})",
                "templates.ini:7: unknown escaping \"latex\" (none, markdown, bbcode or html)",
                "templates.ini:8: template [Empty] has no format=",
                "templates.ini:10: a \"{\" is not closed",
                "templates.ini:14: expected [name] or key=value",
                "templates.ini:15: template [Good] is defined twice",
                "templates.ini:18: unknown key \"colour\" (format or escape)",
                "templates.ini:20: the value's closing quote is missing"}),
            file.Errors);
  ASSERT_EQ(1u, file.Templates.size());
  EXPECT_EQ("Good", ToUtf8(file.Templates[0].Name));
  // "Also good" has the stray line 14 inside it, so it is left out with that line named.
  EXPECT_EQ((std::vector<std::string>{"templates.ini:1: a key before the first [template]"}),
            ParseLinkTemplates("format={title}\n", "templates.ini").Errors);
}

struct TCommand {
  int status;
  std::string output;
};

TCommand RunCommand(const std::string& command) {
  TCommand result{-1, {}};
  std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe)
    return result;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    result.output.append(buffer.data(), n);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TEST(LinkTemplatesTest, QuillonLinkWritesATemplateAndNamesTheFaultsOfOthers) {
  const std::filesystem::path config =
      std::filesystem::temp_directory_path() / ("quillon-templates-" + std::to_string(getpid()));
  std::filesystem::create_directories(config / "quillon");
  std::ofstream(config / "quillon" / "templates.ini") << "[Item]\n"
                                                         "format=- [{title}]({url}) — {host}\n"
                                                         "escape=markdown\n"
                                                         "[Broken]\n"
                                                         "format={nope}\n";
  const std::string run = "XDG_CONFIG_HOME='" + config.string() + "' " QUILLON_LINK_PATH;
  const TCommand item = RunCommand(run + " --template Item '中文 [x]' 'https://例子.cn/a b'");
  EXPECT_EQ(0, item.status);
  EXPECT_EQ("quillon-link: " + config.string() +
                "/quillon/templates.ini:5: unknown variable {nope} (the variables are {title}, "
                "{url}, {host}, {date}, {selection})\n"
                "- [中文 \\[x\\]](https://例子.cn/a%20b) — 例子.cn\n",
            item.output);
  const TCommand missing = RunCommand(run + " --template Broken t u");
  EXPECT_EQ(1, missing.status);
  EXPECT_NE(std::string::npos, missing.output.find("quillon-link: no template [Broken] in " +
                                                   config.string() + "/quillon/templates.ini"))
      << missing.output;
  EXPECT_EQ(2, RunCommand(run + " --template Item --format html t u").status);
  EXPECT_EQ(2, RunCommand(run + " --template").status);
  std::filesystem::remove_all(config);
}

} // namespace
} // namespace quillon::test
