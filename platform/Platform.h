// The seam for everything that blocks or leaves the process: message boxes,
// file dialogs, clipboard, printer, shell, beep, clock, cursor and the runner
// of long work. Windows receive a Platform& and never call Qt's static
// dialogs themselves, so tests drive them with FakePlatform and never block.
#pragma once

#include <QDateTime>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

#include "numbers/progress/Progress.h"

class QDialog;
class QWidget;

// The caption of every message of the program.
inline const QString kApplicationTitle = QStringLiteral("Calvenna ! 5");

// The default error report's text: the full-stop rule of tools/ErrorText.h.
QString WithFullStop(const QString& text);

// One print job on the default printer, in device units.
class PrintJob {
public:
  virtual ~PrintJob() = default;
  virtual QSize PageSize() const = 0;
  // Draws text wrapped into the rectangle; returns the height it used.
  virtual int DrawText(const QRect& rect, const QString& text) = 0;
  virtual void NewPage() = 0;
  // Hands the job to the printing system. A job destroyed without End()
  // prints nothing; a job the printing system refuses is reported to the
  // user by the job itself.
  virtual void End() = 0;
};

// How a piece of long work ended.
enum class WorkResult { Done, Cancelled };

class Platform {
public:
  virtual ~Platform() = default;

  // ---- messages, all captioned with kApplicationTitle unless given
  // A plain message with one OK button.
  virtual void ShowMessage(const QString& text) = 0;
  // The default error report: stop icon, OK, WithFullStop(text).
  virtual void ShowError(const QString& text) = 0;
  // A question with a question icon and Yes / No; true for Yes.
  virtual bool AskYesNo(const QString& caption, const QString& text) = 0;

  // ---- file dialogs; an empty result means the user cancelled.
  // filter in Qt form, e.g. "Text files (*.txt);;All files (*)";
  // defaultExt without the dot, added when the chosen name has none.
  virtual QString SaveFileName(const QString& title, const QString& proposedName,
                               const QString& filter, const QString& defaultExt) = 0;
  virtual QString OpenFileName(const QString& title, const QString& filter,
                               const QString& defaultExt) = 0;

  // ---- clipboard, as plain text
  virtual void SetClipboardText(const QString& text) = 0;
  virtual QString ClipboardText() = 0;

  // ---- the default printer; null when no printer can be had.
  virtual std::unique_ptr<PrintJob> StartPrintJob(const QString& documentName) = 0;

  // ---- shell
  // Opens a document with its associated program; false when that failed.
  virtual bool OpenDocument(const QString& path) = 0;
  // Starts a program found on the PATH (or by absolute path) without waiting;
  // false when it was not found or could not start.
  virtual bool StartProgram(const QString& program) = 0;

  virtual void Beep() = 0;

  // ---- clock and the system's formats
  virtual QDateTime Now() = 0;
  // The system's short date format, e.g. "11/12/2026".
  virtual QString ShortDate(const QDate& date) = 0;
  // The system's long time format without any time-zone part, e.g. "14:03:27".
  virtual QString LongTime(const QTime& time) = 0;
  // The character the system writes between integer and fraction digits.
  virtual QChar DecimalSeparator() = 0;

  // ---- the hour-glass cursor; calls nest.
  virtual void BeginBusyCursor() = 0;
  virtual void EndBusyCursor() = 0;

  // ---- long work
  // Runs work on a worker thread. When it lasts longer than about half a
  // second a modal progress dialog (title, the progress object's text and
  // fraction, Cancel) appears over parent. Returns Done when the work
  // finished, Cancelled when the user cancelled (the work sees
  // progress.Cancelled() and should end within a tenth of a second, by
  // returning or throwing ECancelled). Any other exception the work throws
  // is rethrown here, on the calling (UI) thread.
  virtual WorkResult RunLongWork(QWidget* parent, const QString& title,
                                 const std::function<void(TProgress&)>& work) = 0;

  // Whether long work runs now. Its progress dialog keeps the mouse and the
  // keyboard from the windows, but not every way in (a screen reader can
  // still press a button): a handler that starts work refuses while true.
  bool LongWorkRunning() const { return longWorkDepth_ > 0; }
  // For the first line of such a handler: true (with a beep) when it must
  // not start now.
  bool RefuseDuringLongWork() {
    if (!LongWorkRunning()) return false;
    Beep();
    return true;
  }

  // ---- modal windows
  // Shows the program's own modal window and returns when it is closed,
  // with its result (QDialog::Accepted or Rejected).
  virtual int ShowModal(QDialog& dialog) = 0;

protected:
  // Held by RunLongWork for the time the work runs.
  class LongWorkMark {
  public:
    explicit LongWorkMark(Platform& p) : p_(p) { ++p_.longWorkDepth_; }
    ~LongWorkMark() { --p_.longWorkDepth_; }
    LongWorkMark(const LongWorkMark&) = delete;
    LongWorkMark& operator=(const LongWorkMark&) = delete;

  private:
    Platform& p_;
  };

private:
  int longWorkDepth_ = 0;
};

// Restores the cursor also when a handler leaves by an exception.
class BusyCursor {
public:
  explicit BusyCursor(Platform& p) : p_(p) { p_.BeginBusyCursor(); }
  ~BusyCursor() { p_.EndBusyCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

private:
  Platform& p_;
};
