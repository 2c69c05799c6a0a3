// Enter in a field runs the window's default action exactly once, whether
// the window is a dialog (which would also press its default button) or a
// plain widget (which would do nothing).
#pragma once

#include <QObject>

#include <functional>

class QWidget;

class ReturnKeyFilter : public QObject {
public:
  ReturnKeyFilter(QWidget* field, std::function<void()> action);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  std::function<void()> action_;
};

// Installs the filter on the field (and on the line edit of a combo box).
void RunOnReturn(QWidget* field, std::function<void()> action);
