// The two list boxes in the window: loading at start, recall and copy on user selection
// only, and the add, delete and save buttons.
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>

#include "app/ui/QtTextClipboard.h"
#include "richtext/base/RVClasses.h"
#include "tests/app/ui/FormFixture.h"

namespace quillon::test {
namespace {

using ListsTest = FormFixture;

TEST_F(ListsTest, MissingFilesAreReportedAndTheWindowStillOpens) {
  Open();
  const std::vector<TBox> want = {
      {u"error", kTitle,
       u"Cannot open file \"" + FromUtf8(ListPath(kBBCodeListFileName)) +
           u"\". No such file or directory."},
      {u"error", kTitle,
       u"Cannot open file \"" + FromUtf8(ListPath(kMarkdownListFileName)) +
           u"\". No such file or directory."},
  };
  EXPECT_EQ(Notifier.Boxes, want);
  EXPECT_TRUE(Form->isVisible());
  EXPECT_EQ(Form->ListBox1->model()->rowCount(), 0);
  EXPECT_EQ(Form->ListBox2->model()->rowCount(), 0);
  EXPECT_TRUE(Form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(ListsTest, MarkdownListLoadsAfterTheBBCodeFileFails) {
  WriteList(kMarkdownListFileName, Utf8List({"[b](http://b)", "[a](http://a)"}));
  Open();
  ASSERT_EQ(Notifier.Boxes.size(), 1u);
  EXPECT_EQ(Notifier.Boxes[0].text, u"Cannot open file \"" +
                                        FromUtf8(ListPath(kBBCodeListFileName)) +
                                        u"\". No such file or directory.");
  EXPECT_EQ(Rows(Form->ListBox2), QStringList({"[a](http://a)", "[b](http://b)"}));
  EXPECT_EQ(Form->ListBox1->model()->rowCount(), 0);
}

TEST_F(ListsTest, ClickingABBCodeEntryRecallsItsFields) {
  WriteList(kBBCodeListFileName, Utf8List({"[url=a/b]My Title[/url]", "oneword",
                                           "[url=q/r]\"Big\" word[/url]", "[url=c/d]标题[/url]"}));
  WriteList(kMarkdownListFileName, Utf8List({}));
  Open();
  ASSERT_TRUE(Notifier.Boxes.empty());

  // The whole title: split into fields, these gave "My" and "Big".
  ClickRow(Form->ListBox1, RowOf(Form->ListBox1, "[url=a/b]My Title[/url]"));
  EXPECT_EQ(Form->Edit2->text(), "a/b");
  EXPECT_EQ(Form->Edit1->text(), "My Title");

  ClickRow(Form->ListBox1, RowOf(Form->ListBox1, "[url=q/r]\"Big\" word[/url]"));
  EXPECT_EQ(Form->Edit2->text(), "q/r");
  EXPECT_EQ(Form->Edit1->text(), "\"Big\" word");

  ClickRow(Form->ListBox1, RowOf(Form->ListBox1, QStringLiteral(u"[url=c/d]标题[/url]")));
  EXPECT_EQ(Form->Edit1->text(), QStringLiteral(u"标题"));
  EXPECT_TRUE(Notifier.Boxes.empty());

  // One field: the address is set, then the missing title is reported; the title stays.
  ClickRow(Form->ListBox1, RowOf(Form->ListBox1, "oneword"));
  EXPECT_EQ(Form->Edit2->text(), "oneword");
  EXPECT_EQ(Form->Edit1->text(), QStringLiteral(u"标题"));
  const std::vector<TBox> want = {{u"error", kTitle, u"List index out of bounds (1)"}};
  EXPECT_EQ(Notifier.Boxes, want);
}

TEST_F(ListsTest, UserSelectionCopiesByMouseAndKeyboard) {
  WriteList(kBBCodeListFileName, Utf8List({}));
  WriteList(kMarkdownListFileName, Utf8List({"[a](http://a)", "[b](http://b)", "[c](http://c)"}));
  Open();
  TLinkListBox* list = Form->ListBox2;

  ClickRow(list, 0);
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Down); // already on the last entry: no change, no copy
  QTest::keyClick(list, Qt::Key_Up);
  ClickRow(list, 1); // the entry already selected is copied again
  QTest::keyClick(list, Qt::Key_Home);
  const std::vector<std::u16string> want = {u"[a](http://a)", u"[b](http://b)", u"[c](http://c)",
                                            u"[b](http://b)", u"[b](http://b)", u"[a](http://a)"};
  EXPECT_EQ(Clipboard.Texts, want);
  // A right click does not select, as in a native list box.
  QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                    list->visualRect(list->model()->index(2, 0)).center());
  EXPECT_EQ(Clipboard.Texts.size(), want.size());
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(ListsTest, DraggingOverEntriesCopiesEachOneReached) {
  WriteList(kBBCodeListFileName, Utf8List({}));
  WriteList(kMarkdownListFileName, Utf8List({"[a](http://a)", "[b](http://b)", "[c](http://c)"}));
  Open();
  QWidget* viewport = Form->ListBox2->viewport();
  auto centre = [this](int row) {
    return Form->ListBox2->visualRect(Form->ListBox2->model()->index(row, 0)).center();
  };
  QTest::mousePress(viewport, Qt::LeftButton, {}, centre(0));
  QTest::mouseMove(viewport, centre(0) + QPoint(3, 0)); // same entry: nothing new
  QTest::mouseMove(viewport, centre(2));
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, centre(2));
  EXPECT_EQ(Clipboard.Texts, std::vector<std::u16string>({u"[a](http://a)", u"[c](http://c)"}));
}

// A clipboard that another program holds, or that refuses the data.
class TFailingClipboard : public TTextClipboard {
public:
  explicit TFailingClipboard(std::string message) : FMessage(std::move(message)) {}
  void SetUnicodeText(const std::u16string&) override { throw richtext::ERichViewError(FMessage); }

private:
  std::string FMessage;
};

TEST_F(ListsTest, ClipboardFailuresAreShownInTheErrorBox) {
  WriteList(kBBCodeListFileName, Utf8List({}));
  WriteList(kMarkdownListFileName, Utf8List({"[a](http://a)"}));
  TFailingClipboard busy("Cannot open clipboard: Access is denied");
  Open(&busy);
  ClickRow(Form->ListBox2, 0);
  Form.reset();
  TFailingClipboard refusing("Out of system resources");
  Open(&refusing);
  ClickRow(Form->ListBox2, 0);
  const std::vector<TBox> want = {
      {u"error", kTitle, u"Cannot open clipboard: Access is denied."},
      {u"error", kTitle, u"Out of system resources."},
  };
  EXPECT_EQ(Notifier.Boxes, want);
}

TEST_F(ListsTest, ProgramChangesOfTheSelectionRunNoHandler) {
  WriteList(kBBCodeListFileName, Utf8List({"[url=a]b[/url]", "[url=c]d[/url]"}));
  WriteList(kMarkdownListFileName, Utf8List({"[m](http://m)", "[n](http://n)"}));
  Open();

  ClickRow(Form->ListBox1, 1);
  ClickRow(Form->ListBox2, 1);
  ASSERT_EQ(Clipboard.Texts.size(), 1u);
  Form->Edit1->setText("title");
  Form->Edit2->setText("address");

  // Adding before the selected entry shifts the selection with it.
  Form->Edit3->setText("[url=0]first[/url]");
  Form->Edit4->setText("[0](http://0)");
  QTest::mouseClick(Form->Button3, Qt::LeftButton);
  QTest::mouseClick(Form->Button5, Qt::LeftButton);
  EXPECT_EQ(Row(Form->ListBox1, Form->ListBox1->ItemIndex()), "[url=c]d[/url]");
  EXPECT_EQ(Row(Form->ListBox2, Form->ListBox2->ItemIndex()), "[n](http://n)");

  // Deleting the selected entry leaves nothing selected; a second delete does nothing.
  QTest::mouseClick(Form->Button4, Qt::LeftButton);
  QTest::mouseClick(Form->Button6, Qt::LeftButton);
  EXPECT_EQ(Form->ListBox1->ItemIndex(), -1);
  EXPECT_EQ(Form->ListBox2->ItemIndex(), -1);
  QTest::mouseClick(Form->Button4, Qt::LeftButton);
  QTest::mouseClick(Form->Button6, Qt::LeftButton);
  EXPECT_EQ(Rows(Form->ListBox1), QStringList({"[url=0]first[/url]", "[url=a]b[/url]"}));
  EXPECT_EQ(Rows(Form->ListBox2), QStringList({"[0](http://0)", "[m](http://m)"}));

  // Reloading replaces the entries without a click either.
  ClickRow(Form->ListBox2, 0);
  Form->FormCreate();

  EXPECT_EQ(Clipboard.Texts, std::vector<std::u16string>({u"[n](http://n)", u"[0](http://0)"}));
  EXPECT_EQ(Form->Edit1->text(), "title");
  EXPECT_EQ(Form->Edit2->text(), "address");
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(ListsTest, CopyPutsOnlyTheEntryTextOnTheSystemClipboard) {
  WriteList(kBBCodeListFileName, Utf8List({}));
  WriteList(kMarkdownListFileName, Utf8List({"[标题 一](http://例子.中国/a b)"}));
  QtTextClipboard systemClipboard;
  Open(&systemClipboard);
  QGuiApplication::clipboard()->setText("before");

  ClickRow(Form->ListBox2, 0);
  EXPECT_TRUE(Notifier.Boxes.empty());
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QStringLiteral(u"[标题 一](http://例子.中国/a b)"));
  const QMimeData* placed = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(placed, nullptr);
  EXPECT_EQ(placed->formats(), QStringList({"text/plain"}));
}

TEST_F(ListsTest, AddDeleteAndSaveThroughTheButtons) {
  const char* x = "[url=x]t[/url]";
  const char* y = "[url=y]t[/url]";
  const std::string original = Utf8List({x, x, y});
  WriteList(kBBCodeListFileName, original);
  WriteList(kMarkdownListFileName, "");
  Open();

  Form->Edit3->setText(x);
  QTest::mouseClick(Form->Button3, Qt::LeftButton);
  EXPECT_EQ(Rows(Form->ListBox1), QStringList({x, x, x, y}));
  EXPECT_EQ(ReadList(kBBCodeListFileName), original) << "adding does not write the file";

  ClickRow(Form->ListBox1, 3);
  EXPECT_EQ(Form->Edit2->text(), "y");
  Form->Edit1->setText("title");
  QTest::mouseClick(Form->Button7, Qt::LeftButton);
  EXPECT_EQ(Rows(Form->ListBox1), QStringList({x, y}));
  EXPECT_EQ(ReadList(kBBCodeListFileName), Utf8List({x, y}));
  EXPECT_EQ(Form->ListBox1->ItemIndex(), 1) << "the selected entry stays selected";
  EXPECT_EQ(Form->Edit1->text(), "title") << "saving recalls nothing";

  // The Markdown file was empty, so it is written as UTF-8 with a mark.
  Form->Edit4->setText("[a](http://a)");
  QTest::mouseClick(Form->Button5, Qt::LeftButton);
  QTest::mouseClick(Form->Button5, Qt::LeftButton);
  QTest::mouseClick(Form->Button8, Qt::LeftButton);
  EXPECT_EQ(ReadList(kMarkdownListFileName), "\xEF\xBB\xBF[a](http://a)\r\n");
  EXPECT_EQ(Form->StatusLine->text(), "Saved 1 entry");
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(ListsTest, AFileThatCouldNotBeReadIsNotWrittenAfterTheDuplicatesAreGone) {
  // A folder in the file's place can be neither read as a list nor replaced by one.
  ASSERT_TRUE(QDir(Folder.path()).mkdir(QString::fromStdU16String(kBBCodeListFileName)));
  WriteList(kMarkdownListFileName, Utf8List({}));
  Open();
  ASSERT_EQ(Notifier.Boxes.size(), 1u);
  Notifier.Boxes.clear();

  Form->Edit3->setText("x");
  QTest::mouseClick(Form->Button3, Qt::LeftButton);
  QTest::mouseClick(Form->Button3, Qt::LeftButton);
  QTest::mouseClick(Form->Button7, Qt::LeftButton);
  EXPECT_EQ(Rows(Form->ListBox1), QStringList({"x"}));
  ASSERT_EQ(Notifier.Boxes.size(), 1u);
  EXPECT_EQ(Notifier.Boxes[0].title, kTitle);
  // Before, the save reached the file system ("Cannot create file"); a list that could not
  // be read is not written at all now.
  const std::u16string prefix =
      u"Nothing was written to \"" + FromUtf8(ListPath(kBBCodeListFileName)) + u"\": ";
  EXPECT_EQ(Notifier.Boxes[0].text.substr(0, prefix.size()), prefix);
}

TEST_F(ListsTest, AHundredThousandEntriesLoadAndCopy) {
  std::string bytes = "\xEF\xBB\xBF";
  for (int i = 0; i < 100000; ++i)
    bytes += "[e" + std::to_string(100000 + i) + "](http://e.org/" + std::to_string(i) + ")\r\n";
  WriteList(kMarkdownListFileName, bytes);
  WriteList(kBBCodeListFileName, Utf8List({}));
  QElapsedTimer timer;
  timer.start();
  Open();
  ClickRow(Form->ListBox2, 99999);
  QTest::keyClick(Form->ListBox2, Qt::Key_Up);
  std::cout << "[ info ] 100000 entries: load, show and two selections took " << timer.elapsed()
            << " ms\n";
  EXPECT_EQ(Clipboard.Texts, std::vector<std::u16string>({u"[e199999](http://e.org/99999)",
                                                          u"[e199998](http://e.org/99998)"}));
}

} // namespace
} // namespace quillon::test
