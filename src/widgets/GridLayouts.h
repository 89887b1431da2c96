#pragma once

#include "GridColumn.h"

#include <optional>

class DataServices;
struct Session;

// Saved column layouts of the grids, one cfg_Grid row per grid and column. Rows are shipped with
// the database and only ever updated: a grid without rows keeps the columns designed for it.
namespace GridLayouts {

// The columns stored for the layout `name` (matched without regard to case), in their order;
// an empty list when there are none; nothing when the read failed (already reported).
std::optional<QList<GridColumn>> LoadGridLayout(DataServices &data, const QString &name);

// Writes each column's row, its position in `columns` as F_Order, in one transaction. Columns
// without a row are left out. False (reported) when the write failed: then nothing is saved.
bool SaveGridLayout(DataServices &data, const QString &name, const QList<GridColumn> &columns, int *saved = nullptr);

// Number formats by field name (price → money, _spprice → unit price, amount → quantity) and the
// custom fields' captions from the settings, as the client grid shows them.
void ApplyColumnSettings(QList<GridColumn> &columns, const Session &session);

} // namespace GridLayouts
