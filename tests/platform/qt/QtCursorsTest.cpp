// Engine cursor ids become real Qt cursors once a style sheet has registered them.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/qt/RVQtCursors.h"
#include "richtext/style/RVStyle.h"

using namespace richtext;
using quillon::RVQtCursor;

namespace {

// Counts the opaque pixels of a drawn cursor: an empty picture would still be a "cursor".
int OpaquePixels(const QCursor& cursor) {
  const QImage image = cursor.pixmap().toImage();
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      count += qAlpha(image.pixel(x, y)) > 0;
  return count;
}

} // namespace

TEST(QtCursors, StandardIdsMapToTheSystemShapes) {
  EXPECT_EQ(Qt::ArrowCursor, RVQtCursor(crDefault).shape());
  EXPECT_EQ(Qt::ArrowCursor, RVQtCursor(crArrow).shape());
  EXPECT_EQ(Qt::IBeamCursor, RVQtCursor(crIBeam).shape());
  EXPECT_EQ(Qt::PointingHandCursor, RVQtCursor(crHandPoint).shape());
  EXPECT_EQ(Qt::ArrowCursor, RVQtCursor(12345).shape());
}

TEST(QtCursors, StyleSheetCursorsAreDrawnAfterRegistration) {
  TRVStyle style; // creating a style sheet registers its cursors
  ASSERT_TRUE(RVIsCursorRegistered(crJump));
  EXPECT_EQ(Qt::PointingHandCursor, RVQtCursor(crJump).shape());

  const QCursor flip = RVQtCursor(crRVFlipArrow);
  EXPECT_EQ(Qt::BitmapCursor, flip.shape());
  EXPECT_EQ(QPoint(20, 1), flip.hotSpot());
  EXPECT_GT(OpaquePixels(flip), 40);

  const QCursor laying = RVQtCursor(crRVLayingIBeam);
  EXPECT_EQ(Qt::BitmapCursor, laying.shape());
  EXPECT_EQ(QPoint(16, 16), laying.hotSpot());
  EXPECT_GT(OpaquePixels(laying), 20);
}
