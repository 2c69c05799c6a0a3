// The rows of a certificate as a two-column table (key, value) for a view
// that asks only for the rows it shows. Values are produced on demand and
// the texts of recently shown rows are cached; edits become overrides.
#pragma once

#include <QAbstractTableModel>
#include <QCache>
#include <QString>

#include <memory>

#include "tools/Certificate.h"

class TCertificateModel : public QAbstractTableModel {
  Q_OBJECT
public:
  explicit TCertificateModel(QObject* parent = nullptr);

  void SetCertificate(std::shared_ptr<TCertificate> certificate);
  const TCertificate& Certificate() const { return *certificate_; }

  QString Key(qint64 row) const;
  QString Value(qint64 row) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
  std::shared_ptr<TCertificate> certificate_;
  mutable QCache<qint64, QString> texts_;
  mutable TCertificateCursor cursor_;
};
