#include "windows/CertificateModel.h"

#include <QApplication>
#include <QPalette>

namespace {

// A residue of p = 99999 has 30103 digits; the cell shows a dozen of them,
// and laying out the whole text for every paint would make scrolling crawl.
constexpr qsizetype kShownCharacters = 120;
constexpr int kCachedRows = 256;

}  // namespace

TCertificateModel::TCertificateModel(QObject* parent)
    : QAbstractTableModel(parent), certificate_(std::make_shared<TCertificate>()), texts_(kCachedRows) {}

void TCertificateModel::SetCertificate(std::shared_ptr<TCertificate> certificate) {
  beginResetModel();
  certificate_ = certificate ? std::move(certificate) : std::make_shared<TCertificate>();
  texts_.clear();
  cursor_ = TCertificateCursor();
  endResetModel();
}

QString TCertificateModel::Key(qint64 row) const { return QString::fromStdString(TCertificate::Key(row)); }

QString TCertificateModel::Value(qint64 row) const {
  if (const QString* cached = texts_.object(row)) return *cached;
  auto* text = new QString(QString::fromStdString(certificate_->Value(row, cursor_)));
  const QString copy = *text;
  texts_.insert(row, text);
  return copy;
}

int TCertificateModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(certificate_->RowCount());
}

int TCertificateModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant TCertificateModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const qint64 row = index.row();
  if (index.column() == 0) {
    if (role == Qt::DisplayRole) return Key(row);
    // Key cells look like the fixed cells of a grid.
    if (role == Qt::BackgroundRole) return QApplication::palette().button();
    return {};
  }
  if (role == Qt::EditRole) return Value(row);
  if (role == Qt::DisplayRole) {
    const QString value = Value(row);
    return value.size() > kShownCharacters ? value.left(kShownCharacters) + QChar(0x2026) : value;
  }
  return {};
}

bool TCertificateModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.column() != 1 || role != Qt::EditRole) return false;
  const qint64 row = index.row();
  const QString text = value.toString();
  if (text == Value(row)) return true;
  certificate_->SetValue(row, text.toStdString());
  texts_.remove(row);
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

QVariant TCertificateModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section == 0 ? QStringLiteral("a=") : QStringLiteral("s=");
}

Qt::ItemFlags TCertificateModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  if (index.column() == 0) return Qt::ItemIsEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}
