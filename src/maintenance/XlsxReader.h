#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>

struct zip;

// Reads the cell values of an .xlsx workbook: enough for importing rows from a sheet and for
// checking what an export wrote. Formulas give their cached result; charts, comments and layout
// are ignored. A damaged file gives an error text, never a crash.
class XlsxReader
{
public:
    XlsxReader();
    ~XlsxReader();
    XlsxReader(const XlsxReader &) = delete;
    XlsxReader &operator=(const XlsxReader &) = delete;

    // Reads the workbook's sheet list, shared strings and styles; the sheets are read on demand.
    bool open(const QString &file, QString *error);
    void close();
    bool isOpen() const { return m_archive != nullptr; }

    // In the workbook's order.
    QStringList sheetNames() const;

    // Row i, column j as in the sheet (A1 is [0][0]). A row ends at its last cell and may be empty,
    // cells missing in between are invalid QVariants. Numbers are doubles (dates too, see
    // dateTime()), booleans bool, text QString. `styles`, when given, receives each cell's style
    // index at the same positions, for numberFormatOfStyle().
    std::optional<QList<QVariantList>> readSheet(int index, QString *error, QList<QList<int>> *styles = nullptr) const;

    // The number-format code of a cell style ("General", "0.00", "yyyy-mm-dd" ...).
    QString numberFormatOfStyle(int style) const;

    // Whether a number-format code shows a date or time.
    static bool isDateFormat(const QString &code);
    // A date cell's value as a moment, in the workbook's date system.
    QDateTime dateTime(double serial) const;

private:
    struct ArchiveCloser
    {
        void operator()(zip *archive) const;
    };

    std::optional<QByteArray> readPart(const QString &name, QString *why) const;
    bool hasPart(const QString &name) const;
    bool readRelationships(const QString &part, QHash<QString, QString> *targets, QHash<QString, QString> *types,
                           QString *why) const;
    bool readWorkbook(const QString &part, QString *why);
    bool readSharedStrings(const QString &part, QString *why);
    bool readStyles(const QString &part, QString *why);

    std::unique_ptr<zip, ArchiveCloser> m_archive;
    QStringList m_sheetNames;
    QStringList m_sheetParts;
    QStringList m_sharedStrings;
    QList<int> m_styleFormats; // cellXfs index -> numFmtId
    QHash<int, QString> m_numFormats; // numFmtId -> formatCode of the workbook's own formats
    bool m_date1904 = false;
};
