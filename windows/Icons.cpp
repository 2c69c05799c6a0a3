#include "windows/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cstring>
#include <functional>

namespace {

using Drawing = std::function<void(QPainter&)>;  // on a 16 x 16 canvas

const QColor kInk(0x30, 0x30, 0x30);
const QColor kPaper(0xfa, 0xfa, 0xfa);
const QColor kBoard(0xb0, 0x7a, 0x3c);
const QColor kClear(0xc0, 0x30, 0x30);

QIcon Drawn(const Drawing& draw) {
  QIcon icon;
  for (int size : {16, 24, 32, 48}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    draw(p);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

void Page(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawRect(r);
  p.setPen(QPen(kInk.lighter(180), 0.8));
  for (double y = r.top() + 3; y < r.bottom() - 1; y += 2.5) p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void Scissors(QPainter& p) {
  p.setPen(QPen(kInk, 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(4.5, 1.5), QPointF(10.5, 10.5));
  p.drawLine(QPointF(11.5, 1.5), QPointF(5.5, 10.5));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kClear, 1.5));
  p.drawEllipse(QPointF(4.5, 12.5), 2.3, 2.3);
  p.drawEllipse(QPointF(11.5, 12.5), 2.3, 2.3);
}

void Copy(QPainter& p) {
  Page(p, QRectF(1.5, 1.5, 8, 10));
  Page(p, QRectF(6.5, 4.5, 8, 10));
}

void Paste(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kBoard);
  p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12.5), 1, 1);
  p.setBrush(kInk.lighter(250));
  p.drawRoundedRect(QRectF(4, 1, 5, 3), 1, 1);
  Page(p, QRectF(6.5, 6.5, 8, 8.5));
}

void SelectAll(QPainter& p) {
  Page(p, QRectF(2.5, 1.5, 11, 13));
  p.setPen(QPen(QColor(0x30, 0x60, 0xc0), 1, Qt::DashLine));
  p.setBrush(QColor(0x30, 0x60, 0xc0, 60));
  p.drawRect(QRectF(4, 3.5, 8, 9));
}

void Eraser(QPainter& p) {
  QPainterPath body;
  body.moveTo(2, 11);
  body.lineTo(9, 3);
  body.lineTo(14, 7.5);
  body.lineTo(8, 14);
  body.lineTo(5, 14);
  body.closeSubpath();
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(0xe8, 0x8a, 0x9a));
  p.drawPath(body);
  p.drawLine(QPointF(5.5, 7), QPointF(10.8, 11.8));
}

void History(QPainter& p) {
  Eraser(p);
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawEllipse(QPointF(5, 5), 3.8, 3.8);
  p.drawLine(QPointF(5, 5), QPointF(5, 2.5));
  p.drawLine(QPointF(5, 5), QPointF(6.8, 5));
}

void CheckMark(QPainter& p) {
  QPainterPath tick;
  tick.moveTo(2.5, 8.5);
  tick.lineTo(6.5, 12.5);
  tick.lineTo(13.5, 3.5);
  p.setPen(QPen(Qt::white, 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(tick);
  p.setPen(QPen(QColor(0x10, 0x10, 0x10), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(tick);
}

Drawing DrawingOf(const char* name) {
  const struct {
    const char* name;
    void (*draw)(QPainter&);
  } drawings[] = {{"edit-cut", Scissors},      {"edit-copy", Copy},  {"edit-paste", Paste},
                  {"edit-select-all", SelectAll}, {"edit-clear", Eraser}, {"edit-clear-history", History}};
  for (const auto& d : drawings)
    if (std::strcmp(d.name, name) == 0) return d.draw;
  return {};
}

}  // namespace

QIcon StandardIcon(const char* themeName) {
  const QString name = QString::fromLatin1(themeName);
  if (QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
  const Drawing draw = DrawingOf(themeName);
  return draw ? Drawn(draw) : QIcon();
}

QIcon CheckableIcon(const QIcon& picture) {
  QIcon icon;
  for (int size : {16, 24, 32, 48}) {
    icon.addPixmap(picture.pixmap(size, size), QIcon::Normal, QIcon::Off);
    QPixmap checked(size, size);
    checked.fill(Qt::transparent);
    QPainter p(&checked);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(0.35);
    p.drawPixmap(0, 0, picture.pixmap(size, size));
    p.setOpacity(1);
    p.scale(size / 16.0, size / 16.0);
    CheckMark(p);
    p.end();
    icon.addPixmap(checked, QIcon::Normal, QIcon::On);
  }
  return icon;
}
