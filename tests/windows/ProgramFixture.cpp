#include "ProgramFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QKeySequence>
#include <QTest>
#include <QWindow>
#include <QWidget>

ProgramFixture::ProgramFixture() {
  Start();
  watchdog_.setInterval(20);
  QObject::connect(&watchdog_, &QTimer::timeout, [this] { WatchModals(); });
  watchdog_.start();
}

ProgramFixture::~ProgramFixture() {
  watchdog_.stop();
  WatchModals();
  program_.reset();
  store_.reset();
}

void ProgramFixture::Start() {
  store_ = std::make_unique<SettingsStore>(IniPath(), [this](const QString& m) { platform_.ShowError(m); });
  program_ = std::make_unique<TProgramWindows>(platform_, *store_);
}

void ProgramFixture::Restart() {
  program_.reset();
  store_.reset();
  Start();
}

QStringList ProgramFixture::StoredNames() const {
  QSettings ini(IniPath(), QSettings::IniFormat);
  ini.beginGroup(QStringLiteral("Setup"));
  QStringList names = ini.childKeys();
  names.sort();
  return names;
}

QVariant ProgramFixture::Stored(const QString& name) const {
  QSettings ini(IniPath(), QSettings::IniFormat);
  return ini.value(QStringLiteral("Setup/") + name);
}

void ProgramFixture::Store(const QString& name, const QVariant& value) {
  {
    QSettings ini(IniPath(), QSettings::IniFormat);
    ini.setValue(QStringLiteral("Setup/") + name, value);
  }
}

void ProgramFixture::WatchModals() {
  if (modalExpected) return;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!w->isVisible() || !w->isModal()) continue;
    ADD_FAILURE() << "Unexpected modal window \"" << w->windowTitle().toStdString() << "\" ("
                  << w->metaObject()->className() << ")";
    if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->reject();
    else w->close();
  }
}

void ProgramFixture::Activate(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
  QApplication::setActiveWindow(window);
  ASSERT_TRUE(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }))
      << window->objectName().toStdString();
}

void ProgramFixture::Click(QWidget* control, QPoint at) {
  if (at == QPoint(-1, -1)) at = control->rect().center();
  QWidget* window = control->window();
  const QPoint inWindow = control->mapTo(window, at);
  QWidget* target = window->childAt(inWindow);
  if (!target) target = window;
  QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(window, inWindow));
}

void ProgramFixture::RightClick(QWidget* control, QPoint at) {
  if (at == QPoint(-1, -1)) at = control->rect().center();
  QWidget* window = control->window();
  // Through the window, so the press also asks for the context menu.
  QTest::mouseClick(window->windowHandle(), Qt::RightButton, Qt::NoModifier, control->mapTo(window, at));
}

void ProgramFixture::Pick(QComboBox* box, int row) {
  Click(box);
  Press(Qt::Key_Down, Qt::AltModifier);
  QAbstractItemView* list = box->view();
  ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); })) << "the list did not open";
  const QModelIndex index = box->model()->index(row, box->modelColumn(), box->rootModelIndex());
  list->scrollTo(index);
  Click(list->viewport(), list->visualRect(index).center());
  EXPECT_FALSE(list->isVisible()) << "the list stayed open";
}

void ProgramFixture::TabTo(QWidget* control, bool backwards) {
  for (int i = 0; i < 64 && Focus() != control; ++i)
    QTest::keyClick(Focus() ? Focus() : QApplication::activeWindow(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                    backwards ? Qt::ShiftModifier : Qt::NoModifier);
  ASSERT_EQ(Focus(), control) << "Tab never reached " << control->objectName().toStdString();
}

QWidget* ProgramFixture::Focus() const { return QApplication::focusWidget(); }

// An open menu grabs the keyboard, as it does on the desktop.
QWidget* ProgramFixture::KeyTarget() const {
  if (QWidget* popup = QApplication::activePopupWidget()) return popup;
  return Focus();
}

void ProgramFixture::Type(const QString& text) {
  ASSERT_TRUE(KeyTarget());
  QTest::keyClicks(KeyTarget(), text);
}

void ProgramFixture::Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  ASSERT_TRUE(KeyTarget());
  QTest::keyClick(KeyTarget(), key, modifiers);
}

void ProgramFixture::Release(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  ASSERT_TRUE(KeyTarget());
  QTest::keyRelease(KeyTarget(), key, modifiers);
}

void ProgramFixture::Choose(Qt::Key menu, Qt::Key item) {
  // The press opens the menu, which takes the keyboard: the releases go
  // to it, not to the control that had the focus.
  ASSERT_TRUE(KeyTarget());
  QTest::keyPress(KeyTarget(), menu, Qt::AltModifier);
  QTest::keyRelease(KeyTarget(), menu, Qt::AltModifier);
  ASSERT_TRUE(QApplication::activePopupWidget()) << "Alt+" << QKeySequence(menu).toString().toStdString()
                                                 << " opened no menu";
  Press(item);
  EXPECT_FALSE(QApplication::activePopupWidget()) << "the menu stayed open";
}
