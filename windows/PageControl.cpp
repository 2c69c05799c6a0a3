#include "windows/PageControl.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

TPageControl::TPageControl(QWidget* parent) : QWidget(parent) {
  tabBar_ = new QTabBar(this);
  tabBar_->setObjectName(QStringLiteral("PageTabs"));
  tabBar_->setExpanding(false);
  tabBar_->setDrawBase(true);
  tabBar_->setUsesScrollButtons(false);
  tabBar_->setElideMode(Qt::ElideNone);
  // Narrow tabs: five of them share the width of a half window.
  tabBar_->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px; }"));

  buttonRow_ = new QWidget(this);
  buttonRow_->setObjectName(QStringLiteral("PageButtons"));
  auto* row = new QHBoxLayout(buttonRow_);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  row->addStretch();
  buttonGroup_ = new QButtonGroup(this);
  buttonGroup_->setExclusive(true);

  stack_ = new QStackedWidget(this);
  stack_->setObjectName(QStringLiteral("Pages"));
  stack_->setFrameShape(QFrame::StyledPanel);

  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(0, 0, 0, 0);
  all->setSpacing(0);
  all->addWidget(tabBar_);
  all->addWidget(buttonRow_);
  all->addWidget(stack_, 1);

  connect(tabBar_, &QTabBar::currentChanged, this, [this](int i) {
    if (i >= 0) SetActivePage(i);
  });
  connect(buttonGroup_, &QButtonGroup::idClicked, this, [this](int i) { SetActivePage(i); });
  RefreshSelectors();
}

int TPageControl::AddPage(QWidget* page, const QString& caption) {
  const int index = PageCount();
  pages_ << page;
  visible_ << true;
  stack_->addWidget(page);
  {
    const QSignalBlocker block(tabBar_);
    tabBar_->addTab(caption);
  }
  auto* button = new QToolButton(buttonRow_);
  button->setObjectName(QStringLiteral("PageButton%1").arg(index + 1));
  button->setText(caption);
  button->setCheckable(true);
  button->setAutoRaise(true);  // flat until pressed or hovered
  buttonGroup_->addButton(button, index);
  auto* row = static_cast<QHBoxLayout*>(buttonRow_->layout());
  row->insertWidget(index, button);
  buttons_ << button;
  if (index == 0) SetActivePage(0);
  RefreshSelectors();
  return index;
}

QString TPageControl::PageCaption(int index) const { return tabBar_->tabText(index); }

void TPageControl::SetPageCaption(int index, const QString& caption) {
  if (index < 0 || index >= PageCount()) return;
  tabBar_->setTabText(index, caption);
  buttons_[index]->setText(caption);
}

bool TPageControl::PageSelectorVisible(int index) const { return visible_.value(index, false); }

void TPageControl::SetPageSelectorVisible(int index, bool visible) {
  if (index < 0 || index >= PageCount()) return;
  visible_[index] = visible;
  RefreshSelectors();
}

int TPageControl::ActivePage() const { return stack_->currentIndex(); }

void TPageControl::SetActivePage(int index) {
  if (index < 0 || index >= PageCount()) return;
  stack_->setCurrentIndex(index);
  // A hidden tab cannot be current in the bar; the page shows all the same.
  if (visible_[index]) {
    const QSignalBlocker block(tabBar_);
    tabBar_->setCurrentIndex(index);
  }
  buttons_[index]->setChecked(true);
}

void TPageControl::SetSelectorFont(const QFont& font) {
  buttonRow_->setFont(font);
  tabBar_->setFont(font);
}

void TPageControl::SetTabsStyle(bool tabs) {
  tabs_ = tabs;
  RefreshSelectors();
}

void TPageControl::RefreshSelectors() {
  bool any = false;
  {
    const QSignalBlocker block(tabBar_);
    for (int i = 0; i < PageCount(); ++i) {
      tabBar_->setTabVisible(i, visible_[i]);
      buttons_[i]->setVisible(visible_[i]);
      any = any || visible_[i];
    }
    if (ActivePage() >= 0 && visible_.value(ActivePage(), false)) tabBar_->setCurrentIndex(ActivePage());
  }
  // With no selector to show, the row takes no room in either style.
  tabBar_->setVisible(tabs_ && any);
  buttonRow_->setVisible(!tabs_ && any);
}
