// Arbitrary text through the road the clipboard copy takes: built with the add operations,
// formatted, selected whole and written by every writer.
#include "tests/fuzz/FuzzTargets.h"

#include <exception>
#include <iterator>
#include <memory>

#include "richtext/control/RichView.h"
#include "richtext/base/RVCharsets.h"
#include "richtext/document/RVItem.h"
#include "richtext/base/RVStream.h"
#include "richtext/graphics/RVCanvas.h"
#include "richtext/style/RVStyle.h"
#include "tests/fuzz/FuzzChecks.h"
#include "tests/support/RVTestGraphics.h"

namespace quillon::fuzz {

namespace {

using namespace richtext;

constexpr TRVCodePage DocumentCodePages[] = {1252, 1251, 936, 932};
constexpr TFontCharset Charsets[] = {ANSI_CHARSET,    RUSSIAN_CHARSET,  GB2312_CHARSET,
                                     SHIFTJIS_CHARSET, SYMBOL_CHARSET, DEFAULT_CHARSET};

// The document's style sheet: the default one with the application's hyperlink style and
// one copy of style 0 per character set.
struct TStyles {
  explicit TStyles(std::uint8_t switches) {
    Sheet.SetGraphicInterface(std::make_unique<test::TRVTestGraphicInterface>());
    Sheet.DefCodePage = DocumentCodePages[switches % std::size(DocumentCodePages)];
    Sheet.SpacesInTab = switches & 4 ? 4 : 0; // 0: tabs are items of their own
    TFontInfo link;
    link.Assign(*Sheet.TextStyles.Items(0));
    link.Color = 0x00FF0000;
    link.Style.Include(fsUnderline);
    link.Jump = true;
    Link = Sheet.FindTextStyle(link);
    for (TFontCharset charset : Charsets) {
      TFontInfo style;
      style.Assign(*Sheet.TextStyles.Items(0));
      style.Charset = charset;
      if (charset == SYMBOL_CHARSET)
        style.FontName = u"Symbol";
      ByCharset.push_back(Sheet.FindTextStyle(style));
    }
  }
  int TextStyle(std::uint8_t selector) const {
    return selector % (Sheet.TextStyles.Count() + 1) == 0
               ? Link
               : static_cast<int>(selector % Sheet.TextStyles.Count());
  }

  TRVStyle Sheet;
  int Link = 0;
  std::vector<int> ByCharset;
};

// Reads the operations: an opcode, a length, the bytes.
class TOperations {
public:
  TOperations(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}
  bool Next(std::uint8_t& op, std::string_view& bytes) {
    if (FPos + 2 > FSize)
      return false;
    op = FData[FPos];
    const std::size_t length = std::min<std::size_t>(FData[FPos + 1], FSize - FPos - 2);
    bytes = std::string_view(reinterpret_cast<const char*>(FData) + FPos + 2, length);
    FPos += 2 + length;
    return true;
  }

private:
  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FPos = 0;
};

std::u16string Utf16(std::string_view bytes) {
  return Utf16FromBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

void Build(TRichView& rv, const TStyles& styles, TOperations ops) {
  std::uint8_t op = 0;
  std::string_view bytes;
  while (ops.Next(op, bytes)) {
    // The opcode's high bits choose the style and the paragraph.
    const std::uint8_t selector = op >> 3;
    const int style = styles.TextStyle(selector);
    const int para = selector & 1;
    const int paraOrSame = selector & 2 ? -1 : para;
    switch (op & 7) {
    case 0: { // text with line breaks, with and without a byte-order mark
      std::u16string text = Utf16(bytes);
      if (selector & 4)
        text.insert(text.begin(), selector & 8 ? u'\uFFFE' : u'\uFEFF');
      rv.AddTextNLW(text, style, para, (selector >> 1) & 1, selector & 16);
      break;
    }
    case 1: // 8-bit text in the code page of the style's character set
      rv.AddNLA(bytes, styles.ByCharset[selector % styles.ByCharset.size()], paraOrSame);
      break;
    case 2: // 8-bit text with line breaks in a given code page
      rv.AddTextNLA(bytes, style, para, 1 - para, selector & 4, {},
                    DocumentCodePages[(selector >> 3) % std::size(DocumentCodePages)]);
      break;
    case 3: { // a hyperlink: the first half is the title, the second the target
      const std::u16string text = Utf16(bytes);
      const std::size_t half = text.size() / 2;
      rv.AddNL(text.substr(0, half), styles.Link, paraOrSame, text.substr(half));
      break;
    }
    case 4: // a tab among text
      rv.AddNL(u"\t" + Utf16(bytes), style, paraOrSame);
      break;
    case 5:
      rv.AddBreak(bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]),
                  static_cast<TRVBreakStyle>(selector % 5));
      break;
    case 6:
      rv.AddNLW(Utf16(bytes), style, paraOrSame);
      break;
    default:
      rv.AddCheckpoint(Utf16(bytes), selector & 1);
      break;
    }
  }
}

std::string CheckRTF(const char* what, const std::string& rtf) {
  if (const std::size_t at = FirstNonAsciiByte(rtf, true); at != std::string::npos)
    return std::string(what) + " has byte " +
           std::to_string(static_cast<unsigned char>(rtf[at])) + " at " + std::to_string(at) +
           ": " + Excerpt(rtf, at);
  if (!BracesBalanced(rtf))
    return std::string(what) + " has unbalanced groups: " + Excerpt(rtf);
  return {};
}

} // namespace

std::string FuzzDocumentWrite(const std::uint8_t* data, std::size_t size) {
  if (size < 2)
    return {};
  try {
    TStyles styles(data[1]);
    TRVStateCanvas canvas{96, 96};
    TRichView rv;
    rv.SetStyle(&styles.Sheet);
    rv.SetCanvas(&canvas);
    rv.SetClientSize(1 + data[0] * 2, 400);
    Build(rv, styles, TOperations(data + 2, size - 2));
    rv.Format();
    rv.SelectAll();

    TRVMemoryStream rtf;
    if (!rv.SaveRTFToStream(rtf, true))
      return "SaveRTFToStream (selection) failed";
    if (std::string broken = CheckRTF("the selection's RTF", rtf.Bytes()); !broken.empty())
      return broken;
    TRVMemoryStream whole;
    if (!rv.SaveRTFToStream(whole, false))
      return "SaveRTFToStream (document) failed";
    if (std::string broken = CheckRTF("the document's RTF", whole.Bytes()); !broken.empty())
      return broken;
    TRVMemoryStream rvf;
    if (!rv.SaveRVFToStream(rvf, true))
      return "SaveRVFToStream failed";
    TRVMemoryStream text;
    if (!rv.SaveTextToStreamW(u"", text, 1 + data[0] % 80, true, false))
      return "SaveTextToStreamW failed";
    const std::u16string selText = rv.GetSelTextW();
    const std::string selTextA = rv.GetSelTextA();
    if (rv.ItemCount() > 0 && !rv.SelectionExists() && !selText.empty())
      return "text comes out of an empty selection";
  } catch (const std::exception& e) {
    return std::string("exception: ") + e.what();
  }
  return {};
}

std::vector<std::string> DocumentWriteSeeds() {
  auto op = [](std::uint8_t code, std::string_view bytes) {
    return std::string{static_cast<char>(code), static_cast<char>(bytes.size())} +
           std::string(bytes);
  };
  auto le = [](std::u16string_view text) {
    std::string bytes;
    for (char16_t c : text) {
      bytes += static_cast<char>(c & 0xFF);
      bytes += static_cast<char>(c >> 8);
    }
    return bytes;
  };
  using namespace std::string_literals;
  return {
      "\x64\x00"s + op(0, le(u"Hello, world\r\nsecond line")) +
          op(3, le(u"Quillonhttps://example.org/?a=1&b={2}")),
      "\x10\x01"s + op(1 | 8 * 3, "\xCF\xF0\xE8\xE2\xE5\xF2") + op(4, le(u"after a tab")) +
          op(5, "\x03") + op(6, le(u"\u4E2D\u6587\U0001F600")),
      "\x02\x02"s + op(2 | 8 * 4, "\xD6\xD0\xCE\xC4\r\n\x81") + op(0 | 8 * 4, le(u"bom")) +
          op(0 | 8 * 12, le(u"\u6100\u6200")),
      "\xFF\x07"s + op(1 | 8 * 4, "abc\xB7\xD7") + op(7, le(u"mark")) +
          op(3 | 8 * 2, le(u"{\\}\"\t\u00A0\u00AD\xD800")),
      "\x00\x00"s + op(0, le(std::u16string(60, u'w'))) + op(5 | 8 * 4, ""),
      "\x01\x03"s + op(6, le(u"\x0C\x0B\x1F\x7F\u2028\u2029")) + op(4, "") + op(3, ""),
  };
}

} // namespace quillon::fuzz
