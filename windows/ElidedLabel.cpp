#include "windows/ElidedLabel.h"

#include <QPainter>
#include <QStyle>

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  // The layout gives the room; the text never asks for more.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::SetText(const QString& text) {
  setText(text);
  setToolTip(text);
}

bool ElidedLabel::Elided() const { return fontMetrics().horizontalAdvance(text()) > contentsRect().width(); }

QSize ElidedLabel::sizeHint() const {
  return QSize(minimumWidth(), QLabel::sizeHint().height());
}

QSize ElidedLabel::minimumSizeHint() const { return QSize(minimumWidth(), QLabel::minimumSizeHint().height()); }

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  drawFrame(&painter);
  const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
  style()->drawItemText(&painter, room, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                        isEnabled(), shown, foregroundRole());
}
