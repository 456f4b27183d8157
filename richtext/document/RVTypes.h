// Enumerations and sets shared by the document data, the items and the controls that own
// documents. Bit number = ordinal throughout, so raw set values match the stored forms.
#pragma once

#include <cstdint>
#include <string>

#include "richtext/base/RVSet.h"

namespace richtext {

using TRVUnicodeString = std::u16string;
// Application data attached to an item or a checkpoint; a hyperlink keeps its target here.
using TRVTag = std::u16string;

// Run-time state of a document (40 members, 5 bytes).
enum class TRVState : unsigned {
  rvstMakingSelection,
  rvstLineSelection,
  rvstDrawHover,
  rvstSkipFormatting,
  rvstFormatting,
  rvstFormattingPart,
  rvstChangingBkPalette,
  rvstCompletelySelected,
  rvstClearing,
  rvstDoNotMoveChildren,
  rvstForceStyleChangeEvent,
  rvstIgnoreNextChar,
  rvstDoNotTab,
  rvstDeselecting,
  rvstUnAssigningChosen,
  rvstNoScroll,
  rvstFinalizingUndo,
  rvstRTFSkipPar,
  rvstLoadingAsPartOfItem,
  rvstLoadingAsSubDoc,
  rvstNoKillFocusEvents,
  rvstEditorUnformatted,
  rvstNameSet,
  rvstFirstParaAborted,
  rvstLastParaAborted,
  rvstInvalidSelection,
  rvstDoNotClearCurTag,
  rvstStartingDragDrop,
  rvstCanDragDropDeleteSelection,
  rvstKeyPress,
  rvstDoNotSaveContent,
  rvstPreserveSoftPageBreaks,
  rvstNoDBExitUpdate,
  rvstSavingPage,
  rvstRVFUsesUnits,
  rvstCreatingInplace,
  rvstNoSpecialCharacters,
  rvstJumpsJustBuilt,
  rvstNoStyleTemplateAdustment,
  rvstTouchMouseDown
};
using enum TRVState;
using TRVStates = TRVSet<TRVState, std::uint64_t>;

// What a document knows about its owner (2 bytes).
enum class TRVFlag : unsigned {
  rvflUseJumps,
  rvflIgnoreMouseLeave,
  rvflTrim,
  rvflShareContents,
  rvflUseExternalLeading,
  rvflMouseXYAlwaysCorrect,
  rvflAllowCustomDrawItems,
  rvflPrinting,
  rvflRootEditor,
  rvflRoot,
  rvflDBRichViewEdit,
  rvflCanUseCustomPPI,
  rvflCanProcessGetText,
  rvflProcessedWidthHeight
};
using enum TRVFlag;
using TRVFlags = TRVSet<TRVFlag, std::uint16_t>;

// Options of a control, read by every document of it through the root document.
enum class TRVOption : unsigned {
  rvoAllowSelection,
  rvoSingleClick,
  rvoScrollToEnd,
  rvoClientTextWidth,
  rvoShowCheckpoints,
  rvoShowPageBreaks,
  rvoShowSpecialCharacters,
  rvoShowHiddenText,
  rvoTagsArePChars,
  rvoAutoCopyText,
  rvoAutoCopyUnicodeText,
  rvoAutoCopyRVF,
  rvoAutoCopyImage,
  rvoAutoCopyRTF,
  rvoFormatInvalidate,
  rvoDblClickSelectsWord,
  rvoRClickDeselects,
  rvoDisallowDrag,
  rvoShowItemHints,
  rvoShowGridLines,
  rvoFastFormatting,
  rvoPercentEncodedURL,
  rvoAssignImageFileNames
};
using enum TRVOption;
using TRVOptions = TRVSet<TRVOption, std::uint32_t>;

// RichView Format saving and loading options.
enum class TRVFOption : unsigned {
  rvfoSavePicturesBody,
  rvfoSaveControlsBody,
  rvfoIgnoreUnknownPicFmt,
  rvfoIgnoreUnknownCtrls,
  rvfoIgnoreUnknownCtrlProperties,
  rvfoConvUnknownStylesToZero,
  rvfoConvLargeImageIdxToZero,
  rvfoSaveBinary,
  rvfoUseStyleNames,
  rvfoSaveBack,
  rvfoLoadBack,
  rvfoSaveTextStyles,
  rvfoSaveParaStyles,
  rvfoSaveLayout,
  rvfoLoadLayout,
  rvfoSaveDocProperties,
  rvfoLoadDocProperties,
  rvfoCanChangeUnits,
  rvfoSaveStyleTemplatesOnlyNames,
  rvfoSaveDocObjects,
  rvfoLoadDocObjects,
  rvfoIgnoreGraphicClasses
};
using enum TRVFOption;
using TRVFOptions = TRVSet<TRVFOption, std::uint32_t>;

// RTF saving options.
enum class TRVRTFOption : unsigned {
  rvrtfSaveStyleSheet,
  rvrtfDuplicateUnicode,
  rvrtfSaveEMFAsWMF,
  rvrtfSaveJpegAsJpeg,
  rvrtfSavePngAsPng,
  rvrtfSaveBitmapDefault,
  rvrtfSaveEMFDefault,
  rvrtfSavePicturesBinary,
  rvrtfPNGInsteadOfBitmap,
  rvrtfSaveDocParameters,
  rvrtfSaveHeaderFooter
};
using enum TRVRTFOption;
using TRVRTFOptions = TRVSet<TRVRTFOption, std::uint16_t>;

// How styles read from RichView Format meet the style sheet.
enum class TRVFReaderStyleMode : unsigned { rvf_sIgnore, rvf_sInsertMap, rvf_sInsertMerge };
using enum TRVFReaderStyleMode;

// Item notifications reported through TCustomRVData::ItemAction.
enum class TRVItemAction : unsigned {
  rviaInserting,
  rviaInserted,
  rviaTextModifying,
  rviaDestroying,
  rviaMovingToUndoList
};
using enum TRVItemAction;

// Long operations that report progress, and the stages of a report.
enum class TRVLongOperation : unsigned {
  rvloLoading,
  rvloConverting,
  rvloRVFRead,
  rvloRTFRead,
  rvloTextRead,
  rvloHTMLRead,
  rvloRVFWrite,
  rvloRTFWrite,
  rvloTextWrite,
  rvloHTMLWrite
};
using enum TRVLongOperation;
enum class TRVProgressStage : unsigned { rvpstgStarting, rvpstgRunning, rvpstgEnding };
using enum TRVProgressStage;

// Which export a per-item hook is asked for.
enum class TRVSaveFormat : unsigned { rvsfText, rvsfHTML, rvsfRTF, rvsfRVF, rvsfDocX };
using enum TRVSaveFormat;

// Places of an RTF file where an application may add code of its own.
enum class TRVRTFSaveArea : unsigned {
  rv_rtfs_TextStyle,
  rv_rtfs_ParaStyle,
  rv_rtfs_ListStyle,
  rv_rtfs_StyleTemplate,
  rv_rtfs_StyleTemplateText,
  rv_rtfs_CellProps,
  rv_rtfs_RowProps,
  rv_rtfs_Doc
};
using enum TRVRTFSaveArea;

// How pictures are handled on a palette display. Only true-colour displays exist here, so
// items keep no palette copies; the mode is stored for the documents that ask for it.
enum class TRVPaletteAction : unsigned {
  rvpaDoNothing,
  rvpaAssignPalette,
  rvpaCreateCopies,
  rvpaCreateCopiesEx
};
using enum TRVPaletteAction;

} // namespace richtext
