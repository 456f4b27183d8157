#include "richtext/export/RVStr.h"

namespace richtext {

TRVClipboardFormat CFRV_RVF = 0;
TRVClipboardFormat CFRV_RTF = 0;
TRVClipboardFormat CFRV_URL = 0;
TRVClipboardFormat CFRV_URLW = 0;
TRVClipboardFormat CFRV_HTML = 0;

void RVRegisterClipboardFormats() {
  if (CFRV_RVF != 0)
    return;
  CFRV_RVF = RVRegisterClipboardFormat(RVFORMATNAME);
  CFRV_RTF = RVRegisterClipboardFormat(RTFORMATNAME);
  CFRV_URL = RVRegisterClipboardFormat(URLFORMATNAME);
  CFRV_URLW = RVRegisterClipboardFormat(URLFORMATNAMEW);
  CFRV_HTML = RVRegisterClipboardFormat(HTMLFORMATNAME);
}

} // namespace richtext
