// A label whose text never widens its window: a text longer than the room
// it has is shown cut with an ellipsis, and whole in its tooltip. For the
// panels of a status bar of a fixed-size window.
#pragma once

#include <QLabel>

class ElidedLabel : public QLabel {
  Q_OBJECT
public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  // The text (text() stays whole) and, as tooltip, the same text.
  void SetText(const QString& text);
  // Whether the text is shown cut at the present width.
  bool Elided() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;
};
