// What the top-level document of a control keeps for all its documents (root properties),
// and what it asks of its owner on their behalf (root events).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "richtext/document/RVTypes.h"

namespace richtext {

class TCustomRVData;

// The 35 characters that end a word for word-wise selection.
extern const std::u16string RVDefaultDelimiters;

class TRVRootProperties {
public:
  TRVFOptions RVFOptions{rvfoSavePicturesBody,  rvfoSaveControlsBody,  rvfoSaveBinary,
                         rvfoSaveDocProperties, rvfoLoadDocProperties, rvfoSaveDocObjects,
                         rvfoLoadDocObjects};
  TRVRTFOptions RTFOptions{rvrtfDuplicateUnicode, rvrtfSaveEMFAsWMF, rvrtfSaveJpegAsJpeg,
                           rvrtfSavePngAsPng};
  TRVFReaderStyleMode RVFTextStylesReadMode = rvf_sInsertMerge;
  TRVFReaderStyleMode RVFParaStylesReadMode = rvf_sInsertMerge;
  std::u16string NoteText = u"?";
  std::u16string Delimiters = RVDefaultDelimiters;
  // Text styles are combined with the paragraphs' style templates.
  bool UseStyleTemplates = false;
  // Document properties ("name=value" strings) saved with the document.
  std::vector<std::u16string> DocProperties;
  // Documents kept beside the main one (headers, footers); not owned.
  std::vector<TCustomRVData*> ExtraDocuments;
};

// Hooks of the document's owner. The defaults are what happens when no handler is assigned.
class TRVRootEvents {
public:
  virtual ~TRVRootEvents() = default;

  virtual bool HasProgressHandler() const { return false; }
  virtual void DoProgress(TRVLongOperation, TRVProgressStage, std::uint8_t /*PercentDone*/) {}
  virtual bool IsOnCopyAssigned() const { return false; }
  virtual void DoCopy() {}
  // Hyperlink target and extras for a writer; the target is the item's tag by default.
  virtual void WriteHyperlink(int id, TCustomRVData* RVData, int ItemNo, TRVSaveFormat SaveFormat,
                              std::u16string& Target, std::u16string& Extras);
  // Custom output of one item; true when the owner supplied Text.
  virtual bool SaveItemToFile(const std::u16string& Path, TCustomRVData* RVData, int ItemNo,
                              TRVSaveFormat SaveFormat, std::u16string& Text);
  // RTF code to add at a place of the file (bytes, 7-bit).
  virtual std::string GetExtraRTFCode(TRVRTFSaveArea Area, const void* Obj, int Index1, int Index2,
                                      bool InStyleSheet);
};

} // namespace richtext
