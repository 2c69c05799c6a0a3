// One report part of the search engine shown straight from the engine's
// state: 32000 rows cost no item objects and appear at once.
#pragma once

#include <QAbstractListModel>

#include "tools/Search.h"

class TSearchPartModel : public QAbstractListModel {
  Q_OBJECT
public:
  // part: 0-based. The state must outlive the model.
  TSearchPartModel(const TSearchState& state, int part, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // The state changed: the views show it anew.
  void Refresh();

private:
  const TSearchState& state_;
  int part_;
};
