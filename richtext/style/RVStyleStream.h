// Stream form of text and paragraph style collections over the property stream.
#pragma once

#include <string>
#include <string_view>

#include "richtext/style/RVPropStream.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

// One style's properties (only those that differ from the defaults, in the fixed order).
// IgnoreStyleTemplates leaves out StyleTemplateId and ModifiedProps.
void RVWriteFontInfoProperties(TRVPropertyWriter& Writer, const TFontInfo& Style,
                               bool IgnoreStyleTemplates);
void RVWriteParaInfoProperties(TRVPropertyWriter& Writer, const TParaInfo& Style,
                               bool IgnoreStyleTemplates);
// Reads one property whose name the reader has just given; unknown names are skipped.
void RVReadFontInfoProperty(TRVPropertyReader& Reader, const std::string& Name, TFontInfo& Style);
void RVReadParaInfoProperty(TRVPropertyReader& Reader, const std::string& Name, TParaInfo& Style);

// A whole collection as one object ("TFontInfos" / "TParaInfos") holding the collection
// property "Items". Writing uses the owning sheet's IgnoreStyleTemplates when there is one.
void RVWriteFontInfos(TRVPropertyWriter& Writer, const TFontInfos& Styles);
void RVWriteParaInfos(TRVPropertyWriter& Writer, const TParaInfos& Styles);
// Replaces the collection's styles by those read.
void RVReadFontInfos(TRVPropertyReader& Reader, TFontInfos& Styles);
void RVReadParaInfos(TRVPropertyReader& Reader, TParaInfos& Styles);

// The same with the stream signature, over whole byte buffers.
std::string RVSaveFontInfosToBytes(const TFontInfos& Styles);
std::string RVSaveParaInfosToBytes(const TParaInfos& Styles);
void RVLoadFontInfosFromBytes(std::string_view Bytes, TFontInfos& Styles);
void RVLoadParaInfosFromBytes(std::string_view Bytes, TParaInfos& Styles);

} // namespace richtext
