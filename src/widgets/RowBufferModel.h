#pragma once

#include "GridModel.h"

#include <QVariantMap>

#include <optional>

class RowBuffer;

// A grid model over a RowBuffer. The model only references the buffer: the buffer belongs to the
// window's save logic (which writes it inside its transaction) and must outlive the model. Edits
// through the model go to the buffer; changes made to the buffer directly (load, clear) are shown
// after refresh().
class RowBufferModel : public GridModel
{
    Q_OBJECT
public:
    explicit RowBufferModel(RowBuffer &buffer, QObject *parent = nullptr);

    RowBuffer &buffer() const { return m_buffer; }
    // Tells the views that the buffer changed behind the model.
    void refresh();

    // Values of the rows insertRows() adds.
    void setNewRowDefaults(const QVariantMap &defaults) { m_newRowDefaults = defaults; }

    // Sets a field of a row whether or not a column shows it or is read-only (a picker filling a
    // line's goods code, name and price); false when the buffer refuses the value.
    bool setFieldValue(int row, const QString &field, const QVariant &value);

    QString footerText(int column) const override;
    QVariant value(int row, int column) const override;

    int rowCount(const QModelIndex &parent = {}) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool insertRows(int row, int count, const QModelIndex &parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;

    // Typed text of a number cell: blanks are zero, thousands separators and a currency sign are
    // allowed; nullopt for anything else.
    static std::optional<double> parseNumber(const QVariant &value);

private:
    void fieldChanged(int row, const QString &field);

    RowBuffer &m_buffer;
    QVariantMap m_newRowDefaults;
};
