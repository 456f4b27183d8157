// The window at home on a desktop: a layout that grows, captions in the user's language,
// every button within reach of the keyboard, the stay-on-top choice, the list menus from
// the keyboard, and what assistive technology reads.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMenu>
#include <QRegularExpression>
#include <QSettings>
#include <QShortcut>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QXmlStreamReader>

#include <functional>
#include <iostream>
#include <map>

#include "app/ui/EditorWindow.h"
#include "app/ui/FormAccess.h"
#include "app/ui/GrowingLayout.h"
#include "app/ui/LinkTools.h"
#include "app/ui/Translations.h"
#include "tests/app/ui/FormFixture.h"

namespace quillon::test {
namespace {

bool HasChinese(const QString& text) {
  static const QRegularExpression han(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
  return text.contains(han);
}

// source -> translation of one .ts file, over all its contexts.
std::map<QString, QString> ReadTranslations(const QString& name) {
  QFile file(QStringLiteral(QUILLON_SOURCE_DIR "/translations/quillon_%1.ts").arg(name));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
  std::map<QString, QString> map;
  QXmlStreamReader xml(&file);
  QString source;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement)
      continue;
    if (xml.name() == QLatin1String("source"))
      source = xml.readElementText();
    else if (xml.name() == QLatin1String("translation"))
      map[source] = xml.readElementText();
  }
  return map;
}

class HabitsTest : public FormFixture {
protected:
  void SetUp() override {
    FormFixture::SetUp();
    ASSERT_TRUE(Settings.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Settings.path());
    WriteList(kBBCodeListFileName, std::string(kUtf8Mark) + "[url=a/b]B[/url]\r\n[url=c/d]D[/url]\r\n");
    WriteList(kMarkdownListFileName, std::string(kUtf8Mark) + "[A](http://a)\r\n");
  }
  void TearDown() override { RemoveTranslations(); }

  QRect Scaled(int left, int top, int width, int height) const {
    const double x = Form->logicalDpiX() / 96.0, y = Form->logicalDpiY() / 96.0;
    return QRect(qRound(left * x), qRound(top * y), qRound(width * x), qRound(height * y));
  }
  // The named controls a user sees, and the title button in the address field.
  std::vector<QWidget*> VisibleControls() const {
    std::vector<QWidget*> controls;
    static const QRegularExpression named("^(Label|ListBox|Edit|Button|RichViewEdit)\\d$");
    for (QWidget* w : Form->findChildren<QWidget*>())
      if ((named.match(w->objectName()).hasMatch() || w == Form->LinkTools->FetchTitleButton) &&
          w->isVisible())
        controls.push_back(w);
    return controls;
  }
  std::map<QString, QRect> Places() const {
    std::map<QString, QRect> places;
    for (QWidget* w : VisibleControls())
      places[w->objectName()] = w->geometry();
    return places;
  }
  void ResizeTo(QSize size) {
    Form->resize(size);
    for (int i = 0; i < 100 && Form->size() != size.expandedTo(Form->minimumSize()); ++i)
      QTest::qWait(10);
    QApplication::processEvents();
  }
  // Saves the window's picture beside the test's output and says where.
  void Screenshot(const QString& name) {
    QDir().mkpath(QStringLiteral("screenshots"));
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
    const QString path =
        QDir::current().absoluteFilePath(QStringLiteral("screenshots/%1-scale%2.png").arg(name, scale));
    ASSERT_TRUE(Form->grab().save(path));
    std::cout << "screenshot: " << path.toStdString() << std::endl;
  }
  // Every text the window shows or reads out, by control and kind.
  std::map<QString, QString> Texts() {
    std::map<QString, QString> texts;
    texts[QStringLiteral("Form1/title")] = Form->windowTitle();
    for (QWidget* w : VisibleControls()) {
      const QString n = w->objectName();
      if (auto* label = qobject_cast<QLabel*>(w))
        texts[n + "/text"] = label->text();
      if (auto* button = qobject_cast<QAbstractButton*>(w))
        texts[n + "/text"] = button->text();
      texts[n + "/tooltip"] = w->toolTip();
      texts[n + "/name"] = w->accessibleName();
      texts[n + "/description"] = w->accessibleDescription();
    }
    for (QAction* action : Form->actions())
      texts[action->objectName() + "/text"] = action->text();
    auto menuTexts = [&](const QString& owner, QMenu* menu) {
      int i = 0;
      for (QAction* action : menu->actions())
        if (!action->isSeparator())
          texts[QStringLiteral("%1/menu%2").arg(owner).arg(i++)] = action->text();
      delete menu;
    };
    menuTexts("ListBox1", Form->LinkTools->ListMenu(Form->ListBox1));
    // The result field's own entries are Qt's; the link formats follow them.
    QMenu* field = Form->LinkTools->ResultFieldMenu(Form->Edit3);
    const QList<QAction*> entries = field->actions();
    for (qsizetype i = entries.size() - qsizetype(LinkFormats().size()); i < entries.size(); ++i)
      texts[QStringLiteral("Edit3/format%1").arg(i)] = entries[i]->text();
    delete field;
    Form->Edit1->setText(QStringLiteral("t"));
    Form->Label1Click();
    menuTexts("RichViewEdit1", Form->RichViewEdit1->CreateStandardContextMenu());
    // The editor's menu as it opens ends in the larger window's entry; then that window.
    QMenu* editorMenu = Form->RichViewEdit1->CreateStandardContextMenu();
    emit Form->RichViewEdit1->ContextMenuAboutToShow(editorMenu);
    texts[QStringLiteral("RichViewEdit1/menuLast")] = editorMenu->actions().back()->text();
    delete editorMenu;
    Form->OpenEditorWindow();
    TEditorWindow* window = Form->EditorWindow();
    texts[QStringLiteral("EditorWindow/title")] = window->windowTitle();
    texts[QStringLiteral("RichViewEdit1/away")] = Form->RichViewEdit1->AwayText();
    for (QWidget* w : std::initializer_list<QWidget*>{window->Editor, window->CopyAllButton,
                                                      window->CloseButton}) {
      const QString n = w->objectName();
      if (auto* button = qobject_cast<QAbstractButton*>(w))
        texts[n + "/text"] = button->text();
      texts[n + "/tooltip"] = w->toolTip();
      texts[n + "/name"] = w->accessibleName();
      texts[n + "/description"] = w->accessibleDescription();
    }
    window->close();
    Form->Edit1->clear();
    return texts;
  }
  // Runs Trigger, which opens a menu, and answers the menu's entries and where it opened.
  QStringList OpenedMenu(const std::function<void()>& Trigger, QPoint* at = nullptr) {
    QStringList entries;
    QTimer::singleShot(0, [&] {
      if (QWidget* popup = QApplication::activePopupWidget()) {
        for (QAction* action : popup->actions())
          if (!action->isSeparator())
            entries << action->text();
        if (at)
          *at = popup->pos();
        popup->close();
      }
    });
    Trigger();
    return entries;
  }

  QTemporaryDir Settings;
};

// ---- a layout that grows ---------------------------------------------------------------

TEST_F(HabitsTest, GrowingWindowGivesTheListsTheHeightAndTheFieldsTheWidth) {
  Open();
  const QSize first = Scaled(0, 0, 683, 427).size();
  EXPECT_EQ(first, Form->minimumSize());
  EXPECT_EQ(first, Form->size());
  const std::map<QString, QRect> at = Places();
  Screenshot(QStringLiteral("window-first-size"));

  const int dw = 300, dh = 200;
  ResizeTo(first + QSize(dw, dh));
  const std::map<QString, QRect> grown = Places();
  auto delta = [&](const char* name) {
    const QRect a = at.at(name), b = grown.at(name);
    return QStringLiteral("%1%2 %3 %4 %5")
        .arg(QLatin1String(name))
        .arg(b.x() - a.x())
        .arg(b.y() - a.y())
        .arg(b.width() - a.width())
        .arg(b.height() - a.height());
  };
  // Moves of x, y and growths of width, height: the lists share the height as 145 to 180.
  const int upper = qRound(dh * 145.0 / 325.0);
  QStringList deltas;
  for (const char* name : {"ListBox1", "ListBox2", "Label3", "Edit1", "Edit2", "Button1", "Button2",
                           "Edit3", "Edit4", "RichViewEdit1", "Button3", "Button7", "Button5",
                           "Button8", "Label1", "Label5"})
    deltas << delta(name);
  EXPECT_EQ(deltas.join(" | "),
            QStringLiteral("ListBox10 0 300 %1 | ListBox20 %1 300 %2 | Label30 %1 0 0 | "
                           "Edit10 0 150 0 | Edit20 0 150 0 | Button1150 0 0 0 | "
                           "Button2150 0 0 0 | Edit3150 0 150 0 | Edit4150 0 150 0 | "
                           "RichViewEdit10 0 300 0 | Button3300 0 0 0 | Button7300 0 0 0 | "
                           "Button5300 %1 0 0 | Button8300 %1 0 0 | Label10 0 0 0 | Label50 0 0 0")
                .arg(upper)
                .arg(dh - upper));
  // The button column keeps its distance from the right edge, and controls that stood
  // apart still do.
  EXPECT_EQ(first.width() - at.at("Button3").right(), Form->width() - grown.at("Button3").right());
  for (const auto& [a, placeA] : grown)
    for (const auto& [b, placeB] : grown)
      if (a < b && !at.at(a).intersects(at.at(b)))
        EXPECT_FALSE(placeA.intersects(placeB)) << a.toStdString() << " meets " << b.toStdString();
  // The title button stays at the right end of the address field.
  QToolButton* fetch = Form->LinkTools->FetchTitleButton;
  EXPECT_EQ(Form->Edit2->width() - 2, fetch->geometry().right() + 1);
  Screenshot(QStringLiteral("window-grown"));

  // Smaller than the first size it cannot be; back at it, every control is where it was.
  ResizeTo(first - QSize(100, 100));
  EXPECT_EQ(first, Form->size());
  EXPECT_EQ(at, Places());
}

// ---- the user's language -----------------------------------------------------------------

TEST_F(HabitsTest, TheLanguageIsTheUsersWhenQuillonHasItAndChineseOtherwise) {
  EXPECT_EQ(QStringList({"en", "zh_CN"}), AvailableTranslations());
  const std::pair<QStringList, QString> cases[] = {
      {{"en-US", "en"}, "en"},        {{"en-GB"}, "en"},    {{"de-DE", "en-US"}, "en"},
      {{"zh-CN"}, "zh_CN"},           {{"zh-TW"}, "zh_CN"}, {{"zh-Hans-CN", "en"}, "zh_CN"},
      {{"de-DE", "fr-FR"}, "zh_CN"},  {{"C"}, "zh_CN"},     {{}, "zh_CN"}};
  for (const auto& [languages, expected] : cases)
    EXPECT_EQ(expected, ChooseTranslation(languages)) << languages.join(',').toStdString();
  // What the system's locale gives, as the program asks it.
  EXPECT_EQ("en", ChooseTranslation(QLocale(QStringLiteral("en_US")).uiLanguages()));
  EXPECT_EQ("zh_CN", ChooseTranslation(QLocale(QStringLiteral("zh_CN")).uiLanguages()));
}

TEST_F(HabitsTest, EveryCaptionIsItsTranslationUnderEachLocale) {
  // The program's own texts, with no translation installed.
  Open();
  const std::map<QString, QString> own = Texts();
  Form.reset();
  for (const char* locale : {"en_US", "zh_CN"}) {
    const QString name = InstallTranslations(QLocale(QString::fromLatin1(locale)).uiLanguages());
    const std::map<QString, QString> ts = ReadTranslations(name);
    Open();
    const std::map<QString, QString> shown = Texts();
    Screenshot(QStringLiteral("window-") + name);
    Form.reset();
    ASSERT_EQ(own.size(), shown.size());
    int translated = 0;
    for (const auto& [key, source] : own) {
      // A tooltip ends in its shortcut, which Qt names.
      static const QRegularExpression withShortcut(QStringLiteral("^(.*) (\\(.+\\))$"));
      const QRegularExpressionMatch m = withShortcut.match(source);
      QString expected = source;
      if (ts.count(source))
        expected = ts.at(source);
      else if (m.hasMatch() && ts.count(m.captured(1)))
        expected = ts.at(m.captured(1)) + ' ' + m.captured(2);
      translated += expected != source || ts.count(source);
      EXPECT_EQ(expected, shown.at(key)) << locale << " " << key.toStdString();
      if (QLatin1String(locale) == QLatin1String("en_US"))
        EXPECT_FALSE(HasChinese(shown.at(key))) << key.toStdString() << ": "
                                               << shown.at(key).toStdString();
    }
    EXPECT_GT(translated, 50) << locale;
  }
  // The Chinese captions of the fixed layout are the program's own.
  EXPECT_EQ(QStringLiteral(u"添加新项"), own.at("Button3/text"));
  EXPECT_EQ(QStringLiteral(u"转为所见所得模式下数据到剪贴板==>"), own.at("Label1/text"));
}

TEST_F(HabitsTest, ErrorTextsStayAsTheyAreUnderAChineseLocale) {
  for (const char* locale : {"zh_CN", "en_US"}) {
    InstallTranslations(QLocale(QString::fromLatin1(locale)).uiLanguages());
    QFile::remove(QString::fromStdString(ListPath(kMarkdownListFileName)));
    WriteList(kBBCodeListFileName, std::string(kUtf8Mark) + "word\r\n");
    Notifier.Boxes.clear();
    Open();
    ClickRow(Form->ListBox1, 0);
    ASSERT_EQ(2u, Notifier.Boxes.size()) << locale;
    EXPECT_EQ(u"Cannot open file \"" + FromUtf8(ListPath(kMarkdownListFileName)) +
                  u"\". No such file or directory.",
              Notifier.Boxes[0].text)
        << locale;
    EXPECT_EQ(u"List index out of bounds (1)", Notifier.Boxes[1].text) << locale;
    Form.reset();
  }
}

// ---- the keyboard ------------------------------------------------------------------------

TEST_F(HabitsTest, EveryButtonHasAShortcutShownInItsTooltipThatPressesIt) {
  Open();
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  Form->Edit1->setFocus();
  Form->Edit1->setText(QStringLiteral("t")); // the title button stays off: no page is fetched
  QStringList shortcuts;
  for (QAbstractButton* button : Form->findChildren<QAbstractButton*>()) {
    if (!button->isVisible())
      continue;
    const QKeySequence key = button->shortcut();
    ASSERT_FALSE(key.isEmpty()) << button->objectName().toStdString();
    shortcuts << button->objectName() + "=" + key.toString(QKeySequence::PortableText);
    EXPECT_TRUE(button->toolTip().endsWith(" (" + key.toString(QKeySequence::NativeText) + ")"))
        << button->toolTip().toStdString();
    if (!button->isEnabled())
      continue;
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QTest::keySequence(Form.get(), key);
    // The button shows itself pressed for a moment, as on a click, then clicks.
    EXPECT_TRUE(clicked.count() == 1 || clicked.wait(2000)) << button->objectName().toStdString();
    EXPECT_EQ(1, clicked.count()) << button->objectName().toStdString();
  }
  shortcuts.sort();
  EXPECT_EQ(shortcuts.join(' '), "Button1=Alt+M Button2=Alt+B Button3=Alt+A Button4=Alt+D "
                                 "Button5=Alt+Shift+A Button6=Alt+Shift+D Button7=Alt+S "
                                 "Button8=Alt+Shift+S FetchTitleButton=Alt+T");
  // Alt+M composed the Markdown link, Alt+B the BBCode link, and Alt+A and Shift+Alt+A added
  // them; the blue label copies on Alt+C.
  EXPECT_EQ(QStringLiteral("[t](http://)"), Form->Edit4->text());
  EXPECT_EQ(3, Form->ListBox1->model()->rowCount());
  EXPECT_EQ(2, Form->ListBox2->model()->rowCount());
  EXPECT_TRUE(Form->Label1->toolTip().endsWith(" (" + QKeySequence(QStringLiteral("Alt+C"))
                                                             .toString(QKeySequence::NativeText) +
                                               ")"));
  QTest::keyClick(Form->Edit1, Qt::Key_C, Qt::AltModifier);
  EXPECT_EQ(1, Form->Hyperlink().RichViewEdit1.ItemCount());
  EXPECT_EQ(u"t", Form->Hyperlink().RichViewEdit1.GetItemText(0));
}

TEST_F(HabitsTest, StayingOnTopCanBeTurnedOffAndTheChoiceIsRemembered) {
  Open();
  QAction* onTop = Form->Access->StayOnTopAction;
  EXPECT_TRUE(Form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(onTop->isChecked());
  // The window's context menu (its background and labels) offers it.
  EXPECT_EQ(Qt::ActionsContextMenu, Form->contextMenuPolicy());
  EXPECT_TRUE(Form->actions().contains(onTop));
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  QTest::keySequence(Form.get(), onTop->shortcut());
  EXPECT_FALSE(Form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(onTop->isChecked());
  EXPECT_TRUE(Form->isVisible());

  Form.reset();
  Open();
  EXPECT_FALSE(Form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(Form->Access->StayOnTopAction->isChecked());
  Form->Access->StayOnTopAction->trigger();
  Form.reset();
  Open();
  EXPECT_TRUE(Form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(HabitsTest, ContextMenusOpenFromTheMenuKeyAndShiftF10AtTheCurrentEntry) {
  Open();
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  TLinkListBox* list = Form->ListBox1;
  list->setFocus();
  list->SetItemIndex(1);
  const QRect row = list->visualRect(list->model()->index(1, 0));
  const QStringList expected = {QStringLiteral(u"复制所选链接（所见即所得）"),
                                QStringLiteral(u"复制所选链接为 MarkDown"),
                                QStringLiteral(u"复制所选链接为 BBCode"), QStringLiteral("Reload")};
  QPoint at;
  EXPECT_EQ(expected, OpenedMenu([&] { QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier); },
                                 &at));
  EXPECT_TRUE(row.translated(list->viewport()->mapToGlobal(QPoint(0, 0))).contains(at))
      << at.x() << "," << at.y();
  // The menu key reaches a widget as a keyboard context menu event at its cursor's place.
  EXPECT_EQ(expected, OpenedMenu([&] {
              const QPoint p = list->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
              QContextMenuEvent menu(QContextMenuEvent::Keyboard, p, list->mapToGlobal(p));
              QApplication::sendEvent(list, &menu);
            }));
  // In a result field it opens the field's menu with the link formats.
  const QStringList field =
      OpenedMenu([&] { QTest::keyClick(Form->Edit3, Qt::Key_F10, Qt::ShiftModifier); });
  ASSERT_FALSE(field.isEmpty());
  EXPECT_EQ(LinkFormatCaption(LinkFormats().back()), field.back());
}

TEST_F(HabitsTest, EnterComposesOnlyAsACarriageReturnDoes) {
  Open();
  Form->Edit1->setText(QStringLiteral("t"));
  Form->Edit2->setText(QStringLiteral("a"));
  // Ctrl+Enter types a line feed and Alt+Enter nothing: neither composes.
  QTest::keyClick(Form->Edit2, Qt::Key_Return, Qt::ControlModifier);
  QTest::keyClick(Form->Edit2, Qt::Key_Return, Qt::AltModifier);
  EXPECT_EQ(QString(), Form->Edit4->text());
  QTest::keyClick(Form->Edit2, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(QStringLiteral("[t](http://a)"), Form->Edit4->text());
}

// ---- assistive technology ----------------------------------------------------------------

TEST_F(HabitsTest, EveryControlHasAnAccessibleNameAndDescriptionInTheWindowsLanguage) {
  for (const char* locale : {"zh_CN", "en_US"}) {
    InstallTranslations(QLocale(QString::fromLatin1(locale)).uiLanguages());
    Open();
    const bool english = QLatin1String(locale) == QLatin1String("en_US");
    int controls = 0;
    for (QWidget* w : VisibleControls()) {
      QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
      ASSERT_NE(nullptr, iface) << w->objectName().toStdString();
      const QString name = iface->text(QAccessible::Name);
      const QString description = iface->text(QAccessible::Description);
      const std::string where = std::string(locale) + " " + w->objectName().toStdString();
      EXPECT_FALSE(name.isEmpty()) << where;
      EXPECT_FALSE(description.isEmpty()) << where;
      EXPECT_NE(name, w->objectName()) << where;
      if (english)
        EXPECT_FALSE(HasChinese(name + description)) << where << ": " << name.toStdString();
      ++controls;
    }
    // 5 labels, 2 lists, 4 fields, 8 buttons, the title button and the editor.
    EXPECT_EQ(21, controls) << locale;
    // Labels name the fields and lists they stand before.
    EXPECT_EQ(Form->Edit1, Form->Label5->buddy());
    EXPECT_EQ(Form->ListBox2, Form->Label3->buddy());
    Form.reset();
  }
}

} // namespace
} // namespace quillon::test
