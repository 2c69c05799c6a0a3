// The certificate window: the residues of the last certified Lucas-Lehmer
// test, shown in a key/value grid and saved as a text file.
#pragma once

#include <QString>
#include <QWidget>

#include <memory>

#include "windows/Windows.h"

class Platform;
class TCertificate;
class TCertificateModel;
class TProgress;
class QPushButton;
class QTableView;

class TCertifForm : public QWidget {
  Q_OBJECT
public:
  TCertifForm(Platform& platform, TWindows& windows);

  // The grid's rows are those of this certificate from now on.
  void SetCertificate(std::shared_ptr<TCertificate> certificate);
  const TCertificate& Certificate() const;

  // ---- the grid, as its cells show it
  qint64 RowCount() const;
  QString Key(qint64 row) const;
  QString Value(qint64 row) const;
  // What typing into a value cell does.
  void SetValue(qint64 row, const QString& text);

  // Where the save button writes: Certificates/Mersenne<p> certificate.txt
  // under the program's directory.
  QString CertificateDir() const;
  QString CertificatePath() const;

  QTableView* ValueList = nullptr;
  QPushButton* BitBtn1 = nullptr;

public slots:
  void BitBtn1Click();

private:
  // Writes every row through a temporary file renamed into place; returns
  // the failure's message, empty on success. Throws ECancelled.
  QString WriteFile(const QString& path, TProgress* progress) const;

  Platform& platform_;
  TWindows& windows_;
  TCertificateModel* model_ = nullptr;
};
