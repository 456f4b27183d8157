// Working in the lists: the filter field, the Delete key, editing in place, undo, the status
// line, and the question about unsaved changes when the window closes.
#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>

#include <filesystem>

#include "tests/app/ui/FormFixture.h"

namespace quillon::test {
namespace {

using ListWorkTest = FormFixture;

// Types into the filter field (QTest types ASCII only; other text is put in at once).
void TypeFilter(TLinkListBox* list, const QString& text) {
  list->FilterField()->clear();
  bool ascii = true;
  for (QChar c : text)
    ascii = ascii && c.unicode() < 0x80;
  if (ascii)
    QTest::keyClicks(list->FilterField(), text);
  else
    list->FilterField()->setText(text);
}

TEST_F(ListWorkTest, TheFilterNarrowsWithoutRegardToCaseOrAccents) {
  WriteList(kBBCodeListFileName,
            Utf8List({"[url=a]Café crème[/url]", "[url=b]CAFE au lait[/url]", "[url=c]Tea[/url]",
                      "[url=d]我的博客[/url]"}));
  WriteList(kMarkdownListFileName, Utf8List({}));
  Open();
  TLinkListBox* list = Form->ListBox1;
  // The field sits inside the box, above its rows: the box keeps its place.
  EXPECT_EQ(list->FilterField()->parentWidget(), list);
  EXPECT_GE(list->viewport()->geometry().top(), list->FilterField()->geometry().bottom());

  TypeFilter(list, "cafe");
  EXPECT_EQ(Rows(list), QStringList({"[url=a]Café crème[/url]", "[url=b]CAFE au lait[/url]"}));
  TypeFilter(list, QStringLiteral(u"CAFÉ CR"));
  EXPECT_EQ(Rows(list), QStringList({"[url=a]Café crème[/url]"}));
  TypeFilter(list, QStringLiteral(u"博客"));
  EXPECT_EQ(Rows(list), QStringList({QStringLiteral(u"[url=d]我的博客[/url]")}));

  // Rows of a filtered list stand for their own entries: recall, delete and copy take them.
  TypeFilter(list, "tea");
  ClickRow(list, 0);
  EXPECT_EQ(Form->Edit1->text(), "Tea");
  QTest::mouseClick(Form->Button4, Qt::LeftButton);
  EXPECT_EQ(Rows(list), QStringList());
  list->FilterField()->clear();
  EXPECT_EQ(Rows(list).size(), 3);
  EXPECT_FALSE(Rows(list).contains("[url=c]Tea[/url]"));
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(ListWorkTest, DeleteKeyEditInPlaceAndUndo) {
  WriteList(kBBCodeListFileName, Utf8List({}));
  WriteList(kMarkdownListFileName, Utf8List({"[a](http://a)", "[b](http://b)", "[c](http://c)"}));
  Open();
  TLinkListBox* list = Form->ListBox2;
  list->setFocus();
  list->SetItemIndex(0);
  list->selectionModel()->select(list->model()->index(2, 0), QItemSelectionModel::Select);
  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_EQ(Rows(list), QStringList({"[b](http://b)"}));
  EXPECT_EQ(Form->StatusLine->text(), "Deleted 2 entries");
  QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Rows(list), QStringList({"[a](http://a)", "[b](http://b)", "[c](http://c)"}));

  // F2 edits in place; the edited entry sorts into its new place and stays selected.
  list->SetItemIndex(0);
  QTest::keyClick(list, Qt::Key_F2);
  ASSERT_TRUE(list->IsEditing());
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "[z](http://z)");
  QTest::keyClick(editor, Qt::Key_Return);
  // The editor hands its text over once the key's event is done.
  EXPECT_TRUE(QTest::qWaitFor([&] { return Rows(list).contains("[z](http://z)"); }, 2000));
  EXPECT_EQ(Rows(list), QStringList({"[b](http://b)", "[c](http://c)", "[z](http://z)"}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return list->ItemIndex() == 2; }, 2000));
  EXPECT_EQ(Form->StatusLine->text(), "Edited 1 entry");

  // Undo goes back step by step: the edit, then nothing more.
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Rows(list), QStringList({"[a](http://a)", "[b](http://b)", "[c](http://c)"}));
  QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Form->StatusLine->text(), "Nothing to undo");

  // An add is undone too, and a double click also opens the editor.
  Form->Edit4->setText("[n](http://n)");
  QTest::mouseClick(Form->Button5, Qt::LeftButton);
  EXPECT_EQ(Form->StatusLine->text(), "Added 1 entry");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Rows(list), QStringList({"[a](http://a)", "[b](http://b)", "[c](http://c)"}));
  const QModelIndex first = list->model()->index(0, 0);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(first).center());
  EXPECT_TRUE(list->IsEditing());
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(ListWorkTest, ClosingWithUnsavedChangesAsksAndDoesWhatTheAnswerSays) {
  const std::string original = Utf8List({"[url=a]A[/url]"});
  WriteList(kBBCodeListFileName, original);
  WriteList(kMarkdownListFileName, Utf8List({}));
  Open();
  // Nothing changed: no question.
  EXPECT_TRUE(Form->ConfirmClose());
  EXPECT_TRUE(Notifier.Boxes.empty());

  Form->Edit3->setText("[url=b]Mine[/url]");
  QTest::mouseClick(Form->Button3, Qt::LeftButton);
  Notifier.SaveAnswer = TSaveChoice::Cancel;
  EXPECT_FALSE(Form->close());
  EXPECT_TRUE(Form->isVisible());
  ASSERT_EQ(Notifier.Boxes.size(), 1u);
  EXPECT_EQ(Notifier.Boxes[0].kind, u"question");
  EXPECT_NE(Notifier.Boxes[0].text.find(FromUtf8(ListPath(kBBCodeListFileName))),
            std::u16string::npos);
  EXPECT_EQ(Notifier.Boxes[0].text.find(FromUtf8(ListPath(kMarkdownListFileName))),
            std::u16string::npos)
      << "the unchanged list is not named";
  EXPECT_EQ(ReadList(kBBCodeListFileName), original);

  Notifier.SaveAnswer = TSaveChoice::Discard;
  EXPECT_TRUE(Form->ConfirmClose());
  EXPECT_EQ(ReadList(kBBCodeListFileName), original);

  Notifier.SaveAnswer = TSaveChoice::Save;
  EXPECT_TRUE(Form->close());
  EXPECT_EQ(ReadList(kBBCodeListFileName), Utf8List({"[url=a]A[/url]", "[url=b]Mine[/url]"}));
  // Saved: nothing left to ask about.
  Notifier.Boxes.clear();
  EXPECT_TRUE(Form->ConfirmClose());
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(ListWorkTest, AFailedSaveOnClosingKeepsTheWindowOpen) {
  WriteList(kBBCodeListFileName, Utf8List({}));
  WriteList(kMarkdownListFileName, Utf8List({}));
  Open();
  Form->Edit4->setText("[m](http://m)");
  QTest::mouseClick(Form->Button5, Qt::LeftButton);
  // The file is replaced by a folder, which no list can be written over.
  std::filesystem::remove(ListPath(kMarkdownListFileName));
  ASSERT_TRUE(QDir(Folder.path()).mkdir(QString::fromStdU16String(kMarkdownListFileName)));
  Notifier.Boxes.clear();
  Notifier.SaveAnswer = TSaveChoice::Save;
  EXPECT_FALSE(Form->close());
  EXPECT_TRUE(Form->isVisible());
  ASSERT_EQ(Notifier.Boxes.size(), 2u);
  EXPECT_EQ(Notifier.Boxes[1].kind, u"error");
  EXPECT_EQ(Rows(Form->ListBox2), QStringList({"[m](http://m)"}));
}

TEST_F(ListWorkTest, ClosingWithAListThatCouldNotBeReadOffersAnotherFile) {
  ASSERT_TRUE(QDir(Folder.path()).mkdir(QString::fromStdU16String(kMarkdownListFileName)));
  WriteList(kBBCodeListFileName, Utf8List({}));
  Open();
  Notifier.Boxes.clear();
  Form->Edit4->setText("[m](http://m)");
  QTest::mouseClick(Form->Button5, Qt::LeftButton);
  Notifier.SaveAnswer = TSaveChoice::Save;
  // No other file chosen: the window stays open with the entry.
  EXPECT_FALSE(Form->close());
  ASSERT_EQ(Notifier.Boxes.size(), 2u);
  EXPECT_EQ(Notifier.Boxes[1].kind, u"save as");
  EXPECT_TRUE(Form->isVisible());
  EXPECT_EQ(Rows(Form->ListBox2), QStringList({"[m](http://m)"}));
}

TEST_F(ListWorkTest, ANewUsersTitleInEveryScriptComesBackWhole) {
  // No list files at all, as on a new machine.
  Open();
  Notifier.Boxes.clear();
  const QString title = QStringLiteral(u"我的博客 שלום 😀 Café");
  Form->Edit1->setText(title);
  Form->Edit2->setText("blog.example/p");
  QTest::mouseClick(Form->Button2, Qt::LeftButton);
  QTest::mouseClick(Form->Button1, Qt::LeftButton);
  QTest::mouseClick(Form->Button3, Qt::LeftButton);
  QTest::mouseClick(Form->Button5, Qt::LeftButton);
  QTest::mouseClick(Form->Button7, Qt::LeftButton);
  QTest::mouseClick(Form->Button8, Qt::LeftButton);
  EXPECT_TRUE(Notifier.Boxes.empty());
  // In the code page of the C locale these were "???? ???? ? Café".
  EXPECT_EQ(ReadList(kBBCodeListFileName),
            Utf8List({"[url=blog.example/p]我的博客 שלום 😀 Café[/url]"}));
  EXPECT_EQ(ReadList(kMarkdownListFileName),
            Utf8List({"[我的博客 שלום 😀 Café](http://blog.example/p)"}));

  // A restart recalls the whole title.
  Form.reset();
  Open();
  ClickRow(Form->ListBox1, 0);
  EXPECT_EQ(Form->Edit1->text(), title);
  EXPECT_EQ(Form->Edit2->text(), "blog.example/p");
  EXPECT_TRUE(Notifier.Boxes.empty());
}

} // namespace
} // namespace quillon::test
