#include "platform/qt/RVQtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "richtext/base/RVUniAnsi.h"
#include "richtext/export/RVStr.h"

namespace quillon {

using namespace richtext;

namespace {

const QString kPlainText = QStringLiteral("text/plain");
const QString kHtml = QStringLiteral("text/html");
const QString kRtfTargets[] = {QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
                               QStringLiteral("text/richtext")};

QClipboard* QtClipboardOrNull() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    return nullptr;
  return QGuiApplication::clipboard();
}

QByteArray ToBytes(const std::string& bytes) {
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The text of a CF_UNICODETEXT block: UTF-16 little-endian up to its zero code unit.
QString UnicodeBlockText(const std::string& block) {
  std::u16string text = RVU_LEBytesToUnicode(std::string_view(block).substr(0, block.size() & ~1u));
  if (const auto zero = text.find(u'\0'); zero != std::u16string::npos)
    text.resize(zero);
  return QString::fromStdU16String(text);
}

QString AnsiBlockText(const std::string& block) {
  const std::string_view bytes(block.data(), std::min(block.size(), block.find('\0')));
  return QString::fromStdU16String(RVU_AnsiToUnicode(RVU_GetKeyboardCodePage(), bytes));
}

// The MIME target a registered format is read back from.
QString TargetOf(TRVClipboardFormat Format) {
  if (Format == CFRV_HTML)
    return kHtml;
  return QString::fromStdU16String(RVGetClipboardFormatName(Format));
}

} // namespace

QMimeData* TRVQtClipboard::MakeMimeData(const std::map<TRVClipboardFormat, std::string>& Blocks) {
  auto* data = new QMimeData;
  for (const auto& [format, block] : Blocks) {
    if (format == CF_UNICODETEXT) {
      data->setText(UnicodeBlockText(block));
    } else if (format == CF_TEXT) {
      if (!Blocks.contains(CF_UNICODETEXT))
        data->setText(AnsiBlockText(block));
    } else if (format == CFRV_RTF) {
      for (const QString& target : kRtfTargets)
        data->setData(target, ToBytes(block));
    } else if (const QString target = TargetOf(format); !target.isEmpty()) {
      data->setData(target, ToBytes(block));
    }
    // Standard formats without a counterpart here (a locale, say) are not published.
  }
  return data;
}

void TRVQtClipboard::DoOpen() {
  QClipboard* clipboard = QtClipboardOrNull();
  if (!clipboard)
    throw ERVClipboardOpenError("no graphical session is running");
  // Another program (or another part of this one) took the clipboard since: start afresh.
  if (!FPublished || clipboard->mimeData() != FPublished)
    FBlocks.clear();
  FChanged = false;
}

void TRVQtClipboard::DoClose() {
  if (!FChanged)
    return;
  FChanged = false;
  QClipboard* clipboard = QtClipboardOrNull();
  if (!clipboard)
    return;
  if (FBlocks.empty()) {
    FPublished = nullptr;
    clipboard->clear();
    return;
  }
  QMimeData* data = MakeMimeData(FBlocks);
  FPublished = data;
  clipboard->setMimeData(data); // the clipboard owns it from here
}

void TRVQtClipboard::DoEmpty() {
  FBlocks.clear();
  FChanged = true;
}

void TRVQtClipboard::DoSetData(TRVClipboardFormat Format, std::string Data) {
  FBlocks[Format] = std::move(Data);
  FChanged = true;
}

bool TRVQtClipboard::DoHasFormat(TRVClipboardFormat Format) {
  QClipboard* clipboard = QtClipboardOrNull();
  const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
  if (!data)
    return false;
  if (Format == CF_UNICODETEXT || Format == CF_TEXT)
    return data->hasText();
  if (Format == CFRV_RTF) {
    for (const QString& target : kRtfTargets)
      if (data->hasFormat(target))
        return true;
    return false;
  }
  const QString target = TargetOf(Format);
  return !target.isEmpty() && data->hasFormat(target);
}

std::string TRVQtClipboard::DoGetData(TRVClipboardFormat Format) {
  if (!DoHasFormat(Format))
    return {};
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (Format == CF_UNICODETEXT)
    return RVU_UnicodeToLEBytes(data->text().toStdU16String() + u'\0');
  if (Format == CF_TEXT)
    return RVU_UnicodeToAnsi(RVU_GetKeyboardCodePage(), data->text().toStdU16String()) + '\0';
  QByteArray bytes;
  if (Format == CFRV_RTF) {
    for (const QString& target : kRtfTargets)
      if (data->hasFormat(target)) {
        bytes = data->data(target);
        break;
      }
  } else {
    bytes = data->data(TargetOf(Format));
  }
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void RegisterQtClipboard() {
  static TRVQtClipboard clipboard;
  RVRegisterClipboardFormats();
  RVSetSystemClipboard(&clipboard);
}

} // namespace quillon
