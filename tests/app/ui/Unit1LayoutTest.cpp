// The window's fixed layout: places, captions, looks and the keyboard tab order.
#include <QApplication>
#include <QRegularExpression>

#include "tests/app/ui/FormFixture.h"

namespace quillon::test {
namespace {

class LayoutTest : public FormFixture {
protected:
  void SetUp() override {
    FormFixture::SetUp();
    WriteList(kBBCodeListFileName, "");
    WriteList(kMarkdownListFileName, "");
    Open();
  }
  // Layout values are 96-dpi pixels.
  QRect Scaled(int left, int top, int width, int height) const {
    const double x = Form->logicalDpiX() / 96.0, y = Form->logicalDpiY() / 96.0;
    return QRect(qRound(left * x), qRound(top * y), qRound(width * x), qRound(height * y));
  }
  QRect Place(const char* name) const {
    auto* widget = Form->findChild<QWidget*>(name);
    return widget ? widget->geometry() : QRect(-1, -1, 0, 0);
  }
};

TEST_F(LayoutTest, WindowCaptionSizeFontAndBackground) {
  EXPECT_EQ(Form->windowTitle(), "Quillon");
  EXPECT_EQ(Form->geometry().size(), Scaled(0, 0, 683, 427).size());
  EXPECT_EQ(Form->pos(), QPoint(0, 0));
  EXPECT_EQ(Form->font().family(), "Tahoma");
  EXPECT_EQ(Form->font().pixelSize(), Scaled(0, 0, 0, 11).height());
  EXPECT_EQ(Form->palette().color(QPalette::Window), Form->palette().color(QPalette::Button));
  EXPECT_TRUE(Form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(LayoutTest, ControlsSitAtTheirPlaces) {
  EXPECT_EQ(Place("ListBox1"), Scaled(8, 72, 586, 145));
  EXPECT_EQ(Place("ListBox2"), Scaled(8, 242, 586, 180));
  EXPECT_EQ(Place("Edit1"), Scaled(42, 2, 231, 21));
  EXPECT_EQ(Place("Edit4"), Scaled(415, 29, 260, 21));
  EXPECT_EQ(Place("Button1"), Scaled(279, 29, 130, 22));
  EXPECT_EQ(Place("Button2"), Scaled(279, 0, 130, 25));
  EXPECT_EQ(Place("Button8"), Scaled(600, 304, 75, 25));
  EXPECT_EQ(Place("Button9"), Scaled(519, 165, 75, 25));
  EXPECT_EQ(Place("RichViewEdit1"), Scaled(288, 51, 306, 21));
  // Labels keep their place and grow to their caption when the font is wider.
  const QRect label3 = Place("Label3");
  EXPECT_EQ(label3.topLeft(), Scaled(8, 223, 0, 0).topLeft());
  EXPECT_GE(label3.width(), Form->Label3->sizeHint().width());
}

TEST_F(LayoutTest, CaptionsAndTheLinkLabel) {
  QStringList captions;
  for (QLabel* label : {Form->Label1, Form->Label2, Form->Label3, Form->Label5, Form->Label6})
    captions << label->objectName() + "=" + label->text();
  for (QPushButton* button :
       {Form->Button1, Form->Button2, Form->Button3, Form->Button4, Form->Button5, Form->Button6,
        Form->Button7, Form->Button8, Form->Button9})
    captions << button->objectName() + "=" + button->text();
  EXPECT_EQ(captions.join(" | "),
            QStringLiteral(u"Label1=转为所见所得模式下数据到剪贴板==> | Label2=富文本型: | "
                           u"Label3=MarkDown型: | Label5=文字: | Label6=链接: | "
                           u"Button1===>转为MarkDown型 | Button2====>转为富文本型 | "
                           u"Button3=添加新项 | Button4=删除项目 | Button5=添加新项 | "
                           u"Button6=删除新项 | Button7=去重保存 | Button8=去重保存 | "
                           u"Button9=Button9"));
  EXPECT_EQ(Form->Label1->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_TRUE(Form->Label1->font().underline());
  EXPECT_EQ(Form->Label1->font().family(), "Tahoma");
  EXPECT_FALSE(Form->Label2->font().underline());
  for (QLineEdit* edit : {Form->Edit1, Form->Edit2, Form->Edit3, Form->Edit4})
    EXPECT_EQ(edit->text(), "") << edit->objectName().toStdString();
  EXPECT_FALSE(Form->Button9->isVisible());
  EXPECT_TRUE(Form->RichViewEdit1->isVisible());
  EXPECT_EQ(Form->RichViewEdit1->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_NE(Form->RichViewEdit1->frameShape(), QFrame::NoFrame);
}

TEST_F(LayoutTest, TabOrderFollowsTheTable) {
  // The whole chain, the invisible Button9 included, among the named controls.
  const QRegularExpression named("^(ListBox|Edit|Button|RichViewEdit)\\d$");
  QStringList chain;
  QWidget* widget = Form->ListBox1;
  do {
    if (named.match(widget->objectName()).hasMatch())
      chain << widget->objectName();
    widget = widget->nextInFocusChain();
  } while (widget != Form->ListBox1);
  EXPECT_EQ(chain.join(' '), "ListBox1 ListBox2 Edit1 Edit2 Button1 Button2 Edit3 Edit4 Button3 "
                             "Button4 Button5 Button6 Button7 Button8 RichViewEdit1 Button9");

  // The Tab key walks it, passing over the invisible button and the labels.
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  Form->ListBox1->setFocus();
  QStringList walked;
  for (int i = 0; i < 16; ++i) {
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    walked << focused->objectName();
    QTest::keyClick(focused, Qt::Key_Tab);
  }
  EXPECT_EQ(walked.join(' '), "ListBox1 ListBox2 Edit1 Edit2 Button1 Button2 Edit3 Edit4 "
                              "Button3 Button4 Button5 Button6 Button7 Button8 RichViewEdit1 "
                              "ListBox1");
}

} // namespace
} // namespace quillon::test
