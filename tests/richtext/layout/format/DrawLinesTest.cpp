// Drawing items and the drawing item list with its deletion window.
#include <gtest/gtest.h>

#include "richtext/base/RVClasses.h"
#include "richtext/layout/DLines.h"

namespace richtext::test {
namespace {

std::unique_ptr<TRVDrawLineInfo> Box(int ItemNo, int Left) {
  auto d = std::make_unique<TRVDrawLineInfo>(Left, 0, 10, 10, ItemNo, Left == 0);
  return d;
}

// Item numbers of the list, '-' for an empty slot.
std::string Items(const TRVDrawLines& L) {
  std::string s;
  for (int i = 0; i < L.Count(); ++i)
    s += L[i] == nullptr ? std::string("-") : std::to_string(L[i]->ItemNo);
  return s;
}

TEST(DrawLinesTest, DeletionWindowRefillsFreedSlotsFromTheFront) {
  TRVDrawLines L;
  for (int i = 0; i < 6; ++i)
    L.Add(Box(i, i));
  L.MarkForDelete(1, 3);
  EXPECT_EQ("0---45", Items(L));
  EXPECT_EQ(1, L.GetStartDeletedIndex());
  L.Insert(1, Box(7, 0));
  L.Insert(2, Box(8, 0));
  EXPECT_EQ("078-45", Items(L));
  EXPECT_EQ(3, L.GetStartDeletedIndex());
  EXPECT_EQ(1, L.GetDeletedCount());
  // Deleting the item right before the window widens it backwards.
  L.Delete(2);
  EXPECT_EQ("07--45", Items(L));
  EXPECT_EQ(2, L.GetStartDeletedIndex());
  L.DeleteMarked();
  EXPECT_EQ("0745", Items(L));
  EXPECT_EQ(-1, L.GetStartDeletedIndex());
}

TEST(DrawLinesTest, InsertingPastAFullWindowShiftsTheTail) {
  TRVDrawLines L;
  for (int i = 0; i < 3; ++i)
    L.Add(Box(i, i));
  L.MarkForDelete(1, 1);
  L.Insert(1, Box(5, 0));
  L.Insert(2, Box(6, 0));
  EXPECT_EQ("0562", Items(L));
  L.DeleteMarked();
  EXPECT_EQ("0562", Items(L));
}

TEST(DrawLinesTest, MisplacedEditsInsideTheWindowAreAssertionFailures) {
  TRVDrawLines L;
  for (int i = 0; i < 5; ++i)
    L.Add(Box(i, i));
  L.MarkForDelete(2, 3);
  try {
    L.Insert(4, Box(9, 0));
    FAIL() << "insert outside the window start";
  } catch (const ERichViewError& e) {
    EXPECT_EQ(std::string("Assertion failure"), e.what());
  }
  EXPECT_THROW(L.Delete(0), ERichViewError);
  EXPECT_THROW(L.MarkForDelete(0, 0), ERichViewError); // a window is open already
  EXPECT_EQ("01--4", Items(L));
}

TEST(DrawLinesTest, OptionalPropertiesLiveOnlyWhereTheClassKeepsThem) {
  TRVDrawLineInfo plain(1, 2, 30, 40, 0, true);
  plain.SetSpaceCount(3);
  plain.SetExtraSpaceBelow(4);
  EXPECT_EQ(0, plain.GetSpaceCount());
  EXPECT_EQ(0, plain.GetExtraSpaceBelow());
  EXPECT_EQ(30, plain.GetTextWidth());
  EXPECT_EQ(1, plain.GetObjectLeft());
  TRVComplexLineHeightDrawLineInfo complex;
  complex.Width = 30;
  complex.SetSpaceCount(3);
  complex.SetTextWidth(25);
  complex.SetExtraSpaceBelow(4);
  complex.SetExtraSpaceAbove(5);
  EXPECT_EQ(3, complex.GetSpaceCount());
  EXPECT_EQ(25, complex.GetTextWidth());
  EXPECT_EQ(4, complex.GetExtraSpaceBelow());
  EXPECT_EQ(5, complex.GetExtraSpaceAbove());
  EXPECT_EQ(3, complex.GetStreamingId());
  TRVJustifyDrawLineInfo justify;
  justify.SetMarkerOffset(7);
  EXPECT_EQ(7, justify.GetTextWidth());
}

} // namespace
} // namespace richtext::test
