// The quillon-link command, run as a program: each format, help, and bad arguments.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/HyperlinkDocument.h"
#include "app/LinkFormats.h"
#include "app/Utf.h"
#include "tests/support/RVTestGraphics.h"

namespace quillon {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

struct TRunResult {
  int Status = -1;
  std::string Out;
  std::string Err;
};

std::string ShellQuote(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  return out + "'";
}

std::string ReadFile(const fs::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the built program with Args; Prefix goes before it (an environment change); Input is
// its standard input.
TRunResult RunLink(const std::vector<std::string>& Args, const std::string& Prefix = {},
                   const std::string& Input = {}) {
  const fs::path dir = fs::temp_directory_path();
  const std::string tag = std::to_string(getpid());
  const fs::path out = dir / ("quillon-link-test-" + tag + ".out");
  const fs::path err = dir / ("quillon-link-test-" + tag + ".err");
  const fs::path in = dir / ("quillon-link-test-" + tag + ".in");
  std::ofstream(in, std::ios::binary) << Input;
  std::string command = Prefix + ShellQuote(QUILLON_LINK_PATH);
  for (const std::string& arg : Args)
    command += " " + ShellQuote(arg);
  command += " > " + ShellQuote(out.string()) + " 2> " + ShellQuote(err.string()) + " < " + ShellQuote(in.string());
  TRunResult result;
  const int raw = std::system(command.c_str());
  result.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.Out = ReadFile(out);
  result.Err = ReadFile(err);
  fs::remove(out);
  fs::remove(err);
  fs::remove(in);
  return result;
}

// The document the program builds, here under the fixed-metrics test graphics.
class InProcessDocument {
public:
  explicit InProcessDocument(const std::string& Title, const std::string& Address) {
    Doc.RVStyle1.SetGraphicInterface(std::make_unique<richtext::test::TRVTestGraphicInterface>());
    Doc.Build(FromUtf8(Title), FromUtf8(Address));
  }
  richtext::TRVStateCanvas Canvas{96, 96};
  THyperlinkDocument Doc{&Canvas};
};

const std::string TitleTAddressARTF =
    "{\\rtf1\\fbidis\\ansi\\ansicpg1252\\uc1\\deff0\\deflang0\\deflangfe0"
    "{\\fonttbl{\\f0\\fnil Arial;}}"
    "{\\colortbl;\\red0\\green0\\blue255;\\red0\\green0\\blue128;\\red128\\green0\\blue0;"
    "\\red0\\green128\\blue0;}\r\n\r\n"
    "\r\n\\pard\\fi0\\li0\\ql\\ri0\\sb0\\sa0\\itap0 "
    "{\\field{\\*\\fldinst HYPERLINK \"a\"}{\\fldrslt \\plain \\f0\\ul\\fs20\\cf1 t}}\\par}";

TEST(QuillonLinkTest, DefaultFormatIsTheClipboardRTF) {
  const TRunResult r = RunLink({"t", "a"});
  EXPECT_EQ(0, r.Status) << r.Err;
  EXPECT_EQ(TitleTAddressARTF, r.Out);
  EXPECT_EQ("", r.Err);
  // Without a platform named, the program picks the offscreen one itself.
  const TRunResult bare = RunLink({"--format", "rtf", "t", "a"}, "env -u QT_QPA_PLATFORM ");
  EXPECT_EQ(0, bare.Status) << bare.Err;
  EXPECT_EQ(TitleTAddressARTF, bare.Out);
}

TEST(QuillonLinkTest, RTFAndRVFAreTheCopyOfTheSameDocument) {
  const std::string title = "中文 \xF0\x9F\x98\x80 {x}";
  const std::string address = "https://example.com/a b#frag";
  InProcessDocument expected(title, address);
  bool ok = false;
  const std::string rtf = HyperlinkClipboardRTF(expected.Doc.RichViewEdit1, ok);
  ASSERT_TRUE(ok);
  const TRunResult r = RunLink({"-f", "rtf", title, address});
  EXPECT_EQ(0, r.Status) << r.Err;
  EXPECT_EQ(rtf, r.Out);
  EXPECT_NE(std::string::npos,
            r.Out.find("HYPERLINK \"https://example.com/a%20b\"  \\\\l \"frag\"}"));

  const std::string rvf = HyperlinkClipboardRVF(expected.Doc.RichViewEdit1, ok);
  ASSERT_TRUE(ok);
  const TRunResult v = RunLink({"--format=rvf", title, address});
  EXPECT_EQ(0, v.Status) << v.Err;
  EXPECT_EQ("-8 1 3 2\r\n", v.Out.substr(0, 10));
  EXPECT_EQ(rvf, v.Out);
}

TEST(QuillonLinkTest, TextMarkdownAndBBCodeAreUtf8Lines) {
  const std::string title = "标题 \xF0\x9F\x98\x80 Title";
  TRunResult r = RunLink({"--format", "text", title, "a"});
  EXPECT_EQ(0, r.Status) << r.Err;
  EXPECT_EQ(title + "\n", r.Out);

  r = RunLink({"--format", "markdown", title, "example.com"});
  EXPECT_EQ(0, r.Status);
  EXPECT_EQ("[" + title + "](http://example.com)\n", r.Out);
  r = RunLink({"--format", "markdown", "t", "https://x.org/"});
  EXPECT_EQ("[t](https://x.org/)\n", r.Out);

  r = RunLink({"--format", "bbcode", title, "example.com"});
  EXPECT_EQ(0, r.Status);
  EXPECT_EQ("[url=example.com]" + title + "[/url]\n", r.Out);
}

TEST(QuillonLinkTest, AddressesThatRunCodeAreRefusedWithStatusTwo) {
  // Every format made a live link of these before.
  for (const std::string address :
       {"javascript:alert(1)"s, " JavaScript:alert(1)"s, "java\tscript:x"s, "VBScript:msgbox"s,
        "data:text/html,<script>alert(1)</script>"s}) {
    for (const char* format : {"rtf", "markdown", "bbcode", "html", "text"}) {
      const TRunResult r = RunLink({"--format", format, "t", address});
      EXPECT_EQ(2, r.Status) << format << " " << address;
      EXPECT_EQ("", r.Out) << format << " " << address;
      EXPECT_NE(std::string::npos, r.Err.find("it would run code")) << r.Err;
    }
  }
  // Other schemes are kept.
  EXPECT_EQ("[t](mailto:a@b.example)\n", RunLink({"--format", "markdown", "t", "mailto:a@b.example"}).Out);
  EXPECT_EQ(0, RunLink({"--format", "html", "t", "javascripts.example"}).Status);
}

TEST(QuillonLinkTest, ATabInTheTitleSurvivesTextAndRTF) {
  // Both formats dropped it before.
  const TRunResult text = RunLink({"--format", "text", "a\tb", "x.example"});
  EXPECT_EQ(0, text.Status) << text.Err;
  EXPECT_EQ("a\tb\n", text.Out);
  const TRunResult rtf = RunLink({"--format", "rtf", "a\tb", "x.example"});
  EXPECT_EQ(0, rtf.Status) << rtf.Err;
  EXPECT_NE(std::string::npos, rtf.Out.find("\\tab")) << rtf.Out;
  EXPECT_NE(std::string::npos, rtf.Out.find("HYPERLINK \"x.example\"")) << rtf.Out;
}

TEST(QuillonLinkTest, FurtherFormatsWriteTheEscapedLinkAsAUtf8Line) {
  const std::string title = "标题 [1] <b> & \"q\" \xF0\x9F\x98\x80";
  const std::string address = "https://example.com/a b?x=1&y=2";
  for (const TLinkFormatInfo& info : LinkFormats()) {
    const TRunResult r = RunLink({"--format", std::string(info.Name), title, address});
    EXPECT_EQ(0, r.Status) << info.Name << ": " << r.Err;
    EXPECT_EQ(ToUtf8(FormatLink(info.Format, FromUtf8(title), FromUtf8(address))) + "\n", r.Out)
        << info.Name;
  }
  EXPECT_EQ("<a href=\"https://example.com/a%20b?x=1&amp;y=2\">t</a>\n",
            RunLink({"-f", "html", "t", address}).Out);
}

TEST(QuillonLinkTest, DoubleDashLetsATitleBeginWithADash) {
  const TRunResult r = RunLink({"-f", "bbcode", "--", "-t-", "--a"});
  EXPECT_EQ(0, r.Status) << r.Err;
  EXPECT_EQ("[url=--a]-t-[/url]\n", r.Out);
}

TEST(QuillonLinkTest, EmptyTitleHasNothingToCopy) {
  TRunResult r = RunLink({"", "a"});
  EXPECT_EQ(1, r.Status);
  EXPECT_EQ("", r.Out);
  EXPECT_NE(std::string::npos, r.Err.find("title is empty")) << r.Err;
  r = RunLink({"-f", "text", "", "a"});
  EXPECT_EQ(0, r.Status);
  EXPECT_EQ("\n", r.Out);
}

TEST(QuillonLinkTest, HelpDescribesTheFormats) {
  const TRunResult r = RunLink({"--help"});
  EXPECT_EQ(0, r.Status);
  EXPECT_EQ(0u, r.Out.find("Usage: quillon-link [--format FORMAT] TITLE ADDRESS\n"));
  for (const char* word : {"  rtf ", "  rvf ", "  text ", "  markdown ", "  bbcode ", "(default)"})
    EXPECT_NE(std::string::npos, r.Out.find(word)) << word;
  for (const TLinkFormatInfo& info : LinkFormats())
    EXPECT_NE(std::string::npos, r.Out.find("  " + std::string(info.Name) + " ")) << info.Name;
  EXPECT_EQ(r.Out, RunLink({"t", "-h", "a"}).Out);
}

TEST(QuillonLinkTest, BadArgumentsExitWithStatusTwo) {
  struct Case {
    std::vector<std::string> Args;
    std::string Message;
  };
  for (const Case& c :
       {Case{{}, "TITLE and ADDRESS are required"}, Case{{"t"}, "TITLE and ADDRESS are required"},
        Case{{"t", "a", "b"}, "too many arguments"},
        Case{{"--format", "latex", "t", "a"}, "unknown format \"latex\""},
        Case{{"--format"}, "option --format needs a format"},
        Case{{"-x", "t", "a"}, "unknown option -x"}}) {
    const TRunResult r = RunLink(c.Args);
    EXPECT_EQ(2, r.Status) << c.Message;
    EXPECT_EQ("", r.Out) << c.Message;
    EXPECT_EQ(0u, r.Err.find("quillon-link: " + c.Message)) << r.Err;
    EXPECT_NE(std::string::npos, r.Err.find("Usage: quillon-link")) << r.Err;
  }
}

TEST(QuillonLinkTest, ReadConvertsADocumentFromStandardInput) {
  const std::string html =
      "<meta charset='utf-8'><p>See <a href=\"https://example.com/a b\">the <b>docs</b></a>, "
      "<code>x_y</code> and *stars*</p><h2>Sub \xE8\xAF\xB4\xE6\x98\x8E</h2>"
      "<ul><li>one</li><li>two<br>more</li></ul><p>1. not a list</p>";
  TRunResult r = RunLink({"--read", "html", "--format", "markdown"}, {}, html);
  EXPECT_EQ(0, r.Status) << r.Err;
  EXPECT_EQ("See [the **docs**](https://example.com/a%20b), `x_y` and \\*stars\\*\n\n"
            "## Sub \xE8\xAF\xB4\xE6\x98\x8E\n\n- one\n- two\\\n  more\n\n1\\. not a list\n",
            r.Out);
  r = RunLink({"--read=html", "-f", "bbcode"}, {}, html);
  EXPECT_EQ(0, r.Status) << r.Err;
  EXPECT_EQ("See [url=https://example.com/a%20b]the [b]docs[/b][/url], [code]x_y[/code] and "
            "*stars*\n\n[size=150][b]Sub \xE8\xAF\xB4\xE6\x98\x8E[/b][/size]\n\n"
            "[list]\n[*]one\n[*]two\nmore\n[/list]\n\n1. not a list\n",
            r.Out);
  // The link's own RTF and RVF read back into the same link.
  const std::string title = "Quillon \xE8\xAF\xB4\xE6\x98\x8E", address = "https://example.com/quillon docs";
  r = RunLink({"--read", "rtf", "--format", "markdown"}, {}, RunLink({title, address}).Out);
  EXPECT_EQ("[" + title + "](https://example.com/quillon%20docs)\n", r.Out) << r.Err;
  r = RunLink({"--read", "rvf", "--format", "rtf"}, {}, RunLink({"--format", "rvf", title, address}).Out);
  EXPECT_EQ(RunLink({title, address}).Out, r.Out) << r.Err;
  r = RunLink({"--read", "html", "--format", "text"}, {}, "a<br>b");
  EXPECT_EQ("a\r\nb\n", r.Out) << r.Err << "the text as the clipboard holds it";
}

TEST(QuillonLinkTest, ReadRefusesWhatDoesNotReadAndArgumentsThatDoNotFit) {
  TRunResult r = RunLink({"--read", "rtf"}, {}, "{\\rtf1 {\\b never closed");
  EXPECT_EQ(1, r.Status);
  EXPECT_EQ("", r.Out);
  EXPECT_EQ("quillon-link: RTF reading error: the stream ends inside a group\n", r.Err);
  r = RunLink({"--read", "html"}, {}, "<a href=");
  EXPECT_EQ(1, r.Status);
  EXPECT_EQ("quillon-link: HTML reading error: the stream ends inside a tag\n", r.Err);
  struct Case {
    std::vector<std::string> Args;
    std::string Message;
  };
  for (const Case& c : {Case{{"--read", "docx"}, "unknown document format \"docx\""},
                        Case{{"--read", "html", "--format", "rst"}, "--read writes a whole document"},
                        Case{{"--read", "html", "t", "a"}, "--read takes the document from standard input"},
                        Case{{"--read", "html", "--copy"}, "--read writes to standard output"}}) {
    r = RunLink(c.Args);
    EXPECT_EQ(2, r.Status) << c.Message;
    EXPECT_EQ(0u, r.Err.find("quillon-link: " + c.Message)) << r.Err;
  }
}

} // namespace
} // namespace quillon
