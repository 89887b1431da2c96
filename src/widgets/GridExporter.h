#pragma once

#include "GridColumn.h"

#include <QString>

#include <functional>

// Writes a grid's rows to an .xlsx workbook of one sheet: typed cells (numbers with the column's
// display format, real dates, text kept as text), hidden columns left empty at their places.
class GridExporter
{
public:
    // Called with the rows written so far and the source's row count (-1 when unknown); false
    // cancels the export.
    using Progress = std::function<bool(qint64 done, qint64 total)>;

    // The Excel number format of a grid display format ("￥,0.00" -> "￥#,##0.00"); "" is General.
    static QString excelNumberFormat(const QString &displayFormat);
    // A name Excel accepts for a sheet: at most 31 characters, none of []:*?/\ .
    static QString sheetName(const QString &title);

    // Lists longer than this are streamed to disk row by row instead of being held in memory
    // until the file is written (their strings are then stored in the cells, not shared).
    void setStreamingThreshold(qint64 rows) { m_streamingThreshold = rows; }

    // Writes `file` (replacing it) only when the whole export succeeded; a failed or cancelled
    // export leaves no partial file and any earlier file under that name as it was.
    bool write(GridSource &source, const QString &title, const QString &file, const Progress &progress, QString *error);

    static constexpr int ProgressInterval = 250;

private:
    qint64 m_streamingThreshold = 5000;
};
