// The engine's clipboard formats registered by name, and their numbers for this run.
#pragma once

#include "richtext/export/RVClipboard.h"

namespace richtext {

inline constexpr char16_t RVFORMATNAME[] = u"RichView Format";
inline constexpr char16_t RTFORMATNAME[] = u"Rich Text Format";
inline constexpr char16_t URLFORMATNAME[] = u"UniformResourceLocator";
inline constexpr char16_t URLFORMATNAMEW[] = u"UniformResourceLocatorW";
inline constexpr char16_t HTMLFORMATNAME[] = u"HTML Format";

// 0 until RVRegisterClipboardFormats has run; then fixed for the rest of the run.
extern TRVClipboardFormat CFRV_RVF;
extern TRVClipboardFormat CFRV_RTF;
extern TRVClipboardFormat CFRV_URL;
extern TRVClipboardFormat CFRV_URLW;
extern TRVClipboardFormat CFRV_HTML;

// Registers the five names in the order above. The program calls it once at start; the copy
// and read paths call it too, so that a program that forgot still writes named formats (a
// second call changes nothing).
void RVRegisterClipboardFormats();

} // namespace richtext
