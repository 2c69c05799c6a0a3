// A scripted Platform for tests: records every message, print job, beep and
// program start, and answers dialogs from queues, so no test ever blocks.
#pragma once

#include <QList>
#include <QStringList>

#include <deque>

#include "platform/Platform.h"

class FakePlatform : public Platform {
public:
  enum class Kind { Message, Error, Question };
  struct Shown {
    Kind kind;
    QString caption;
    QString text;
  };
  struct Printed {
    QString documentName;
    QList<QPair<QRect, QString>> texts;
    bool ended = false;
  };

  // ---- the script
  std::deque<bool> yesNoAnswers;       // AskYesNo pops these; empty means Yes
  std::deque<QString> saveAnswers;     // SaveFileName pops; empty means cancel
  std::deque<QString> openAnswers;     // OpenFileName pops; empty means cancel
  bool printerAvailable = true;
  QSize pageSize{4800, 6800};
  QStringList knownPrograms;           // StartProgram succeeds for these
  bool openDocumentSucceeds = false;
  QDateTime now{QDate(2026, 12, 11), QTime(10, 20, 30)};
  int nowStepMs = 0;                   // each Now() advances the clock
  QChar decimalSeparator{'.'};
  // RunLongWork runs the work on the calling thread; with this set, the
  // progress object is cancelled before the work starts.
  bool cancelNextWork = false;
  // Called inside RunLongWork, while the work runs (to press something
  // meanwhile).
  std::function<void()> duringWork;
  // Called while a modal window is shown (ShowModal shows it modelessly and
  // closes it afterwards when still open); unset, it is closed at once.
  std::function<void(QDialog&)> onModal;

  // ---- what happened
  QList<Shown> shown;
  QList<QPair<QString, QString>> saveRequests;  // title, proposed name
  QStringList openRequests;                     // titles
  QList<Printed> printed;
  QStringList startedPrograms;   // every StartProgram attempt, in order
  QStringList openedDocuments;   // every OpenDocument attempt
  QStringList longWorkTitles;
  QStringList modalShown;        // object names of the modal windows shown
  int beeps = 0;
  int busyDepth = 0;
  int busyCount = 0;             // how often a busy cursor was begun
  QString clipboard;

  QStringList Texts(Kind k) const;  // texts shown of one kind
  QString LastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
  void ClearRecords();

  // ---- Platform
  void ShowMessage(const QString& text) override;
  void ShowError(const QString& text) override;
  bool AskYesNo(const QString& caption, const QString& text) override;
  QString SaveFileName(const QString& title, const QString& proposedName, const QString& filter,
                       const QString& defaultExt) override;
  QString OpenFileName(const QString& title, const QString& filter, const QString& defaultExt) override;
  void SetClipboardText(const QString& text) override { clipboard = text; }
  QString ClipboardText() override { return clipboard; }
  std::unique_ptr<PrintJob> StartPrintJob(const QString& documentName) override;
  bool OpenDocument(const QString& path) override;
  bool StartProgram(const QString& program) override;
  void Beep() override { ++beeps; }
  QDateTime Now() override;
  QString ShortDate(const QDate& date) override { return date.toString(QStringLiteral("dd/MM/yyyy")); }
  QString LongTime(const QTime& time) override { return time.toString(QStringLiteral("HH:mm:ss")); }
  QChar DecimalSeparator() override { return decimalSeparator; }
  void BeginBusyCursor() override { ++busyDepth; ++busyCount; }
  void EndBusyCursor() override { --busyDepth; }
  WorkResult RunLongWork(QWidget* parent, const QString& title,
                         const std::function<void(TProgress&)>& work) override;
  int ShowModal(QDialog& dialog) override;
};
