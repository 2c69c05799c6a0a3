// Calvenna: start-up, the message loop, and the end when the main window
// has closed.
#include <QApplication>

#include "CalvennaVersion.h"

#include "platform/QtPlatform.h"
#include "settings/SettingsStore.h"
#include "windows/MainUnit.h"
#include "windows/ProgramWindows.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Messages carry the title "Calvenna ! 5" themselves; a display name
  // would be appended to every window caption.
  QApplication::setApplicationName(QStringLiteral("Calvenna"));
  QApplication::setApplicationVersion(QStringLiteral(CALVENNA_VERSION));
  // Only the main window's close ends the program, whatever else is open.
  QApplication::setQuitOnLastWindowClosed(false);

  QtPlatform platform;
  SettingsStore settings([&platform](const QString& message) { platform.ShowError(message); });
  TProgramWindows windows(platform, settings);
  // The main window stays hidden until its start-up timer shows it.
  QObject::connect(windows.Windows().MainForm, &TMainForm::Closed, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  return app.exec();
}
