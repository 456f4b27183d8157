// The filter of a list: letter case and accents do not count, in ASCII and beyond.
#include <gtest/gtest.h>

#include "app/ListFilter.h"
#include "app/Utf.h"

namespace quillon {
namespace {

TEST(ListFilter, CaseAndAccentsDoNotCount) {
  EXPECT_EQ(u"cafe creme", FoldForFilter(u"Café CRÈME"));
  EXPECT_EQ(u"plain ascii [url=x]", FoldForFilter(u"Plain ASCII [URL=x]"));
  EXPECT_EQ(u"我的博客 😀", FoldForFilter(u"我的博客 😀"));
  EXPECT_EQ(u"strasse", FoldForFilter(u"STRASSE"));
  const std::vector<std::u16string> entries = {u"[url=a]Café crème[/url]", u"[url=b]CAFE au lait[/url]",
                                               u"[url=c]Tea[/url]", u"[url=d]我的博客[/url]"};
  TListFilter filter;
  EXPECT_EQ((std::vector<int>{0, 1}), filter.Match(entries, u"cafe"));
  // Typing on narrows the last matches; a new query looks at every entry again.
  EXPECT_EQ((std::vector<int>{0}), filter.Match(entries, u"café c"));
  EXPECT_EQ((std::vector<int>{3}), filter.Match(entries, u"博客"));
  EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), filter.Match(entries, u""));
  // A list that changed is folded again.
  const std::vector<std::u16string> changed = {u"[url=e]Éclair[/url]"};
  filter.Invalidate();
  EXPECT_EQ((std::vector<int>{0}), filter.Match(changed, u"ECLAIR"));
}

} // namespace
} // namespace quillon
