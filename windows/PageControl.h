// A page control whose page selectors are either tabs or a row of flat
// buttons, switchable at any time. Each page's selector can be hidden on
// its own; the pages themselves stay in place.
#pragma once

#include <QList>
#include <QWidget>

class QButtonGroup;
class QStackedWidget;
class QTabBar;
class QToolButton;

class TPageControl : public QWidget {
  Q_OBJECT
public:
  explicit TPageControl(QWidget* parent = nullptr);

  // Adds a page; returns its index.
  int AddPage(QWidget* page, const QString& caption);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  QWidget* Page(int index) const { return pages_.value(index); }

  QString PageCaption(int index) const;
  void SetPageCaption(int index, const QString& caption);

  // Whether the page's selector (tab or button) is shown.
  bool PageSelectorVisible(int index) const;
  void SetPageSelectorVisible(int index, bool visible);

  int ActivePage() const;
  void SetActivePage(int index);

  // The font of the tabs and buttons, which may be smaller than the pages'
  // so that every selector fits the width.
  void SetSelectorFont(const QFont& font);

  // Tabs (true) or flat buttons (false).
  bool TabsStyle() const { return tabs_; }
  void SetTabsStyle(bool tabs);

  // The selectors, for tests and accessibility.
  QTabBar* TabBar() const { return tabBar_; }
  QToolButton* Button(int index) const { return buttons_.value(index); }

private:
  void RefreshSelectors();

  QTabBar* tabBar_;
  QWidget* buttonRow_;
  QButtonGroup* buttonGroup_;
  QStackedWidget* stack_;
  QList<QWidget*> pages_;
  QList<QToolButton*> buttons_;
  QList<bool> visible_;
  bool tabs_ = true;
};
