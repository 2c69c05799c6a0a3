// The Platform of the running program, over Qt Widgets and Print Support.
// Needs a QApplication; every call belongs on the user-interface thread.
#pragma once

#include "platform/Platform.h"

class QtPlatform : public Platform {
public:
  void ShowMessage(const QString& text) override;
  void ShowError(const QString& text) override;
  bool AskYesNo(const QString& caption, const QString& text) override;

  QString SaveFileName(const QString& title, const QString& proposedName, const QString& filter,
                       const QString& defaultExt) override;
  QString OpenFileName(const QString& title, const QString& filter, const QString& defaultExt) override;

  void SetClipboardText(const QString& text) override;
  QString ClipboardText() override;

  std::unique_ptr<PrintJob> StartPrintJob(const QString& documentName) override;

  bool OpenDocument(const QString& path) override;
  bool StartProgram(const QString& program) override;

  void Beep() override;

  QDateTime Now() override;
  QString ShortDate(const QDate& date) override;
  QString LongTime(const QTime& time) override;
  QChar DecimalSeparator() override;

  void BeginBusyCursor() override;
  void EndBusyCursor() override;

  int ShowModal(QDialog& dialog) override;
  WorkResult RunLongWork(QWidget* parent, const QString& title,
                         const std::function<void(TProgress&)>& work) override;
};
