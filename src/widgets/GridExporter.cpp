#include "GridExporter.h"

#include "core/NumberFormat.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <xlsxwriter.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>

namespace {

// Characters Excel shows as they are in a number format; anything else is quoted, so that letters
// (dates, 'E'), '%' (which would scale the value), '/' (fractions) or digits stay literal.
bool showsUnquoted(QChar c)
{
    return QStringView(u" $-+():!^&'~{}<>=￥¥€£").contains(c);
}

QString excelLiteral(const QString &text)
{
    QString result;
    QString quoted;
    const auto flush = [&] {
        if (!quoted.isEmpty())
            result += u'"' + quoted + u'"';
        quoted.clear();
    };
    for (const QChar c : text) {
        if (c == u'"') {
            flush();
            result += QStringLiteral("\\\"");
        } else if (showsUnquoted(c)) {
            flush();
            result += c;
        } else {
            quoted += c;
        }
    }
    flush();
    return result;
}

// One section: literal prefix, the number part ('0' '#' ',' '.'), literal suffix, read the way
// NumberFormat::formatNumber reads it.
QString excelSection(const QString &text)
{
    const NumberFormat::Section section = NumberFormat::parseSection(text);
    const QString &prefix = section.prefix;
    const QString &suffix = section.suffix;
    const int minInteger = section.minInteger;
    const int minDecimals = section.minDecimals;
    const int maxDecimals = section.maxDecimals;
    const bool thousands = section.thousands;
    const bool hasDigits = section.hasDigits;
    if (!hasDigits)
        return excelLiteral(prefix + suffix);

    QString integer;
    if (thousands) {
        // Excel groups when a ',' stands between digit placeholders: "#,##0", "#,#00", "00,000".
        const int places = std::max(minInteger, 4);
        integer = QString(places - minInteger, u'#') + QString(minInteger, u'0');
        integer.insert(integer.size() - 3, u',');
    } else {
        integer = minInteger > 0 ? QString(minInteger, u'0') : QStringLiteral("#");
    }
    // The grid shows no point without decimals ("0." is an integer); Excel would.
    QString decimals;
    if (maxDecimals > 0)
        decimals = u'.' + QString(minDecimals, u'0') + QString(maxDecimals - minDecimals, u'#');
    return excelLiteral(prefix) + integer + decimals + excelLiteral(suffix);
}

struct WorkbookFree
{
    void operator()(lxw_workbook *workbook) const { lxw_workbook_free(workbook); }
};

QString libraryError(lxw_error code)
{
    return QString::fromUtf8(lxw_strerror(code));
}

// Excel keeps at most this many characters in a cell.
constexpr qsizetype MaxCellText = 32767;

// Excel reads "_xHHHH_" in a cell as an escaped character; the library escapes control characters
// that way but leaves such text as it is, so a typed "_x0041_" would come back as "A".
QString protectEscapes(const QString &text)
{
    if (!text.contains(QStringLiteral("_x")))
        return text;
    static const QRegularExpression escape(QStringLiteral("_(?=x[0-9A-Fa-f]{4}_)"));
    return QString(text).replace(escape, QStringLiteral("_x005F_"));
}

std::optional<QDate> dateOf(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return value.toDate();
    case QMetaType::QDateTime:
        return value.toDateTime().date();
    default: {
        const QDate date = QDate::fromString(value.toString().left(10), Qt::ISODate);
        return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
    }
    }
}

} // namespace

QString GridExporter::excelNumberFormat(const QString &displayFormat)
{
    if (displayFormat.trimmed().isEmpty())
        return {};
    const QStringList sections = NumberFormat::splitSections(displayFormat);
    const QString positive = excelSection(sections.at(0));
    QStringList result {positive};
    // Where the grid falls back to the first section, Excel would show nothing: spell it out.
    if (sections.size() >= 2)
        result.append(sections.at(1).isEmpty() ? u'-' + positive : excelSection(sections.at(1)));
    if (sections.size() >= 3)
        result.append(sections.at(2).isEmpty() ? positive : excelSection(sections.at(2)));
    return result.join(u';');
}

QString GridExporter::sheetName(const QString &title)
{
    static constexpr QStringView forbidden = u"[]:*?/\\";
    QString name;
    for (const QChar c : title.trimmed())
        name += forbidden.contains(c) || c.category() == QChar::Other_Control ? QChar(u'_') : c;
    for (;;) {
        const QString before = name;
        if (name.size() > 31)
            name.truncate(name.at(30).isHighSurrogate() ? 30 : 31);
        name = name.trimmed();
        while (name.startsWith(u'\''))
            name.remove(0, 1);
        while (name.endsWith(u'\''))
            name.chop(1);
        if (name == before)
            break;
    }
    return name.isEmpty() ? QStringLiteral("Sheet1") : name;
}

bool GridExporter::write(GridSource &source, const QString &title, const QString &file, const Progress &progress,
                         QString *error)
{
    const auto failWith = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };

    const QList<GridColumn> columns = source.columns();
    if (columns.size() > LXW_COL_MAX)
        return failWith(libraryError(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE));

    // The library writes the file in one go when the workbook is closed; it goes to a name of its
    // own first, so an export that fails half way never stands under the final name.
    const QFileInfo target(file);
    const QString partial = target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".part");
    QFile::remove(partial);
    struct RemovePartial
    {
        const QString &path;
        bool keep = false;
        ~RemovePartial()
        {
            if (!keep)
                QFile::remove(path);
        }
    } cleanup {partial};

    const qint64 total = source.rowCount();
    lxw_workbook_options options {};
    options.constant_memory = total < 0 || total > m_streamingThreshold ? LXW_TRUE : LXW_FALSE;
    const QByteArray partialName = QFile::encodeName(partial);
    std::unique_ptr<lxw_workbook, WorkbookFree> workbook(workbook_new_opt(partialName.constData(), &options));
    if (!workbook)
        return failWith(libraryError(LXW_ERROR_MEMORY_MALLOC_FAILED));

    const QByteArray name = sheetName(title).toUtf8();
    lxw_worksheet *sheet = workbook_add_worksheet(workbook.get(), name.constData());
    if (!sheet)
        return failWith(libraryError(workbook_validate_sheet_name(workbook.get(), name.constData())));

    lxw_format *header = workbook_add_format(workbook.get());
    format_set_bold(header);
    lxw_format *dateFormat = workbook_add_format(workbook.get());
    format_set_num_format(dateFormat, "yyyy-mm-dd");
    QList<lxw_format *> numberFormats(columns.size(), nullptr);
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const GridColumn &column = columns.at(c);
        if (column.kind == ColumnKind::Number) {
            const QByteArray code = excelNumberFormat(column.displayFormat).toUtf8();
            if (!code.isEmpty()) {
                numberFormats[c] = workbook_add_format(workbook.get());
                format_set_num_format(numberFormats[c], code.constData());
            }
        }
    }

    lxw_error failure = LXW_NO_ERROR;
    const auto writeText = [&](lxw_row_t row, lxw_col_t col, const QString &text, lxw_format *format) {
        if (text.isEmpty() || failure != LXW_NO_ERROR)
            return;
        const QByteArray utf8 = protectEscapes(text).left(MaxCellText).toUtf8();
        failure = worksheet_write_string(sheet, row, col, utf8.constData(), format);
    };

    for (qsizetype c = 0; c < columns.size(); ++c) {
        const GridColumn &column = columns.at(c);
        if (!column.visible)
            continue;
        const auto col = lxw_col_t(c);
        writeText(0, col, column.caption, header);
        if (failure == LXW_NO_ERROR)
            failure = worksheet_set_column(sheet, col, col, std::max(column.width, 0) / 7.0, nullptr);
    }
    worksheet_freeze_panes(sheet, 1, 0);

    qint64 done = 0;
    qint64 reported = -1;
    bool cancelled = false;
    const bool read = source.forEachRow([&](const QVariantList &values) {
        const auto row = lxw_row_t(done + 1);
        if (done + 1 >= LXW_ROW_MAX) {
            failure = LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE;
            return false;
        }
        for (qsizetype c = 0; c < columns.size() && c < values.size() && failure == LXW_NO_ERROR; ++c) {
            const GridColumn &column = columns.at(c);
            const QVariant &value = values.at(c);
            if (!column.visible || value.isNull())
                continue;
            const auto col = lxw_col_t(c);
            switch (column.kind) {
            case ColumnKind::Number: {
                bool ok = false;
                const double number = value.toDouble(&ok);
                if (ok && std::isfinite(number))
                    failure = worksheet_write_number(sheet, row, col, number, numberFormats.at(c));
                else if (!ok)
                    writeText(row, col, value.toString(), nullptr);
                break;
            }
            case ColumnKind::Date: {
                if (GridFormat::isEmptyDate(value))
                    break;
                if (const std::optional<QDate> date = dateOf(value)) {
                    lxw_datetime moment {date->year(), date->month(), date->day(), 0, 0, 0};
                    failure = worksheet_write_datetime(sheet, row, col, &moment, dateFormat);
                } else {
                    writeText(row, col, value.toString(), nullptr);
                }
                break;
            }
            case ColumnKind::YesNo:
                if (value.toBool())
                    writeText(row, col, QStringLiteral("是"), nullptr);
                break;
            case ColumnKind::Text:
            case ColumnKind::Memo:
                writeText(row, col, value.toString(), nullptr);
                break;
            }
        }
        if (failure != LXW_NO_ERROR)
            return false;
        ++done;
        if (progress && done % ProgressInterval == 0) {
            reported = done;
            if (!progress(done, total)) {
                cancelled = true;
                return false;
            }
        }
        return true;
    });

    if (failure != LXW_NO_ERROR)
        return failWith(libraryError(failure));
    if (!read)
        return failWith(source.lastError());
    if (!cancelled && progress && reported != done && !progress(done, total < 0 ? done : total))
        cancelled = true;
    if (cancelled)
        return failWith(QStringLiteral("已取消"));

    // workbook_close() frees the workbook whatever it returns.
    const lxw_error closed = workbook_close(workbook.release());
    if (closed != LXW_NO_ERROR)
        return failWith(libraryError(closed));
    // rename() replaces an earlier file in one step: there is never a moment without either.
    std::error_code renamed;
    std::filesystem::rename(partialName.constData(), QFile::encodeName(file).constData(), renamed);
    if (renamed)
        return failWith(QStringLiteral("无法写入文件 %1：%2")
                            .arg(QDir::toNativeSeparators(file), QString::fromLocal8Bit(renamed.message())));
    cleanup.keep = true;
    return true;
}
