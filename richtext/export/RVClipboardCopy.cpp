#include "richtext/export/RVClipboardCopy.h"

#include <cstdint>
#include <limits>

#include "richtext/document/RVRootProps.h"
#include "richtext/base/RVUniAnsi.h"
#include "richtext/export/RVClipboard.h"
#include "richtext/export/RVClipboardHTML.h"
#include "richtext/export/RVFWriter.h"
#include "richtext/export/RVRTFTables.h"
#include "richtext/export/RVRTFWriter.h"
#include "richtext/export/RVTextExport.h"
#include "richtext/export/RVStr.h"
#include "richtext/base/RVStream.h"
#include "richtext/layout/CRVFData.h"
#include "richtext/style/RVStyleTypes.h"

namespace richtext {

namespace {

// Runs Body inside the session the retrying open started, closing it once whatever happens.
template <class TBody> void InOpenClipboard(TBody&& Body) {
  TRVSystemClipboard& clipboard = RVSystemClipboard();
  try {
    Body();
  } catch (...) {
    clipboard.Close();
    throw;
  }
  clipboard.Close();
}

} // namespace

bool TRVSelectionCopier::HasSelection() {
  return FRVData.SelectionExists(true, true);
}

void TRVSelectionCopier::Copy(TColor Color, TRVBackground* Background) {
  if (!HasSelection())
    return;
  RVRegisterClipboardFormats();
  RVSystemClipboard().Clear();
  if (!RVTryOpenClipboard())
    return;
  InOpenClipboard([&] {
    FRVData.GetRootEvents()->DoCopy();
    CopyRVF_(Color, Background);
    if (!RVNT)
      CopyTextA_();
    CopyTextW_();
    CopyRTF_(Color, Background);
    CopyHTML_();
  });
}

bool TRVSelectionCopier::CopyDef(TColor Color, TRVBackground* Background) {
  const TRVOptions options = FRVData.GetOptions();
  // No item kind of this engine reports an image, so the text options always apply.
  const bool result = options.Contains(rvoAutoCopyText) || options.Contains(rvoAutoCopyRVF) ||
                      options.Contains(rvoAutoCopyUnicodeText) ||
                      options.Contains(rvoAutoCopyRTF) || options.Contains(rvoAutoCopyImage) ||
                      FRVData.GetRootEvents()->IsOnCopyAssigned();
  if (!result || !HasSelection())
    return result;
  RVRegisterClipboardFormats();
  RVSystemClipboard().Clear();
  if (!RVTryOpenClipboard())
    return result;
  InOpenClipboard([&] {
    FRVData.GetRootEvents()->DoCopy();
    if (options.Contains(rvoAutoCopyRVF))
      CopyRVF_(Color, Background);
    if (options.Contains(rvoAutoCopyText) &&
        (!RVNT || !options.Contains(rvoAutoCopyUnicodeText)))
      CopyTextA_();
    if (options.Contains(rvoAutoCopyUnicodeText))
      CopyTextW_();
    if (options.Contains(rvoAutoCopyRTF)) {
      CopyRTF_(Color, Background);
      CopyHTML_();
    }
  });
  return result;
}

void TRVSelectionCopier::CopyTextA() {
  if (!HasSelection())
    return;
  RVSystemClipboard().Clear();
  CopyTextA_();
}

void TRVSelectionCopier::CopyTextW() {
  if (!HasSelection())
    return;
  RVSystemClipboard().Clear();
  CopyTextW_();
}

void TRVSelectionCopier::CopyRVF(TColor Color, TRVBackground* Background) {
  if (!HasSelection())
    return;
  RVRegisterClipboardFormats();
  RVSystemClipboard().Clear();
  CopyRVF_(Color, Background);
}

void TRVSelectionCopier::CopyRTF(TColor Color, TRVBackground* Background) {
  if (!HasSelection())
    return;
  RVRegisterClipboardFormats();
  RVSystemClipboard().Clear();
  CopyRTF_(Color, Background);
}

void TRVSelectionCopier::CopyTextA_() {
  if (!HasSelection())
    return;
  RVSetTextToClipboardA(RVU_UnicodeToAnsi(RVU_GetKeyboardCodePage(), GetSelTextW(FRVData, false)),
                        CF_TEXT);
}

void TRVSelectionCopier::CopyTextW_() {
  if (!HasSelection())
    return;
  RVSetTextToClipboardW(GetSelTextW(FRVData, false), CF_UNICODETEXT);
}

void TRVSelectionCopier::CopyRVF_(TColor Color, TRVBackground* Background) {
  TRVMemoryStream stream;
  stream.Write(std::string(4, '\0')); // the length, once it is known
  // A failed write leaves what was written; that part still goes to the clipboard.
  SaveRVFToStream(FRVData, stream, true, Color, Background, nullptr, true);
  const std::uint64_t length = stream.Size() - 4;
  // The length field is 32 bits wide: a larger block could not be described, nor allocated
  // as one memory object on the systems this format comes from.
  if (length > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
    throw ERichViewError(errRVNoMemory);
  std::string block = stream.TakeBytes();
  for (int i = 0; i < 4; ++i)
    block[i] = static_cast<char>((length >> (8 * i)) & 0xFF);
  RVSetBytesToClipboard(block, CFRV_RVF);
}

void TRVSelectionCopier::CopyRTF_(TColor Color, TRVBackground* Background) {
  TRVMemoryStream stream;
  TRVRTFSavingData savingData;
  SaveRTFToStream(FRVData, stream, true, 0, Color, Background, savingData, 0, true, false);
  RVSetBytesToClipboard(stream.Bytes(), CFRV_RTF);
}

void TRVSelectionCopier::CopyHTML_() {
  const std::string fragment = RVGetSelHTMLFragment(FRVData);
  if (!fragment.empty())
    RVSetBytesToClipboard(fragment, CFRV_HTML);
}

} // namespace richtext
