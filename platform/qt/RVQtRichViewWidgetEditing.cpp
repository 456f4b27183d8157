// Editing in the rich view widget: keys and input-method events become the editor's calls;
// the editor does the editing, undo and clipboard work, and the widget repaints.
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <functional>

#include "platform/qt/RVQtRichViewWidget.h"
#include "richtext/style/RVStyle.h"

namespace quillon {

namespace {

std::u16string ToU16(const QString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

// Text a key types: printable characters only, and no shortcut modifier held.
bool IsTypedText(const QKeyEvent& Event) {
  const Qt::KeyboardModifiers mods = Event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (mods != Qt::NoModifier || Event.text().isEmpty())
    return false;
  for (const QChar c : Event.text())
    if (c.unicode() < 0x20 || c.unicode() == 0x7F)
      return false;
  return true;
}

} // namespace

richtext::TCustomRichViewEdit* TRVQtRichViewWidget::Editor() const {
  return dynamic_cast<richtext::TCustomRichViewEdit*>(FView);
}

bool TRVQtRichViewWidget::HandleEditingKey(QKeyEvent* event) {
  richtext::TCustomRichViewEdit* editor = Editor();
  if (editor == nullptr)
    return false;
  const Qt::KeyboardModifiers mods =
      event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
  const bool ctrl = mods == Qt::ControlModifier;
  const bool ctrlShift = mods == (Qt::ControlModifier | Qt::ShiftModifier);
  const bool shift = mods == Qt::ShiftModifier;
  const bool plain = mods == Qt::NoModifier;
  const int key = event->key();
  // Through the one guard of engine calls: a failing edit, cut or paste is reported as a
  // failing copy is, and the edit then did not happen.
  auto run = [&](const std::function<void()>& call) {
    Run(call);
    update();
    event->accept();
    return true;
  };
  if ((ctrl && key == Qt::Key_Z))
    return run([&] { editor->Undo(); });
  if ((ctrl && key == Qt::Key_Y) || (ctrlShift && key == Qt::Key_Z))
    return run([&] { editor->Redo(); });
  if ((ctrl && key == Qt::Key_X) || (shift && key == Qt::Key_Delete))
    return run([&] { editor->CutDef(); });
  if ((ctrl && key == Qt::Key_V) || (shift && key == Qt::Key_Insert))
    return run([&] { editor->PasteDef(); });
  if ((plain || shift) && (key == Qt::Key_Return || key == Qt::Key_Enter))
    return run([&] { shift ? editor->InsertLineBreak() : editor->InsertParagraphBreak(); });
  if ((plain || ctrl) && key == Qt::Key_Backspace)
    return run([&] { editor->DeleteBackward(ctrl); });
  if ((plain || ctrl) && key == Qt::Key_Delete)
    return run([&] { editor->DeleteForward(ctrl); });
  if (plain && key == Qt::Key_Tab && editor->EditorOptions.Contains(richtext::rvoWantTabs))
    return run([&] { editor->InsertText(u"\t", false); });
  if (IsTypedText(*event) && !editor->GetReadOnly())
    return run([&] { editor->InsertText(ToU16(event->text())); });
  return false;
}

void TRVQtRichViewWidget::inputMethodEvent(QInputMethodEvent* event) {
  richtext::TCustomRichViewEdit* editor = Editor();
  if (editor == nullptr || editor->GetReadOnly()) {
    event->ignore();
    return;
  }
  const QString& preedit = event->preeditString();
  qsizetype cursor = preedit.size();
  for (const QInputMethodEvent::Attribute& a : event->attributes())
    if (a.type == QInputMethodEvent::Cursor)
      cursor = a.start;
  Run([&] {
    if (!event->commitString().isEmpty() || event->replacementLength() > 0)
      editor->CommitComposition(ToU16(event->commitString()), event->replacementStart(),
                                event->replacementLength());
    editor->SetComposition(ToU16(preedit), static_cast<std::int32_t>(cursor));
  });
  event->accept();
  SyncScrollBar();
  update();
}

void TRVQtRichViewWidget::EndComposition() {
  richtext::TCustomRichViewEdit* editor = Editor();
  if (editor == nullptr || !editor->HasComposition())
    return;
  QGuiApplication::inputMethod()->commit();
  if (editor->HasComposition())
    Run([&] { editor->SetComposition(u"", 0); });
  update();
}

QString TRVQtRichViewWidget::PreeditText() const {
  richtext::TCustomRichViewEdit* editor = Editor();
  if (editor == nullptr)
    return {};
  const std::u16string text = editor->GetCompositionText();
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QRect TRVQtRichViewWidget::CaretRect() const {
  richtext::TCustomRichViewEdit* editor = Editor();
  richtext::TRect r{};
  if (editor == nullptr || !editor->GetEditCaretRect(r))
    return {};
  const QPoint origin = contentsRect().topLeft();
  return QRect(r.Left + origin.x(), r.Top + origin.y(), std::max(r.Right - r.Left, 1),
               std::max(r.Bottom - r.Top, 1));
}

QFont TRVQtRichViewWidget::TypingFont() const {
  richtext::TCustomRichViewEdit* editor = Editor();
  if (editor == nullptr || editor->GetStyle() == nullptr)
    return font();
  richtext::TRVTag tag;
  const std::int32_t style = editor->GetTypingStyle(editor->GetEditCaretPos(), tag);
  editor->GetStyle()->ApplyStyle(*FCanvas, style, richtext::rvbdUnspecified, false);
  return FCanvas->GetQFont();
}

void TRVQtRichViewWidget::PaintComposition(QPainter& Painter) {
  richtext::TCustomRichViewEdit* editor = Editor();
  richtext::TRVItemPos from, to;
  if (editor == nullptr || !editor->GetCompositionRange(from, to))
    return;
  Painter.resetTransform();
  Painter.setClipRect(contentsRect());
  Painter.setPen(QPen(palette().color(QPalette::Text), 1));
  const QPoint origin = contentsRect().topLeft();
  // One line under each piece of the composition that one line of the layout holds.
  richtext::TRect first{}, last{};
  auto underline = [&] {
    const int y = origin.y() + first.Bottom - 2;
    Painter.drawLine(origin.x() + first.Left, y, origin.x() + last.Left, y);
  };
  bool open = false;
  for (richtext::TRVItemPos p = from; p.Offs <= to.Offs; ++p.Offs) {
    richtext::TRect r{};
    if (!editor->GetItemPosRect(p, r))
      return;
    if (open && r.Top != first.Top) {
      underline();
      open = false;
    }
    if (!open) {
      first = r;
      open = true;
    }
    last = r;
  }
  if (open)
    underline();
}

QVariant TRVQtRichViewWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
  richtext::TCustomRichViewEdit* editor = Editor();
  if (editor == nullptr)
    return QFrame::inputMethodQuery(query);
  switch (query) {
  case Qt::ImEnabled:
    return !editor->GetReadOnly();
  case Qt::ImCursorRectangle:
  case Qt::ImAnchorRectangle:
    return CaretRect();
  case Qt::ImFont:
    return TypingFont();
  case Qt::ImHints:
    return static_cast<int>(Qt::ImhMultiLine);
  case Qt::ImCursorPosition:
  case Qt::ImAnchorPosition:
  case Qt::ImSurroundingText: {
    // The caret's item without the composition, which is not text yet.
    richtext::TRVItemPos c = editor->GetEditCaretPos(), to;
    const bool composing = editor->GetCompositionRange(c, to);
    if (c.ItemNo < 0 || editor->GetItemStyle(c.ItemNo) < 0)
      return query == Qt::ImSurroundingText ? QVariant(QString()) : QVariant(0);
    std::u16string text = editor->RVData->GetItemText(c.ItemNo);
    if (composing)
      text.erase(static_cast<std::size_t>(c.Offs - 1), static_cast<std::size_t>(to.Offs - c.Offs));
    if (query == Qt::ImSurroundingText)
      return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    return c.Offs - 1;
  }
  case Qt::ImCurrentSelection:
    return QString();
  default:
    return QFrame::inputMethodQuery(query);
  }
}

} // namespace quillon
