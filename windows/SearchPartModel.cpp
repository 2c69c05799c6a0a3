#include "windows/SearchPartModel.h"

TSearchPartModel::TSearchPartModel(const TSearchState& state, int part, QObject* parent)
    : QAbstractListModel(parent), state_(state), part_(part) {}

int TSearchPartModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(SearchPartEntryCount(state_, part_));
}

QVariant TSearchPartModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  return QString::fromStdString(SearchPartEntry(state_, part_, static_cast<std::size_t>(index.row())));
}

void TSearchPartModel::Refresh() {
  beginResetModel();
  endResetModel();
}
