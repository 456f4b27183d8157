// quillon-link: the link tool's formatted hyperlink on standard output.
//
// Builds the same one-item document as the main window's label (blue, underlined title whose
// hyperlink target is the address), formatted with the real fonts under Qt's offscreen
// platform and selected whole, and writes one representation of it: the RTF or RVF bytes of
// the clipboard copy, the selected text, the Markdown or BBCode link of the main window, or
// the link in one of the further formats of the result fields' context menu.
#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/HyperlinkDocument.h"
#include "app/LinkCompose.h"
#include "app/LinkFormats.h"
#include "app/LinkSafety.h"
#include "app/LinkTemplates.h"
#include "app/cli/ClipboardCopy.h"
#include "app/Utf.h"
#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtGraphics.h"
#include "richtext/export/RVClipboardHTML.h"
#include "richtext/export/RVFReader.h"
#include "richtext/export/RVHTMLReader.h"
#include "richtext/export/RVMarkupWriter.h"
#include "richtext/export/RVRTFReader.h"

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

constexpr std::string_view Usage =
    "Usage: quillon-link [--format FORMAT] TITLE ADDRESS\n"
    "       quillon-link --copy TITLE ADDRESS\n"
    "       quillon-link --template NAME TITLE ADDRESS\n"
    "       quillon-link --read html|rtf|rvf [--format FORMAT] < DOCUMENT\n"
    "FORMAT: rtf (default), rvf, text, markdown, bbcode, html, rst, asciidoc, org,\n"
    "        mediawiki, line\n";

constexpr std::string_view Help =
    "Writes the link tool's formatted hyperlink for TITLE and ADDRESS to standard output.\n"
    "\n"
    "The document is built as the main window builds it: TITLE as one text item in a blue,\n"
    "underlined hyperlink style, ADDRESS (unchanged) as its target, formatted with the real\n"
    "fonts and selected whole. No display is needed.\n"
    "\n"
    "Formats:\n"
    "  rtf       the \"Rich Text Format\" bytes the clipboard copy writes (default)\n"
    "  rvf       the \"RichView Format\" stream of the copy, without its length prefix\n"
    "  text      the selected text, UTF-8, then a newline\n"
    "  markdown  [TITLE](ADDRESS), escaped for Markdown readers, \"http://\" put in front of\n"
    "            an address without a scheme, UTF-8, then a newline\n"
    "  bbcode    [url=ADDRESS]TITLE[/url], UTF-8, then a newline\n"
    "\n"
    "  These escape TITLE and ADDRESS for their format (docs/link-formats.md); each is\n"
    "  written as UTF-8, then a newline. A blank in ADDRESS is written as %20.\n"
    "  html      <a href=\"ADDRESS\">TITLE</a>\n"
    "  rst       `TITLE <ADDRESS>`__ (reStructuredText, an anonymous hyperlink)\n"
    "  asciidoc  link:ADDRESS[TITLE]\n"
    "  org       [[ADDRESS][TITLE]] (Org mode)\n"
    "  mediawiki [ADDRESS TITLE], \"http://\" put in front of an ADDRESS without a scheme\n"
    "  line      TITLE \u2014 ADDRESS, nothing escaped\n"
    "With --read the document on standard input (HTML, RTF or RichView Format) is read\n"
    "instead of building a link, and written whole in FORMAT: rtf, rvf, text or html as the\n"
    "clipboard copy writes them, or markdown and bbcode for the whole document (paragraphs,\n"
    "links, bold, italic, code, headings and list items, escaped for their format).\n"
    "A document that does not read is an error.\n"
    "\n"
    "With --copy the link goes to the clipboard instead, in every format the main window's\n"
    "label writes (RichView Format, text, RTF and HTML), and a process stays in the\n"
    "background to hold it until another program takes the clipboard. This needs a display.\n"
    "\n"
    "Options:\n"
    "  -f, --format FORMAT   one of the formats above\n"
    "  -c, --copy            put the link on the clipboard\n"
    "  -r, --read FORMAT     convert standard input (html, rtf or rvf) instead\n"
    "  -t, --template NAME   the link in the user's template NAME, kept in\n"
    "                        $XDG_CONFIG_HOME/quillon/templates.ini (docs/templates.md)\n"
    "  -h, --help            show this help and exit\n"
    "  --                    end of options (for a TITLE that begins with \"-\")\n"
    "\n"
    "Exit status: 0 on success, 1 when the document could not be read or written (an empty\n"
    "TITLE gives nothing to copy in the rtf and rvf formats, and nothing for --copy) or the\n"
    "clipboard could not be reached, 2 for bad arguments and for an ADDRESS whose scheme\n"
    "is javascript:, vbscript: or data: (no link is made of those: they run code).\n";

enum class TFormat { Markdown, BBCode, Text, RTF, RVF, Other };

struct TFormatChoice {
  TFormat Format = TFormat::RTF;
  quillon::TLinkFormat Other = quillon::TLinkFormat::Html; // with TFormat::Other
};

std::optional<TFormatChoice> ParseFormat(std::string_view name) {
  if (const auto other = quillon::FindLinkFormat(name))
    return TFormatChoice{TFormat::Other, *other};
  if (name == "markdown")
    return TFormatChoice{TFormat::Markdown};
  if (name == "bbcode")
    return TFormatChoice{TFormat::BBCode};
  if (name == "text")
    return TFormatChoice{TFormat::Text};
  if (name == "rtf")
    return TFormatChoice{TFormat::RTF};
  if (name == "rvf")
    return TFormatChoice{TFormat::RVF};
  return std::nullopt;
}

enum class TReadFormat { None, HTML, RTF, RVF };

struct TArguments {
  TFormatChoice Format;
  TReadFormat Read = TReadFormat::None;
  bool ShowHelp = false;
  bool Copy = false;
  bool FormatGiven = false;
  std::optional<std::string> Template;
  std::string Title;
  std::string Address;
};

struct TUsageError {
  std::string Message;
};

TArguments ParseArguments(int argc, char** argv) {
  TArguments args;
  std::vector<std::string> positional;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (optionsEnded || arg.empty() || arg.front() != '-' || arg == "-") {
      positional.emplace_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "-h" || arg == "--help") {
      args.ShowHelp = true;
    } else if (arg == "-c" || arg == "--copy") {
      args.Copy = true;
    } else if (arg == "-t" || arg == "--template" || arg.starts_with("--template=")) {
      if (arg.starts_with("--template="))
        args.Template = std::string(arg.substr(11));
      else if (i + 1 < argc)
        args.Template = argv[++i];
      else
        throw TUsageError{"option " + std::string(arg) + " needs a template's name"};
    } else if (arg == "-r" || arg == "--read" || arg.starts_with("--read=")) {
      std::string_view value;
      if (arg.starts_with("--read="))
        value = arg.substr(7);
      else if (i + 1 < argc)
        value = argv[++i];
      else
        throw TUsageError{"option " + std::string(arg) + " needs a format"};
      if (value == "html")
        args.Read = TReadFormat::HTML;
      else if (value == "rtf")
        args.Read = TReadFormat::RTF;
      else if (value == "rvf")
        args.Read = TReadFormat::RVF;
      else
        throw TUsageError{"unknown document format \"" + std::string(value) +
                          "\" (use html, rtf or rvf)"};
    } else if (arg == "-f" || arg == "--format" || arg.starts_with("--format=")) {
      std::string_view value;
      if (arg.starts_with("--format=")) {
        value = arg.substr(9);
      } else if (i + 1 < argc) {
        value = argv[++i];
      } else {
        throw TUsageError{"option " + std::string(arg) + " needs a format"};
      }
      const auto format = ParseFormat(value);
      if (!format)
        throw TUsageError{"unknown format \"" + std::string(value) +
                          "\" (use rtf, rvf, text, markdown, bbcode, html, rst, asciidoc, "
                          "org, mediawiki or line)"};
      args.Format = *format;
      args.FormatGiven = true;
    } else {
      throw TUsageError{"unknown option " + std::string(arg)};
    }
  }
  if (args.ShowHelp)
    return args;
  if (args.Read != TReadFormat::None) {
    if (args.Copy)
      throw TUsageError{"--read writes to standard output; leave out --copy"};
    if (!positional.empty())
      throw TUsageError{"--read takes the document from standard input, not arguments"};
    if (args.Format.Format == TFormat::Other && args.Format.Other != quillon::TLinkFormat::Html)
      throw TUsageError{"--read writes a whole document: use rtf, rvf, text, html, markdown or "
                        "bbcode"};
    return args;
  }
  if (args.Copy && args.FormatGiven)
    throw TUsageError{"--copy puts every format on the clipboard; leave out --format"};
  if (args.Template && (args.Copy || args.FormatGiven))
    throw TUsageError{"--template writes the template's text; leave out --format and --copy"};
  if (positional.size() != 2)
    throw TUsageError{positional.size() < 2 ? "TITLE and ADDRESS are required"
                                            : "too many arguments (quote a TITLE with spaces)"};
  args.Title = positional[0];
  args.Address = positional[1];
  return args;
}

// Qt's remark that the offscreen platform has no runtime folder is noise for a command whose
// standard error is for its own messages; everything else Qt says passes through.
void FilterQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QStringLiteral("QStandardPaths:")))
    return;
  std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

void WriteBytes(std::string_view bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void WriteTextLine(std::u16string_view text) {
  WriteBytes(quillon::ToUtf8(text));
  WriteBytes("\n");
}

// The link in one of the user's templates; a fault in another template of the file is
// reported and does not stop this one.
int RunTemplate(const TArguments& args) {
  const quillon::TLinkTemplates templates = quillon::LoadLinkTemplates();
  for (const std::string& error : templates.Errors)
    std::fprintf(stderr, "quillon-link: %s\n", error.c_str());
  const quillon::TLinkTemplate* found = templates.Find(quillon::FromUtf8(*args.Template));
  if (!found) {
    std::fprintf(stderr, "quillon-link: no template [%s] in %s\n", args.Template->c_str(),
                 quillon::LinkTemplatesPath().c_str());
    return ExitFailure;
  }
  WriteTextLine(quillon::ExpandLinkTemplate(
      *found, {quillon::FromUtf8(args.Title), quillon::FromUtf8(args.Address),
               quillon::TodayIso(), {}}));
  return ExitOk;
}

std::string ReadStandardInput() {
  std::string bytes;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
    bytes.append(buffer, got);
  return bytes;
}

// --read: the document on standard input, written whole.
int ConvertDocument(const TArguments& args, quillon::TRVQtCanvas& canvas) {
  quillon::THyperlinkDocument document(&canvas);
  richtext::TRichViewEdit& editor = document.RichViewEdit1;
  richtext::TCustomRVData& data = *editor.RVData;
  const std::string input = ReadStandardInput();
  switch (args.Read) {
  case TReadFormat::HTML: richtext::RVHTMLLoadDocument(data, input); break;
  case TReadFormat::RTF: richtext::RVRTFLoadDocument(data, input); break;
  case TReadFormat::RVF: richtext::RVFLoadDocument(data, input); break;
  case TReadFormat::None: return ExitFailure;
  }
  editor.Format();
  editor.SelectAll();
  bool ok = true;
  switch (args.Format.Format) {
  case TFormat::Markdown:
    WriteBytes(quillon::ToUtf8(richtext::RVGetMarkup(data, richtext::TRVMarkupFormat::rvmfMarkdown)));
    break;
  case TFormat::BBCode:
    WriteBytes(quillon::ToUtf8(richtext::RVGetMarkup(data, richtext::TRVMarkupFormat::rvmfBBCode)));
    break;
  case TFormat::Text: WriteTextLine(quillon::HyperlinkClipboardText(editor)); break;
  case TFormat::Other: WriteBytes(richtext::RVGetSelHTMLFragment(*editor.RVData) + "\n"); break;
  case TFormat::RTF: WriteBytes(quillon::HyperlinkClipboardRTF(editor, ok)); break;
  case TFormat::RVF: WriteBytes(quillon::HyperlinkClipboardRVF(editor, ok)); break;
  }
  if (!ok) {
    std::fprintf(stderr, "quillon-link: writing the document failed\n");
    return ExitFailure;
  }
  return ExitOk;
}

int Run(const TArguments& args, char* programName) {
  // Measuring needs fonts, not a display.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  qInstallMessageHandler(FilterQtMessages);
  // Only the program name: a title such as "-style" is not Qt's to take.
  int qtArgc = 1;
  char* qtArgv[] = {programName, nullptr};
  QGuiApplication app(qtArgc, qtArgv);
  quillon::RegisterQtGraphics();
  int dpi = 96;
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    dpi = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
  quillon::TRVQtCanvas canvas(dpi, dpi);

  if (args.Read != TReadFormat::None)
    return ConvertDocument(args, canvas);

  const std::u16string title = quillon::FromUtf8(args.Title);
  const std::u16string address = quillon::FromUtf8(args.Address);
  quillon::THyperlinkDocument document(&canvas);
  document.Build(title, address);

  switch (args.Format.Format) {
  case TFormat::Other:
    WriteTextLine(quillon::FormatLink(args.Format.Other, title, address));
    return ExitOk;
  case TFormat::Markdown:
    WriteTextLine(quillon::ComposeMarkdown(title, address).markdown);
    return ExitOk;
  case TFormat::BBCode:
    WriteTextLine(quillon::ComposeBBCode(title, address));
    return ExitOk;
  case TFormat::Text:
    WriteTextLine(quillon::HyperlinkClipboardText(document.RichViewEdit1));
    return ExitOk;
  case TFormat::RTF:
  case TFormat::RVF: {
    if (!document.SelectionExists()) {
      std::fprintf(stderr, "quillon-link: the title is empty, so there is nothing to copy\n");
      return ExitFailure;
    }
    bool ok = false;
    const bool rtf = args.Format.Format == TFormat::RTF;
    const std::string bytes = rtf ? quillon::HyperlinkClipboardRTF(document.RichViewEdit1, ok)
                                  : quillon::HyperlinkClipboardRVF(document.RichViewEdit1, ok);
    WriteBytes(bytes);
    if (!ok) {
      std::fprintf(stderr, "quillon-link: writing the %s data failed\n", rtf ? "RTF" : "RVF");
      return ExitFailure;
    }
    return ExitOk;
  }
  }
  return ExitFailure;
}

} // namespace

int main(int argc, char** argv) {
  TArguments args;
  try {
    args = ParseArguments(argc, argv);
  } catch (const TUsageError& e) {
    std::fprintf(stderr, "quillon-link: %s\n%sTry 'quillon-link --help' for more.\n",
                 e.Message.c_str(), std::string(Usage).c_str());
    return ExitUsage;
  }
  if (args.ShowHelp) {
    WriteBytes(Usage);
    WriteBytes("\n");
    WriteBytes(Help);
    return ExitOk;
  }
  // No link is made of an address that would run code where it is followed.
  try {
    quillon::RefuseScriptingAddress(quillon::FromUtf8(args.Address));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quillon-link: %s\n", e.what());
    return ExitUsage;
  }
  if (args.Template) {
    const int status = RunTemplate(args);
    std::fflush(stdout);
    return status;
  }
  if (args.Copy)
    return quillon::CopyHyperlinkInBackground(args.Title, args.Address, argv[0]);
  try {
    const int status = Run(args, argv[0]);
    std::fflush(stdout);
    return status;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quillon-link: %s\n", e.what());
    return ExitFailure;
  }
}
