// The engine's system clipboard on the Qt clipboard.
//
// The engine's open/close sessions meet a clipboard that takes one QMimeData at a time: the
// blocks set between the outermost open and close are collected and published together as one
// QMimeData when the session closes. Engine formats become MIME targets:
//   CF_UNICODETEXT      plain text (Qt offers it as text/plain, UTF8_STRING, STRING, TEXT)
//   CF_TEXT             plain text too, when no Unicode text came with it
//   "Rich Text Format"  text/rtf, application/rtf and text/richtext, the same bytes
//   "HTML Format"       text/html (the engine writes a UTF-8 fragment there)
//   any other name      the registered name itself, bytes unchanged ("RichView Format")
#pragma once

#include <QPointer>

#include <map>
#include <string>

#include "richtext/export/RVClipboard.h"

QT_BEGIN_NAMESPACE
class QMimeData;
QT_END_NAMESPACE

namespace quillon {

class TRVQtClipboard : public richtext::TRVSystemClipboard {
public:
  // The QMimeData for a session's blocks (the caller owns it).
  static QMimeData* MakeMimeData(const std::map<richtext::TRVClipboardFormat, std::string>& Blocks);

protected:
  // Refuses with ERVClipboardOpenError when no graphical session or clipboard is there.
  void DoOpen() override;
  // Publishes the session's blocks when it changed anything; an emptied session with no
  // blocks clears the clipboard.
  void DoClose() override;
  void DoEmpty() override;
  void DoSetData(richtext::TRVClipboardFormat Format, std::string Data) override;
  bool DoHasFormat(richtext::TRVClipboardFormat Format) override;
  std::string DoGetData(richtext::TRVClipboardFormat Format) override;

private:
  // What this process last published; a session that does not empty the clipboard adds to
  // it while the clipboard still holds it.
  std::map<richtext::TRVClipboardFormat, std::string> FBlocks;
  QPointer<QMimeData> FPublished;
  bool FChanged = false;
};

// Installs one TRVQtClipboard as the clipboard every copy of the engine goes to, and
// registers the engine's clipboard formats. Call once after the QGuiApplication exists.
void RegisterQtClipboard();

} // namespace quillon
