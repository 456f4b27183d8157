// Arbitrary bytes read as RichView Format into an editor that already holds a document: the
// read either succeeds or raises ERichViewError and leaves document and style sheet alone;
// what was read is formatted, and writing it, reading that back and writing again gives the
// same bytes.
#include "tests/fuzz/FuzzTargets.h"

#include <exception>
#include <memory>

#include "richtext/base/RVStream.h"
#include "richtext/control/RichViewEdit.h"
#include "richtext/export/RVFReader.h"
#include "richtext/graphics/RVCanvas.h"
#include "richtext/style/RVStyle.h"
#include "richtext/style/RVStyleStream.h"
#include "tests/support/RVTestGraphics.h"

namespace quillon::fuzz {

namespace {

using namespace richtext;

struct TReadTarget {
  TReadTarget() {
    Sheet.SetGraphicInterface(std::make_unique<test::TRVTestGraphicInterface>());
    Editor.SetStyle(&Sheet);
    Editor.SetCanvas(&Canvas);
    Editor.SetClientSize(300, 200);
    Editor.SetRVFOptions({rvfoSaveBinary, rvfoSaveTextStyles, rvfoSaveParaStyles});
  }
  std::string State() {
    return Editor.GetEditData()->Items().Dump() + RVSaveFontInfosToBytes(Sheet.TextStyles) +
           RVSaveParaInfosToBytes(Sheet.ParaStyles);
  }
  std::string Save() {
    TRVMemoryStream stream;
    Editor.SaveRVFToStream(stream, false);
    return stream.Bytes();
  }

  TRVStyle Sheet;
  TRVStateCanvas Canvas{96, 96};
  TRichViewEdit Editor;
};

} // namespace

std::string FuzzRVFRead(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TReadTarget target;
  target.Editor.AddNL(u"before", 0, 0);
  const std::string before = target.State();
  try {
    RVFLoadDocument(*target.Editor.GetEditData(), bytes);
  } catch (const ERichViewError&) {
    if (target.State() != before)
      return "a failed read changed the document or the style sheet";
    return {};
  }
  target.Editor.Format();
  target.Editor.SelectAll();
  const std::string first = target.Save();
  TReadTarget again;
  try {
    RVFLoadDocument(*again.Editor.GetEditData(), first);
  } catch (const std::exception& e) {
    return std::string("what the writer wrote does not read back: ") + e.what();
  }
  if (again.Save() != first)
    return "writing what was read back gives other bytes";
  return {};
}

std::vector<std::string> RVFReadSeeds() {
  using namespace std::string_literals;
  const std::string v = "-8 1 3 2\r\n";
  return {
      v + "0 2 0 8 0 0\r\na\0b\0\x29\x20"s + "c\0\x29\x20"s,
      v + "4 1 -1 9 3 \"http://x\"\r\n410042\r\n",
      v + "0 1 0 8 3 0\r\n41002920\r\n",
      v + "0 1 0 8 0 0\r\nx\0\x29\x20"s + "-12 1 -1 9 0 0 1\r\nhint=h\r\n" +
          "-1 0 0 8 0 \"t\" 255 2 3\r\n-2 1 0 0 0 0 1 0\r\nname\r\n",
      v + "-9 1 0 0 0 0 9\r\n1\r\n-9 1 0 0 0 0 5\r\nk=v\r\n1 1 1 12 0 0\r\nz\0\x29\x20"s,
      v + "-9 2 0 0 2 0 1\r\nsheet\r\n" + "\x0C\0\0\0"s + "RVPS\x01\x0ATFontInfos\0"s +
          "0 1 0 8 0 0\r\nq\0\x29\x20"s,
  };
}

} // namespace quillon::fuzz
