// Arbitrary bytes read as HTML or RTF into an editor that already holds a document: the read
// either succeeds or raises ERichViewError and leaves document and style sheet alone; what was
// read formats, writes as Markdown and BBCode, and its RTF reads back with the same paragraphs,
// lines, text and links (paragraph kinds need not survive: RTF as the writer writes it knows
// no headings or lists).
#include "tests/fuzz/FuzzTargets.h"

#include <exception>
#include <fstream>
#include <iterator>
#include <memory>

#include "richtext/base/RVStream.h"
#include "richtext/base/RVUni.h"
#include "richtext/document/RVItemKinds.h"
#include "richtext/control/RichViewEdit.h"
#include "richtext/export/RVHTMLReader.h"
#include "richtext/export/RVMarkupWriter.h"
#include "richtext/export/RVRTFReader.h"
#include "richtext/graphics/RVCanvas.h"
#include "richtext/style/RVStyle.h"
#include "richtext/style/RVStyleStream.h"
#include "tests/support/RVTestGraphics.h"

namespace quillon::fuzz {

namespace {

using namespace richtext;

struct TImportTarget {
  TImportTarget() {
    Sheet.SetGraphicInterface(std::make_unique<test::TRVTestGraphicInterface>());
    Editor.SetStyle(&Sheet);
    Editor.SetCanvas(&Canvas);
    Editor.SetClientSize(300, 200);
  }
  std::string State() {
    return Editor.GetEditData()->Items().Dump() + RVSaveFontInfosToBytes(Sheet.TextStyles) +
           RVSaveParaInfosToBytes(Sheet.ParaStyles);
  }
  // Paragraphs, lines, text and link targets.
  std::string Content() {
    TCustomRVData& d = *Editor.GetEditData();
    std::u16string out;
    for (std::int32_t i = 0; i < d.ItemCount(); ++i) {
      const TCustomRVItemInfo* item = d.GetItem(i);
      if (i > 0 && !item->GetSameAsPrev())
        out += item->GetBR() ? u"\n" : u"\n\n";
      if (item->StyleNo == rvsTab)
        out += u'\t';
      else if (item->StyleNo >= 0)
        out += d.GetItemText(i);
      // A link is one target however many items its text takes.
      auto isLink = [&](std::int32_t k) {
        return d.GetItem(k)->StyleNo >= 0 && Sheet.TextStyles.Items(d.GetItem(k)->StyleNo)->Jump;
      };
      if (isLink(i) && !(i + 1 < d.ItemCount() && d.GetItem(i + 1)->GetSameAsPrev() &&
                         isLink(i + 1) && d.GetItemTag(i + 1) == d.GetItemTag(i)))
        out += u"{" + d.GetItemTag(i) + u"}";
    }
    return RVU_UnicodeToUtf8(out);
  }
  std::string RTF() {
    Editor.Format();
    TRVMemoryStream stream;
    Editor.SaveRTFToStream(stream, false);
    return stream.Bytes();
  }

  TRVStyle Sheet;
  TRVStateCanvas Canvas{96, 96};
  TRichViewEdit Editor;
};

using TLoad = void (*)(TCustomRVData&, std::string_view);

std::string FuzzRead(const std::uint8_t* data, std::size_t size, TLoad Load) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TImportTarget target;
  target.Editor.AddNL(u"before", 0, 0);
  const std::string before = target.State();
  try {
    Load(*target.Editor.GetEditData(), bytes);
  } catch (const ERichViewError&) {
    if (target.State() != before)
      return "a failed read changed the document or the style sheet";
    return {};
  }
  TCustomRVData& read = *target.Editor.GetEditData();
  RVGetMarkup(read, TRVMarkupFormat::rvmfMarkdown);
  RVGetMarkup(read, TRVMarkupFormat::rvmfBBCode);
  const std::string first = target.RTF();
  TImportTarget again;
  try {
    RVRTFLoadDocument(*again.Editor.GetEditData(), first);
  } catch (const std::exception& e) {
    return std::string("the RTF written of what was read does not read: ") + e.what();
  }
  if (again.Content() != target.Content())
    return "the RTF written of what was read reads back to other text:\n" + target.Content() +
           "\n----\n" + again.Content();
  return {};
}

std::string SeedFile(const char* Name) {
  std::ifstream in(std::string(QUILLON_FUZZ_SEED_DIR) + "/" + Name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

std::string FuzzHTMLRead(const std::uint8_t* data, std::size_t size) {
  return FuzzRead(data, size, &RVHTMLLoadDocument);
}

std::string FuzzRTFRead(const std::uint8_t* data, std::size_t size) {
  return FuzzRead(data, size, &RVRTFLoadDocument);
}

std::vector<std::string> HTMLReadSeeds() {
  return {
      SeedFile("page.html"),
      SeedFile("chromium.html"),
      "<meta charset='utf-8'><b>b<i>bi</b>i</i> <a href=\"http://x?a=1&amp;b\">l</a><br>x",
      "<html><body>\n<!--StartFragment--><ol start=9><li>a<li><p>b</ol><pre> x\n y</pre>"
      "<!--EndFragment-->\n</body></html>",
      "<table><tr><th>h<td>d</table><h2>t</h2><script>x<y</script><style>a{}</style>&#x1F600;",
      // Found by the fuzzer: the anchor of an address (after a '#' past a '.') holds a blank,
      // which the RTF writer escapes in the field's \\l argument too.
      "<p>Read <a href=\"ht\x1cps://example.co#/quillon docs\">the</a> x</p>",
      // Found by the fuzzer: a line break just before the end of the document's last
      // paragraph, written as "\\line \\par", was dropped on reading.
      SeedFile("found-lost-tail.html"),
      // Found by the fuzzer: an unquoted href of controls and NULs.
      SeedFile("found-nul-address.html"),
      // Found by the fuzzer: a zero-width non-joiner, which the RTF writer writes as \\zwnj,
      // was dropped on reading that RTF back.
      SeedFile("found-utf16-zwnj.html"),
  };
}

std::vector<std::string> RTFReadSeeds() {
  return {
      SeedFile("libreoffice.rtf"),
      SeedFile("quillon.rtf"),
      "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 \\'cb\\'ce;}}{\\colortbl;\\red0\\green0"
      "\\blue255;}\\f0\\'c4\\'e3 \\u-10179?\\u-8704? {\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt"
      "\\cf1 l}}\\par\\pard\\ls1{\\listtext 1.\\tab}i\\line x\\tab y\\par}",
      "{\\rtf1{\\stylesheet{\\s1 heading 2;}}\\s1 h\\par\\pard{\\*\\x y}{\\info z}\\uc2\\u8364??"
      "\\trowd a\\cell b\\cell\\row}",
      // Found by the fuzzer: a link target ending in an empty anchor ("x#").
      SeedFile("found-empty-anchor.rtf"),
      // Found by the fuzzer: a link to "#" alone, which the writer dropped.
      SeedFile("found-lone-hash-link.rtf"),
      // Found by the fuzzer: \\'9D in code page 1256 is a zero-width non-joiner, written back
      // as \\zwnj, which the reader dropped.
      SeedFile("found-zwnj-code-page.rtf"),
  };
}

} // namespace quillon::fuzz
