// Compact text dumps of styles and property streams, so tests compare readable strings.
#pragma once

#include <string>
#include <string_view>

#include "richtext/style/RVStyle.h"

namespace richtext::test {

std::string Utf8(const std::u16string& s);
// "name|font|size" and then every field that differs from a new style's, as key=value.
std::string DumpFont(const TFontInfo& f);
std::string DumpPara(const TParaInfo& p);
// Every style of a collection, one per line.
std::string DumpFonts(const TFontInfos& c);
std::string DumpParas(const TParaInfos& c);
// A property stream (with signature) as nested "name=value" lines.
std::string DumpStream(std::string_view bytes);

} // namespace richtext::test
