// RichView Format: header pieces shared by the document writer and the items' own writers,
// and the records that come before the items (version, units, resolution, style sheets,
// document properties).
#include "richtext/export/RVFWriter.h"

#include <cstring>
#include <string>

#include "richtext/document/CRVData.h"
#include "richtext/export/RVFMisc.h"
#include "richtext/export/RVFWriterRecords.h"
#include "richtext/base/RVStream.h"
#include "richtext/graphics/RVCanvas.h"
#include "richtext/style/RVPropStream.h"
#include "richtext/style/RVStyle.h"
#include "richtext/style/RVStyleStream.h"

namespace richtext {

bool RichViewAllowCopyTableCells = true;

namespace {

const TRVRootProperties DefaultRootProperties;

TRVFOptions OptionsOf(TCustomRVData* RVData) {
  const TRVRootProperties* props = RVData != nullptr ? RVData->GetRootProperties() : nullptr;
  return (props != nullptr ? props : &DefaultRootProperties)->RVFOptions;
}

// "-9 n 0 0 r 0 kind": a document property record of n lines.
std::string DocPropHeader(std::int32_t LineCount, std::int32_t ReadType, std::int32_t Kind) {
  return std::to_string(rvsDocProperty) + ' ' + std::to_string(LineCount) + " 0 0 " +
         std::to_string(ReadType) + " 0 " + std::to_string(Kind);
}

// Each code unit cut to its low byte, as the name line has always been written.
std::string LowBytes(std::u16string_view s) {
  std::string out(s.size(), '\0');
  for (std::size_t i = 0; i < s.size(); ++i)
    out[i] = static_cast<char>(s[i] & 0xFF);
  return out;
}

void WriteInt32(TRVStream& Stream, std::int32_t Value) {
  const auto v = static_cast<std::uint32_t>(Value);
  const char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                         static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
  Stream.WriteBuffer(bytes, 4);
}

// The base properties every style collection item shares, as the text and paragraph styles
// write them: only what differs from a new style.
void WriteBaseInfoProperties(TRVPropertyWriter& Writer, const TCustomRVInfo& Info,
                             bool NameOnly) {
  if (!NameOnly) {
    if (Info.BaseStyleNo != -1)
      Writer.WriteInteger("BaseStyleNo", Info.BaseStyleNo);
    if (!Info.Standard)
      Writer.WriteBoolean("Standard", false);
  }
  if (Info.StyleName != Info.GetDefaultStyleName())
    Writer.WriteString("StyleName", Info.StyleName);
}

template <typename Infos>
std::string SaveBaseInfosToBytes(const char* ClassName, const Infos& Collection, bool NameOnly) {
  std::string out;
  TRVPropertyWriter w(out);
  w.WriteSignature();
  w.BeginObject(ClassName);
  w.BeginCollection("Items");
  for (int i = 0; i < Collection.Count(); ++i) {
    w.BeginItem();
    WriteBaseInfoProperties(w, *Collection.Items(i), NameOnly);
    w.EndItem();
  }
  w.EndCollection();
  w.EndObject();
  return out;
}

// One style record: header, the sheet's name, then the collection's property stream as a
// length-prefixed block (binary) or as one hexadecimal line.
void WriteStylesRecord(TRVStream& Stream, const TRVStyle& Style, std::int32_t Kind, bool Binary,
                       const std::string& Collection) {
  RVFWriteLine(Stream, DocPropHeader(2, Binary ? RVF_READTYPE_BINARY : RVF_READTYPE_TEXT, Kind));
  RVFWriteLine(Stream, LowBytes(Style.Name));
  if (Binary) {
    WriteInt32(Stream, static_cast<std::int32_t>(Collection.size()));
    RVFWrite(Stream, Collection);
  } else {
    RVFWriteLine(Stream, RVEncodeString(Collection));
  }
}

// Sets the sheet's IgnoreStyleTemplates for the time the style records are written.
class TIgnoreTemplatesScope {
public:
  TIgnoreTemplatesScope(TRVStyle& Style, bool Value)
      : FStyle(Style), FSaved(Style.IgnoreStyleTemplates) {
    FStyle.IgnoreStyleTemplates = Value;
  }
  ~TIgnoreTemplatesScope() { FStyle.IgnoreStyleTemplates = FSaved; }
  TIgnoreTemplatesScope(const TIgnoreTemplatesScope&) = delete;
  TIgnoreTemplatesScope& operator=(const TIgnoreTemplatesScope&) = delete;

private:
  TRVStyle& FStyle;
  bool FSaved;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Header pieces

std::string RVFSaveText(TCustomRVData* RVData, std::int32_t StyleNo) {
  if (OptionsOf(RVData).Contains(rvfoUseStyleNames)) {
    const TRVStyle* style = RVData->GetRVStyle();
    if (style != nullptr && style->TextStyles.IsValidIndex(StyleNo))
      return RVQuotedStrA(UnicodeStringToRVFString(style->TextStyles[StyleNo].StyleName));
  }
  return std::to_string(StyleNo);
}

std::string RVFSavePara(TCustomRVData* RVData, std::int32_t ParaNo) {
  if (ParaNo >= 0 && OptionsOf(RVData).Contains(rvfoUseStyleNames)) {
    const TRVStyle* style = RVData->GetRVStyle();
    if (style != nullptr && style->ParaStyles.IsValidIndex(ParaNo))
      return RVQuotedStrA(UnicodeStringToRVFString(style->ParaStyles[ParaNo].StyleName));
  }
  return std::to_string(ParaNo);
}

std::int32_t RVFGetItemOptions(TRVItemOptions Options, bool Force) {
  if (Force) {
    Options.Exclude(rvioPageBreakBefore);
    Options.Exclude(rvioBR);
    Options.Include(rvioSameAsPrev);
  }
  return static_cast<std::int32_t>(Options.Value() & RVItemOptionsMask);
}

std::string RVFSaveHint(const TRVUnicodeString& Hint) {
  if (Hint.empty())
    return {};
  return ' ' + RVQuotedStrA(UnicodeStringToRVFString(Hint));
}

void RVFWriteCheckpoint(TRVStream& Stream, const TRVCPInfo& Checkpoint) {
  RVFWriteLine(Stream, std::to_string(rvsCheckpoint) + " 1 0 0 0 " + RVFSaveTag(Checkpoint.Tag) +
                           (Checkpoint.RaiseEvent ? " 1" : " 0") +
                           (Checkpoint.Persistent ? " 1" : " 0"));
  RVFWriteLine(Stream, UnicodeStringToRVFString(Checkpoint.Name));
}

std::int32_t RV_GetPixelsPerInch() {
  return RichViewPixelsPerInch > 0 ? RichViewPixelsPerInch : RV_GetScreenPixelsPerInch();
}

// ---------------------------------------------------------------------------------------------
// Records before the items

void RVFWriteVersion(TRVStream& Stream) {
  RVFWriteLine(Stream, std::to_string(rvsVersionInfo) + ' ' + std::to_string(RVFVersion) + ' ' +
                           std::to_string(RVFSubVersion) + RVFSubSubVersion);
}

void RVFWriteRootRecords(TRVStream& Stream, TCustomRVData& RVData, TRVFSaveScope SaveScope,
                         TRVFOptions Options) {
  TRVStyle* style = RVData.GetRVStyle();
  if (style != nullptr && style->Units == rvstuTwips) {
    RVFWriteLine(Stream, DocPropHeader(1, RVF_READTYPE_TEXT, RVF_DOCPROP_UNITS));
    RVFWriteLine(Stream, "1");
  }
  RVFWriteLine(Stream, DocPropHeader(1, RVF_READTYPE_TEXT, RVF_DOCPROP_PIXELSPERINCH));
  RVFWriteLine(Stream, std::to_string(RV_GetPixelsPerInch()));

  const TRVRootProperties* props = RVData.GetRootProperties();
  if (props == nullptr)
    props = &DefaultRootProperties;
  const bool binary = Options.Contains(rvfoSaveBinary);
  const bool bothStyles = Options.Contains(rvfoSaveTextStyles) && Options.Contains(rvfoSaveParaStyles);
  const bool pageScope = SaveScope == rvfss_Page || SaveScope == rvfss_FromPage ||
                         SaveScope == rvfss_FullInPage;
  if (style != nullptr) {
    const bool templates = props->UseStyleTemplates;
    TIgnoreTemplatesScope ignore(*style, !(bothStyles && templates));
    if (bothStyles && templates && style->MainRVStyle == nullptr) {
      const bool namesOnly = Options.Contains(rvfoSaveStyleTemplatesOnlyNames);
      WriteStylesRecord(Stream, *style,
                        namesOnly ? RVF_DOCPROP_STYLETEMPLATENAMES : RVF_DOCPROP_STYLETEMPLATES,
                        binary,
                        SaveBaseInfosToBytes("TRVStyleTemplateCollection", style->StyleTemplates,
                                             namesOnly));
    }
    if (Options.Contains(rvfoSaveTextStyles))
      WriteStylesRecord(Stream, *style, RVF_DOCPROP_TEXTSTYLES, binary,
                        RVSaveFontInfosToBytes(style->TextStyles));
    if (Options.Contains(rvfoSaveParaStyles)) {
      WriteStylesRecord(Stream, *style, RVF_DOCPROP_PARASTYLES, binary,
                        RVSaveParaInfosToBytes(style->ParaStyles));
      WriteStylesRecord(Stream, *style, RVF_DOCPROP_LISTSTYLES, binary,
                        SaveBaseInfosToBytes("TRVListInfos", style->ListStyles, false));
    }
  }
  if (Options.Contains(rvfoSaveDocProperties) && !pageScope) {
    if (&RVData == RVData.GetAbsoluteRootData() && !props->DocProperties.empty()) {
      RVFWriteLine(Stream,
                   DocPropHeader(static_cast<std::int32_t>(props->DocProperties.size()),
                                 RVF_READTYPE_TEXT, RVF_DOCPROP_DOCPROPLIST));
      for (const std::u16string& property : props->DocProperties)
        RVFWriteLine(Stream, UnicodeStringToRVFString(property));
    }
    // The engine keeps no document parameters of its own: the record says so with no lines.
    RVFWriteLine(Stream, DocPropHeader(0, RVF_READTYPE_TEXT, RVF_DOCPROP_DOCPARAMETERS));
  }
  // Document objects are written only when there are any, and this engine has none.
}

} // namespace richtext
