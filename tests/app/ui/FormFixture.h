// A main window over a temporary list folder, with recording boxes and clipboard; and one
// whose copies go to the real clipboard.
#pragma once

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>

#include "app/LinkList.h"
#include "app/Utf.h"
#include "app/ui/Unit1.h"
#include "platform/qt/RVQtClipboard.h"
#include "platform/qt/RVQtGraphics.h"
#include "richtext/export/RVStr.h"
#include "tests/app/ui/RecordingServices.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << text.toStdString();
}
QT_END_NAMESPACE

namespace quillon::test {

// A UTF-8 list file with its mark, each line ending in CR LF.
inline std::string Utf8List(std::initializer_list<const char*> lines) {
  std::string bytes = "\xEF\xBB\xBF";
  for (const char* line : lines)
    bytes += std::string(line) + "\r\n";
  return bytes;
}

inline void PrintTo(const TBox& box, std::ostream* out) {
  *out << ToUtf8(box.kind) << " \"" << ToUtf8(box.title) << "\": \"" << ToUtf8(box.text) << '"';
}

class FormFixture : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(Folder.isValid()); }

  std::string FolderPath() const { return QDir(Folder.path()).absolutePath().toStdString() + "/"; }
  std::string ListPath(const char16_t* fileName) const { return FolderPath() + ToUtf8(fileName); }

  void WriteList(const char16_t* fileName, const std::string& bytes) const {
    QFile file(QString::fromStdString(ListPath(fileName)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  std::string ReadList(const char16_t* fileName) const {
    QFile file(QString::fromStdString(ListPath(fileName)));
    if (!file.open(QIODevice::ReadOnly))
      return "<missing>";
    return file.readAll().toStdString();
  }

  // Creates, loads and shows the window, as the program does, and waits until lists big
  // enough to load in the background are there.
  TForm1& Open(TTextClipboard* clipboard = nullptr) {
    OpenWhileLoading(clipboard);
    for (TLinkListBox* list : {Form->ListBox1, Form->ListBox2})
      EXPECT_TRUE(QTest::qWaitFor([list] { return !list->Items().Loading(); }, 60000));
    return *Form;
  }
  TForm1& OpenWhileLoading(TTextClipboard* clipboard = nullptr) {
    Form = std::make_unique<TForm1>(Notifier, clipboard ? *clipboard : Clipboard, FolderPath());
    Form->FormCreate();
    Form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    return *Form;
  }

  // Both list files hold just a UTF-8 mark: the window opens with two empty lists.
  TForm1& OpenWithEmptyLists() {
    WriteList(kBBCodeListFileName, kUtf8Mark);
    WriteList(kMarkdownListFileName, kUtf8Mark);
    return Open();
  }

  static void ClickRow(TLinkListBox* list, int row) {
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
  }

  static QString Row(TLinkListBox* list, int row) {
    return list->model()->index(row, 0).data().toString();
  }
  static int RowOf(TLinkListBox* list, const QString& text) {
    for (int i = 0; i < list->model()->rowCount(); ++i)
      if (Row(list, i) == text)
        return i;
    ADD_FAILURE() << "no row " << text.toStdString();
    return -1;
  }
  static QStringList Rows(TLinkListBox* list) {
    QStringList rows;
    for (int i = 0; i < list->model()->rowCount(); ++i)
      rows << Row(list, i);
    return rows;
  }

  // The title every box of the test program carries (its file name is app_ui_test).
  static constexpr char16_t kTitle[] = u"app_ui_test";
  static constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

  QTemporaryDir Folder;
  TRecordingNotifier Notifier;
  TRecordingClipboard Clipboard;
  std::unique_ptr<TForm1> Form;
};

// The window over two empty lists, with the engine's clipboard formats and Qt's measuring
// and clipboard registered as the program registers them: copies go to the real (offscreen)
// clipboard, which holds "before" at the start of each test.
class ClipboardFormFixture : public FormFixture {
protected:
  static void SetUpTestSuite() {
    richtext::RVRegisterClipboardFormats();
    RegisterQtGraphics();
    RegisterQtClipboard();
  }
  void SetUp() override {
    FormFixture::SetUp();
    OpenWithEmptyLists();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  }
};

} // namespace quillon::test
