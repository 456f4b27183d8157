// The window's layout: every control at its fixed place at the first size, and, as the
// window grows, each takes the share of the extra width and height its rule gives
// (app/GrowLayout.h). The window cannot become smaller than its first size.
#pragma once

#include <QLayout>
#include <QList>
#include <QRect>

#include "app/GrowLayout.h"

namespace quillon {

class TGrowingLayout : public QLayout {
  Q_OBJECT
public:
  // FirstSize: the window's client size the places are given for.
  TGrowingLayout(QWidget* parent, QSize FirstSize);
  ~TGrowingLayout() override;

  // Puts Widget at Place (window pixels at the first size) and grows it by Rule.
  void Add(QWidget* Widget, const QRect& Place, const TGrowRule& Rule);
  // Where Widget stands when the window's client area is Size.
  QRect PlaceAt(const QWidget* Widget, QSize Size) const;

  QSize FirstSize() const { return FFirstSize; }

  // -- QLayout --
  // A widget added the generic way stays where it is and does not grow.
  void addItem(QLayoutItem* item) override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  int count() const override;
  QSize sizeHint() const override;
  QSize minimumSize() const override;
  void setGeometry(const QRect& rect) override;

private:
  struct TEntry {
    QLayoutItem* Item;
    QRect Place;
    TGrowRule Rule;
  };
  QRect Grown(const TEntry& Entry, QSize Size) const;

  QSize FFirstSize;
  QList<TEntry> FEntries;
};

} // namespace quillon
