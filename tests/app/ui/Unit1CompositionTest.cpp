// Typing, Enter in the address field and the composition buttons, driven as a user would.
#include <QSignalSpy>

#include "tests/app/ui/FormFixture.h"

namespace quillon::test {
namespace {

class CompositionTest : public FormFixture {
protected:
  void SetUp() override {
    FormFixture::SetUp();
    OpenWithEmptyLists();
  }
  // Key clicks, one per character; characters beyond ASCII come as typed text, as from an
  // input method.
  void Type(QLineEdit* edit, const QString& text) {
    for (QChar c : text) {
      if (c.unicode() < 0x80)
        QTest::keyClick(edit, c.toLatin1());
      else
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
};

TEST_F(CompositionTest, EnterInAddressComposesMarkdownAndStillReachesTheEdit) {
  QSignalSpy returnPressed(Form->Edit2, &QLineEdit::returnPressed);
  Type(Form->Edit1, "t");
  Type(Form->Edit2, "a");
  EXPECT_EQ(Form->Edit4->text(), "") << "typing alone composes nothing";
  EXPECT_EQ(Form->Edit2->text(), "a");

  QTest::keyClick(Form->Edit2, Qt::Key_Return);
  EXPECT_EQ(Form->Edit2->text(), "http://a");
  EXPECT_EQ(Form->Edit4->text(), "[t](http://a)");
  EXPECT_EQ(returnPressed.count(), 1);

  // The keypad's Enter does the same; the address already holds "http" and stays.
  Type(Form->Edit1, "2");
  QTest::keyClick(Form->Edit2, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(Form->Edit2->text(), "http://a");
  EXPECT_EQ(Form->Edit4->text(), "[t2](http://a)");
  EXPECT_EQ(returnPressed.count(), 2);
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(CompositionTest, OtherKeysInAddressDoNotCompose) {
  Type(Form->Edit1, "t");
  Type(Form->Edit2, "x y");
  QTest::keyClick(Form->Edit2, Qt::Key_Tab);
  QTest::keyClick(Form->Edit2, Qt::Key_Left);
  EXPECT_EQ(Form->Edit2->text(), "x y");
  EXPECT_EQ(Form->Edit4->text(), "");
  // Enter in the title field is not the address field's key.
  QTest::keyClick(Form->Edit1, Qt::Key_Return);
  EXPECT_EQ(Form->Edit4->text(), "");
}

TEST_F(CompositionTest, MarkdownButtonPrefixesOnlyAddressesWithoutAScheme) {
  struct Case {
    QString title, address, wantAddress, wantLink;
  };
  // "HTTP://x" became "http://HTTP://x" and "a/http-b" stayed without a scheme before; the
  // brackets of the title ended the link text early.
  const Case cases[] = {
      {"t", "HTTP://x", "HTTP://x", "[t](HTTP://x)"},
      {"t", "a/http-b", "http://a/http-b", "[t](http://a/http-b)"},
      {"t", "", "http://", "[t](http://)"},
      {"", "http://e.org", "http://e.org", "[](http://e.org)"},
      {QStringLiteral(u"标题 [x]"), QStringLiteral(u"例子.中国"),
       QStringLiteral(u"http://例子.中国"), QStringLiteral(u"[标题 \\[x\\]](http://例子.中国)")},
  };
  for (const Case& c : cases) {
    Form->Edit1->clear();
    Form->Edit2->clear();
    Type(Form->Edit1, c.title);
    Type(Form->Edit2, c.address);
    QTest::mouseClick(Form->Button1, Qt::LeftButton);
    EXPECT_EQ(Form->Edit2->text(), c.wantAddress) << c.address.toStdString();
    EXPECT_EQ(Form->Edit4->text(), c.wantLink) << c.address.toStdString();
  }
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(CompositionTest, BBCodeButtonUsesFieldsUnchanged) {
  QTest::mouseClick(Form->Button2, Qt::LeftButton);
  EXPECT_EQ(Form->Edit3->text(), "[url=][/url]");

  Type(Form->Edit1, "My Title");
  Type(Form->Edit2, "a/b");
  QTest::mouseClick(Form->Button2, Qt::LeftButton);
  EXPECT_EQ(Form->Edit3->text(), "[url=a/b]My Title[/url]");
  EXPECT_EQ(Form->Edit2->text(), "a/b") << "no prefix for BBCode";
}

TEST_F(CompositionTest, LongFieldsAreNotCut) {
  // An edit's default limit of 32767 characters would cut a long composed link.
  const QString title(40000, QChar(u'w'));
  Form->Edit1->setText(title);
  Form->Edit2->setText("http://e.org");
  QTest::mouseClick(Form->Button1, Qt::LeftButton);
  EXPECT_EQ(Form->Edit4->text().size(), title.size() + 16);
  EXPECT_TRUE(Form->Edit4->text().endsWith("](http://e.org)"));
}

TEST_F(CompositionTest, HiddenSampleIsShownThenSplitIntoTheFields) {
  EXPECT_FALSE(Form->Button9->isVisible());
  EXPECT_TRUE(Form->Button9->isHidden());
  Form->Button9->click();

  ASSERT_EQ(Notifier.Boxes.size(), 1u);
  const TBox& box = Notifier.Boxes[0];
  EXPECT_EQ(box.kind, u"message");
  EXPECT_EQ(box.title, kTitle);
  const QString shown = QString::fromStdU16String(box.text);
  EXPECT_FALSE(shown.contains("[url=")) << shown.toStdString();
  EXPECT_FALSE(shown.contains("[/url]")) << shown.toStdString();
  // The sample is an address and a one-word title: the box shows them joined by "]".
  EXPECT_FALSE(Form->Edit2->text().isEmpty());
  EXPECT_FALSE(Form->Edit1->text().isEmpty());
  EXPECT_EQ(Form->Edit2->text() + "]" + Form->Edit1->text(), shown);
}

} // namespace
} // namespace quillon::test
