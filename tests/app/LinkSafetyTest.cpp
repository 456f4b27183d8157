// Addresses whose scheme runs code where a link is followed, read as a browser reads them.
#include <gtest/gtest.h>

#include "app/LinkSafety.h"
#include "app/Utf.h"
#include "richtext/base/RVLinkScheme.h"

namespace quillon {
namespace {

TEST(LinkSafety, FoundAsBrowsersReadTheAddress) {
  const std::pair<const char16_t*, const char*> found[] = {
      {u"javascript:alert(1)", "javascript"},
      {u"JaVaScRiPt:alert(1)", "javascript"},
      {u"  \t javascript:x", "javascript"},
      {u"\x01\x1Fjavascript:x", "javascript"},
      {u"java\tscr\nipt\r:x", "javascript"},
      {u"vbscript:msgbox(1)", "vbscript"},
      {u"VBSCRIPT:x", "vbscript"},
      {u"data:text/html,<script>alert(1)</script>", "data"},
      {u"DATA:,x", "data"},
  };
  for (const auto& [address, scheme] : found) {
    EXPECT_EQ(std::optional<std::string>(scheme), richtext::RV_ScriptingScheme(address)) << ToUtf8(address);
    EXPECT_THROW(RefuseScriptingAddress(address), std::exception) << ToUtf8(address);
  }
  for (const char16_t* address :
       {u"http://x/javascript:alert(1)", u"https://javascript.example/", u"javascripts:x",
        u"mailto:a@b", u"ftp://x", u"javascript", u"//javascript:x", u"x javascript:y",
        u"datax:y", u"", u"/data:x"}) {
    EXPECT_EQ(std::nullopt, richtext::RV_ScriptingScheme(address)) << ToUtf8(address);
    EXPECT_NO_THROW(RefuseScriptingAddress(address)) << ToUtf8(address);
  }
}

} // namespace
} // namespace quillon
