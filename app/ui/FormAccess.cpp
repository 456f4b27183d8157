#include "app/ui/FormAccess.h"

#include <QAbstractButton>
#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QSettings>
#include <QShortcut>
#include <QToolButton>

#include <initializer_list>

#include "app/ui/LinkTools.h"
#include "app/ui/Unit1.h"

namespace quillon {

namespace {

const char kStayOnTopKey[] = "window/stayOnTop";

QKeySequence Alt(Qt::Key key, Qt::KeyboardModifiers more = {}) {
  return QKeySequence(QKeyCombination(Qt::AltModifier | more, key));
}

} // namespace

TFormAccess::TFormAccess(TForm1& form)
    : QObject(&form), FForm(&form),
      FSettings(new QSettings(QSettings::NativeFormat, QSettings::UserScope,
                              QStringLiteral("quillon"), QStringLiteral("quillon"), this)) {
  form.Label5->setBuddy(form.Edit1);
  form.Label6->setBuddy(form.Edit2);
  form.Label2->setBuddy(form.ListBox1);
  form.Label3->setBuddy(form.ListBox2);

  Describe(&form, tr("Quillon"), tr("把标题和网址组成 MarkDown 和 BBCode 链接，并保存在两个列表中"));
  Describe(form.Label5, form.Label5->text(), tr("标题输入框的标签"));
  Describe(form.Label6, form.Label6->text(), tr("链接输入框的标签"));
  Describe(form.Label2, form.Label2->text(), tr("富文本型列表的标签"));
  Describe(form.Label3, form.Label3->text(), tr("MarkDown型列表的标签"));
  Describe(form.Edit1, tr("链接文字"), tr("链接的标题"));
  Describe(form.Edit2, tr("链接地址"), tr("链接的网址；按 Enter 组成 MarkDown 链接"));
  Describe(form.Edit3, tr("BBCode 链接"), tr("组成的 BBCode 链接"));
  Describe(form.Edit4, tr("MarkDown 链接"), tr("组成的 MarkDown 链接"));
  Describe(form.ListBox1, tr("富文本型列表"), tr("保存的 BBCode 链接；选中一项即填入文字和链接"));
  Describe(form.ListBox2, tr("MarkDown型列表"), tr("保存的 MarkDown 链接；选中一项即复制到剪贴板"));
  Describe(form.RichViewEdit1, tr("超链接"),
           tr("蓝色标签复制到剪贴板的超链接，可以编辑后再复制"));

  GiveShortcut(form.Button1, Alt(Qt::Key_M), tr("组成 MarkDown 链接"));
  GiveShortcut(form.Button2, Alt(Qt::Key_B), tr("组成 BBCode 链接"));
  GiveShortcut(form.Button3, Alt(Qt::Key_A), tr("把 BBCode 链接加入富文本型列表"));
  GiveShortcut(form.Button4, Alt(Qt::Key_D), tr("从富文本型列表删除所选项"));
  GiveShortcut(form.Button7, Alt(Qt::Key_S), tr("去掉富文本型列表中相邻的重复项并保存"));
  GiveShortcut(form.Button5, Alt(Qt::Key_A, Qt::ShiftModifier),
               tr("把 MarkDown 链接加入MarkDown型列表"));
  GiveShortcut(form.Button6, Alt(Qt::Key_D, Qt::ShiftModifier), tr("从MarkDown型列表删除所选项"));
  GiveShortcut(form.Button8, Alt(Qt::Key_S, Qt::ShiftModifier),
               tr("去掉MarkDown型列表中相邻的重复项并保存"));
  GiveShortcut(form.LinkTools->FetchTitleButton, Alt(Qt::Key_T), tr("从网页读取标题填入“文字”"));

  // The blue label acts like a button: a shortcut of its own.
  const QKeySequence copyLink = Alt(Qt::Key_C);
  auto* copyShortcut = new QShortcut(copyLink, &form);
  copyShortcut->setObjectName(QStringLiteral("Label1Shortcut"));
  connect(copyShortcut, &QShortcut::activated, &form, &TForm1::Label1Click);
  const QString copyText = tr("把文字和链接作为带格式的超链接复制到剪贴板");
  form.Label1->setToolTip(WithShortcut(copyText, copyLink));
  Describe(form.Label1, form.Label1->text(), copyText);

  StayOnTopAction = new QAction(tr("窗口置顶"), &form);
  StayOnTopAction->setObjectName(QStringLiteral("StayOnTopAction"));
  StayOnTopAction->setCheckable(true);
  StayOnTopAction->setChecked(StayOnTop());
  StayOnTopAction->setShortcut(Alt(Qt::Key_P));
  StayOnTopAction->setShortcutContext(Qt::WindowShortcut);
  StayOnTopAction->setToolTip(WithShortcut(tr("窗口保持在其他窗口之上"), StayOnTopAction->shortcut()));
  connect(StayOnTopAction, &QAction::toggled, this, &TFormAccess::SetStayOnTop);
  // Right on the window's background and labels, or the menu key over a button.
  form.addAction(StayOnTopAction);
  form.setContextMenuPolicy(Qt::ActionsContextMenu);

  // The menu key reaches the focused control as a keyboard context menu event; Shift+F10
  // does the same (the editor answers it itself).
  for (QWidget* control : std::initializer_list<QWidget*>{form.ListBox1, form.ListBox2, form.Edit1,
                                                          form.Edit2, form.Edit3, form.Edit4})
    control->installEventFilter(this);
}

TFormAccess::~TFormAccess() = default;

QString TFormAccess::WithShortcut(const QString& text, const QKeySequence& shortcut) {
  return QStringLiteral("%1 (%2)").arg(text, shortcut.toString(QKeySequence::NativeText));
}

void TFormAccess::Describe(QWidget* widget, const QString& name, const QString& description) {
  widget->setAccessibleName(name);
  widget->setAccessibleDescription(description);
}

void TFormAccess::GiveShortcut(QAbstractButton* button, const QKeySequence& shortcut,
                               const QString& description) {
  button->setShortcut(shortcut);
  button->setToolTip(WithShortcut(description, shortcut));
  Describe(button, button->text(), description);
}

bool TFormAccess::StayOnTop() const {
  return FSettings->value(QLatin1String(kStayOnTopKey), true).toBool();
}

void TFormAccess::ApplyStayOnTop(bool on) {
  if (FForm->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
    return;
  // Changing window flags hides a shown window; show it again if it was up.
  const bool shown = FForm->isVisible();
  FForm->setWindowFlag(Qt::WindowStaysOnTopHint, on);
  if (shown)
    FForm->show();
}

void TFormAccess::SetStayOnTop(bool on) {
  ApplyStayOnTop(on);
  FSettings->setValue(QLatin1String(kStayOnTopKey), on);
  FSettings->sync();
  if (StayOnTopAction->isChecked() != on)
    StayOnTopAction->setChecked(on);
}

bool TFormAccess::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || event->type() != QEvent::KeyPress)
    return QObject::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_F10 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::ShiftModifier)
    return QObject::eventFilter(watched, event);
  // Where the menu key's menu opens: at a list's current entry, at a field's cursor.
  QPoint pos = widget->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
  QWidget* from = widget;
  if (auto* list = qobject_cast<TLinkListBox*>(widget)) {
    const QRect row = list->currentIndex().isValid() ? list->visualRect(list->currentIndex()) : QRect();
    pos = row.isValid() ? row.center() : QPoint(0, 0);
    from = list->viewport();
  }
  QContextMenuEvent menu(QContextMenuEvent::Keyboard, pos, from->mapToGlobal(pos), key->modifiers());
  QCoreApplication::sendEvent(widget, &menu);
  return true;
}

} // namespace quillon
