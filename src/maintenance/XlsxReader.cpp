#include "XlsxReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <zip.h>

#include <cmath>

namespace {

// Larger parts are refused rather than read into memory (a damaged or hostile archive may claim
// any size).
constexpr zip_uint64_t MaxPartSize = zip_uint64_t(1) << 30;
constexpr int MaxRows = 1048576;
constexpr int MaxColumns = 16384;

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = QStringLiteral("无法读取Excel文件：") + reason;
    return false;
}

QString xmlError(const QString &part, const QXmlStreamReader &xml)
{
    return QStringLiteral("%1 格式错误（第%2行）：%3").arg(part, QString::number(xml.lineNumber()), xml.errorString());
}

// Text in OOXML escapes characters XML cannot hold as _xHHHH_ (a literal "_x" as _x005F_x).
QString unescapeText(QString text)
{
    if (!text.contains(QStringLiteral("_x")))
        return text;
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString result;
    qsizetype last = 0;
    for (auto it = escape.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(text).mid(last, match.capturedStart() - last);
        result += QChar(char16_t(match.captured(1).toUShort(nullptr, 16)));
        last = match.capturedEnd();
    }
    result += QStringView(text).mid(last);
    return result;
}

// The text of a <si> or <is>: its <t> directly or the <t> of its runs, without phonetic guides.
QString readRichText(QXmlStreamReader &xml)
{
    QString text;
    const QString outer = xml.name().toString();
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (xml.isEndElement() && xml.name() == outer)
            break;
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"t")
            text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (xml.name() == u"rPh" || xml.name() == u"phoneticPr")
            xml.skipCurrentElement();
    }
    return unescapeText(text);
}

// "C5" -> column 2, row 4; false for anything else.
bool parseReference(QStringView reference, int *row, int *column)
{
    int col = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference.at(i).isLetter(); ++i) {
        const char16_t c = reference.at(i).toUpper().unicode();
        if (c < u'A' || c > u'Z')
            return false;
        col = col * 26 + (c - u'A' + 1);
        if (col > MaxColumns)
            return false;
    }
    bool ok = false;
    const int r = reference.mid(i).toInt(&ok);
    if (i == 0 || !ok || r < 1 || r > MaxRows)
        return false;
    *row = r - 1;
    *column = col - 1;
    return true;
}

// The relationship target relative to the folder of the part that names it.
QString resolveTarget(const QString &part, const QString &target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    const QString folder = QFileInfo(part).path();
    return QDir::cleanPath(folder.isEmpty() || folder == u'.' ? target : folder + u'/' + target);
}

QString relationshipsPart(const QString &part)
{
    const QFileInfo info(part);
    const QString folder = info.path() == u'.' ? QString() : info.path() + u'/';
    return folder + QStringLiteral("_rels/") + info.fileName() + QStringLiteral(".rels");
}

QString builtInFormat(int id)
{
    // The ids every locale shares, then those Excel defines for Simplified Chinese.
    static const QHash<int, QString> formats {
        {0, QStringLiteral("General")},
        {1, QStringLiteral("0")},
        {2, QStringLiteral("0.00")},
        {3, QStringLiteral("#,##0")},
        {4, QStringLiteral("#,##0.00")},
        {9, QStringLiteral("0%")},
        {10, QStringLiteral("0.00%")},
        {11, QStringLiteral("0.00E+00")},
        {12, QStringLiteral("# ?/?")},
        {13, QStringLiteral("# ?\?/?\?")},
        {14, QStringLiteral("mm-dd-yy")},
        {15, QStringLiteral("d-mmm-yy")},
        {16, QStringLiteral("d-mmm")},
        {17, QStringLiteral("mmm-yy")},
        {18, QStringLiteral("h:mm AM/PM")},
        {19, QStringLiteral("h:mm:ss AM/PM")},
        {20, QStringLiteral("h:mm")},
        {21, QStringLiteral("h:mm:ss")},
        {22, QStringLiteral("m/d/yy h:mm")},
        {37, QStringLiteral("#,##0 ;(#,##0)")},
        {38, QStringLiteral("#,##0 ;[Red](#,##0)")},
        {39, QStringLiteral("#,##0.00;(#,##0.00)")},
        {40, QStringLiteral("#,##0.00;[Red](#,##0.00)")},
        {45, QStringLiteral("mm:ss")},
        {46, QStringLiteral("[h]:mm:ss")},
        {47, QStringLiteral("mmss.0")},
        {48, QStringLiteral("##0.0E+0")},
        {49, QStringLiteral("@")},
        {27, QStringLiteral("yyyy\"年\"m\"月\"")},
        {28, QStringLiteral("m\"月\"d\"日\"")},
        {29, QStringLiteral("m\"月\"d\"日\"")},
        {30, QStringLiteral("m-d-yy")},
        {31, QStringLiteral("yyyy\"年\"m\"月\"d\"日\"")},
        {32, QStringLiteral("h\"时\"mm\"分\"")},
        {33, QStringLiteral("h\"时\"mm\"分\"ss\"秒\"")},
        {34, QStringLiteral("上午/下午h\"时\"mm\"分\"")},
        {35, QStringLiteral("上午/下午h\"时\"mm\"分\"ss\"秒\"")},
        {36, QStringLiteral("yyyy\"年\"m\"月\"")},
        {50, QStringLiteral("yyyy\"年\"m\"月\"")},
        {51, QStringLiteral("m\"月\"d\"日\"")},
        {52, QStringLiteral("yyyy\"年\"m\"月\"")},
        {53, QStringLiteral("m\"月\"d\"日\"")},
        {54, QStringLiteral("m\"月\"d\"日\"")},
        {55, QStringLiteral("上午/下午h\"时\"mm\"分\"")},
        {56, QStringLiteral("上午/下午h\"时\"mm\"分\"ss\"秒\"")},
        {57, QStringLiteral("yyyy\"年\"m\"月\"")},
        {58, QStringLiteral("m\"月\"d\"日\"")},
    };
    return formats.value(id, formats.value(0));
}

QString attribute(const QXmlStreamReader &xml, QStringView name)
{
    for (const QXmlStreamAttribute &a : xml.attributes()) {
        if (a.qualifiedName() == name)
            return a.value().toString();
    }
    return {};
}

} // namespace

void XlsxReader::ArchiveCloser::operator()(zip *archive) const
{
    zip_discard(archive);
}

XlsxReader::XlsxReader() = default;
XlsxReader::~XlsxReader() = default;

void XlsxReader::close()
{
    m_archive.reset();
    m_sheetNames.clear();
    m_sheetParts.clear();
    m_sharedStrings.clear();
    m_styleFormats.clear();
    m_numFormats.clear();
    m_date1904 = false;
}

bool XlsxReader::open(const QString &file, QString *error)
{
    close();
    if (!QFileInfo(file).isFile())
        return fail(error, QStringLiteral("文件不存在 ") + QDir::toNativeSeparators(file));
    int code = 0;
    zip *archive = zip_open(QFile::encodeName(file).constData(), ZIP_RDONLY, &code);
    if (!archive) {
        if (code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS)
            return fail(error, QStringLiteral("不是有效的Excel（.xlsx）文件"));
        zip_error_t zipError;
        zip_error_init_with_code(&zipError, code);
        const QString reason = QString::fromUtf8(zip_error_strerror(&zipError));
        zip_error_fini(&zipError);
        return fail(error, reason);
    }
    m_archive.reset(archive);

    QString why;
    QHash<QString, QString> targets;
    QHash<QString, QString> types;
    QString workbook = QStringLiteral("xl/workbook.xml");
    if (hasPart(QStringLiteral("_rels/.rels"))) {
        if (!readRelationships(QStringLiteral("_rels/.rels"), &targets, &types, &why)) {
            close();
            return fail(error, why);
        }
        for (auto it = types.cbegin(); it != types.cend(); ++it) {
            if (it.value().endsWith(QStringLiteral("/officeDocument")))
                workbook = targets.value(it.key());
        }
    }
    if (!hasPart(workbook)) {
        close();
        return fail(error, QStringLiteral("不是有效的Excel（.xlsx）文件"));
    }
    if (!readWorkbook(workbook, &why)) {
        close();
        return fail(error, why);
    }
    return true;
}

QStringList XlsxReader::sheetNames() const
{
    return m_sheetNames;
}

bool XlsxReader::hasPart(const QString &name) const
{
    return m_archive && zip_name_locate(m_archive.get(), name.toUtf8().constData(), ZIP_FL_NOCASE) >= 0;
}

std::optional<QByteArray> XlsxReader::readPart(const QString &name, QString *why) const
{
    const zip_int64_t index = zip_name_locate(m_archive.get(), name.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0) {
        *why = QStringLiteral("缺少 ") + name;
        return std::nullopt;
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_archive.get(), zip_uint64_t(index), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)
        && stat.size > MaxPartSize) {
        *why = name + QStringLiteral(" 过大");
        return std::nullopt;
    }
    zip_file_t *entry = zip_fopen_index(m_archive.get(), zip_uint64_t(index), 0);
    if (!entry) {
        *why = name + QStringLiteral("：") + QString::fromUtf8(zip_strerror(m_archive.get()));
        return std::nullopt;
    }
    QByteArray data;
    if (stat.valid & ZIP_STAT_SIZE)
        data.reserve(qsizetype(stat.size));
    char buffer[65536];
    zip_int64_t read = 0;
    while ((read = zip_fread(entry, buffer, sizeof buffer)) > 0) {
        data.append(buffer, qsizetype(read));
        if (zip_uint64_t(data.size()) > MaxPartSize)
            break;
    }
    const QString readError = read < 0 ? QString::fromUtf8(zip_file_strerror(entry)) : QString();
    zip_fclose(entry);
    if (read < 0) {
        *why = name + QStringLiteral("：") + readError;
        return std::nullopt;
    }
    if (zip_uint64_t(data.size()) > MaxPartSize) {
        *why = name + QStringLiteral(" 过大");
        return std::nullopt;
    }
    return data;
}

bool XlsxReader::readRelationships(const QString &part, QHash<QString, QString> *targets,
                                   QHash<QString, QString> *types, QString *why) const
{
    const std::optional<QByteArray> data = readPart(part, why);
    if (!data)
        return false;
    // Targets are relative to the part described: "xl/_rels/workbook.xml.rels" describes "xl/workbook.xml".
    QString owner = part;
    owner.remove(QStringLiteral("_rels/"));
    owner.chop(5); // ".rels"
    QXmlStreamReader xml(*data);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"Relationship")
            continue;
        if (attribute(xml, u"TargetMode") == u"External")
            continue;
        const QString id = attribute(xml, u"Id");
        targets->insert(id, resolveTarget(owner, attribute(xml, u"Target")));
        types->insert(id, attribute(xml, u"Type"));
    }
    if (xml.hasError()) {
        *why = xmlError(part, xml);
        return false;
    }
    return true;
}

bool XlsxReader::readWorkbook(const QString &part, QString *why)
{
    QHash<QString, QString> targets;
    QHash<QString, QString> types;
    const QString rels = relationshipsPart(part);
    if (hasPart(rels) && !readRelationships(rels, &targets, &types, why))
        return false;

    const std::optional<QByteArray> data = readPart(part, why);
    if (!data)
        return false;
    QXmlStreamReader xml(*data);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"workbookPr") {
            const QString value = attribute(xml, u"date1904");
            m_date1904 = value == u"1" || value.compare(u"true", Qt::CaseInsensitive) == 0;
        } else if (xml.name() == u"sheet") {
            // r:id, in whichever namespace the file's flavour of the format puts it.
            QString id;
            for (const QXmlStreamAttribute &a : xml.attributes()) {
                if (a.name() == u"id" && !a.namespaceUri().isEmpty())
                    id = a.value().toString();
            }
            m_sheetNames.append(attribute(xml, u"name"));
            m_sheetParts.append(targets.value(id));
        }
    }
    if (xml.hasError()) {
        *why = xmlError(part, xml);
        return false;
    }

    QString sharedStrings = QStringLiteral("xl/sharedStrings.xml");
    QString styles = QStringLiteral("xl/styles.xml");
    for (auto it = types.cbegin(); it != types.cend(); ++it) {
        if (it.value().endsWith(QStringLiteral("/sharedStrings")))
            sharedStrings = targets.value(it.key());
        else if (it.value().endsWith(QStringLiteral("/styles")))
            styles = targets.value(it.key());
    }
    if (hasPart(sharedStrings) && !readSharedStrings(sharedStrings, why))
        return false;
    if (hasPart(styles) && !readStyles(styles, why))
        return false;
    return true;
}

bool XlsxReader::readSharedStrings(const QString &part, QString *why)
{
    const std::optional<QByteArray> data = readPart(part, why);
    if (!data)
        return false;
    QXmlStreamReader xml(*data);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
            m_sharedStrings.append(readRichText(xml));
    }
    if (xml.hasError()) {
        *why = xmlError(part, xml);
        return false;
    }
    return true;
}

bool XlsxReader::readStyles(const QString &part, QString *why)
{
    const std::optional<QByteArray> data = readPart(part, why);
    if (!data)
        return false;
    QXmlStreamReader xml(*data);
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"cellXfs")
            inCellXfs = false;
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"cellXfs")
            inCellXfs = true;
        else if (xml.name() == u"xf" && inCellXfs)
            m_styleFormats.append(attribute(xml, u"numFmtId").toInt());
        else if (xml.name() == u"numFmt")
            m_numFormats.insert(attribute(xml, u"numFmtId").toInt(), attribute(xml, u"formatCode"));
    }
    if (xml.hasError()) {
        *why = xmlError(part, xml);
        return false;
    }
    return true;
}

std::optional<QList<QVariantList>> XlsxReader::readSheet(int index, QString *error, QList<QList<int>> *styles) const
{
    if (!m_archive) {
        fail(error, QStringLiteral("文件未打开"));
        return std::nullopt;
    }
    if (index < 0 || index >= m_sheetParts.size() || m_sheetParts.at(index).isEmpty()) {
        fail(error, QStringLiteral("没有第%1个工作表").arg(index + 1));
        return std::nullopt;
    }
    const QString part = m_sheetParts.at(index);
    QString why;
    const std::optional<QByteArray> data = readPart(part, &why);
    if (!data) {
        fail(error, why);
        return std::nullopt;
    }

    QList<QVariantList> rows;
    QList<QList<int>> cellStyles;
    const auto place = [&](int row, int column, const QVariant &value, int style) {
        if (rows.size() <= row)
            rows.resize(row + 1);
        QVariantList &cells = rows[row];
        if (cells.size() <= column)
            cells.resize(column + 1);
        cells[column] = value;
        if (styles) {
            if (cellStyles.size() <= row)
                cellStyles.resize(row + 1);
            QList<int> &marks = cellStyles[row];
            if (marks.size() <= column)
                marks.resize(column + 1);
            marks[column] = style;
        }
    };

    QXmlStreamReader xml(*data);
    int row = -1;
    int column = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"row") {
            bool ok = false;
            const int r = attribute(xml, u"r").toInt(&ok);
            row = ok ? r - 1 : row + 1;
            column = -1;
            if (row < 0 || row >= MaxRows) {
                fail(error, QStringLiteral("%1 的行号无效：%2").arg(part, attribute(xml, u"r")));
                return std::nullopt;
            }
            continue;
        }
        if (xml.name() != u"c" || row < 0)
            continue;

        const QString reference = attribute(xml, u"r");
        const QString type = attribute(xml, u"t");
        const int style = attribute(xml, u"s").toInt();
        if (reference.isEmpty()) {
            ++column;
        } else {
            int referencedRow = 0;
            if (!parseReference(reference, &referencedRow, &column)) {
                fail(error, QStringLiteral("%1 的单元格位置无效：%2").arg(part, reference));
                return std::nullopt;
            }
            row = referencedRow;
        }
        if (column >= MaxColumns) {
            fail(error, QStringLiteral("%1 的列数超出范围").arg(part));
            return std::nullopt;
        }

        QString value;
        bool hasValue = false;
        QString inlineText;
        bool hasInline = false;
        while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
            if (xml.isEndElement() && xml.name() == u"c")
                break;
            if (!xml.isStartElement())
                continue;
            if (xml.name() == u"v") {
                value = xml.readElementText();
                hasValue = true;
            } else if (xml.name() == u"is") {
                inlineText = readRichText(xml);
                hasInline = true;
            } else {
                xml.skipCurrentElement();
            }
        }

        QVariant cell;
        if (type == u"inlineStr") {
            cell = hasInline ? inlineText : unescapeText(value);
        } else if (!hasValue) {
            // A cell with only a style or an uncalculated formula.
        } else if (type == u"s") {
            bool ok = false;
            const int stringIndex = value.trimmed().toInt(&ok);
            if (ok && stringIndex >= 0 && stringIndex < m_sharedStrings.size())
                cell = m_sharedStrings.at(stringIndex);
        } else if (type == u"str" || type == u"e") {
            cell = unescapeText(value);
        } else if (type == u"b") {
            cell = value.trimmed() == u"1" || value.trimmed().compare(u"true", Qt::CaseInsensitive) == 0;
        } else if (type == u"d") {
            const QDateTime moment = QDateTime::fromString(value.trimmed(), Qt::ISODate);
            cell = moment.isValid() ? QVariant(moment) : QVariant(value);
        } else if (!value.trimmed().isEmpty()) {
            bool ok = false;
            const double number = value.trimmed().toDouble(&ok);
            cell = ok ? QVariant(number) : QVariant(value);
        }
        if (cell.isValid())
            place(row, column, cell, style);
    }
    if (xml.hasError()) {
        fail(error, xmlError(part, xml));
        return std::nullopt;
    }
    if (styles) {
        cellStyles.resize(rows.size());
        *styles = std::move(cellStyles);
    }
    return rows;
}

QString XlsxReader::numberFormatOfStyle(int style) const
{
    if (style < 0 || style >= m_styleFormats.size())
        return builtInFormat(0);
    const int id = m_styleFormats.at(style);
    const auto custom = m_numFormats.constFind(id);
    return custom != m_numFormats.cend() ? custom.value() : builtInFormat(id);
}

bool XlsxReader::isDateFormat(const QString &code)
{
    // Quoted and escaped literals and [Red]/[$-804] blocks say nothing; [h] [mm] [ss] are times.
    static const QRegularExpression noise(QStringLiteral(R"("[^"]*"|\\.|_.|\*.|\[(?![hms]+\])[^\]]*\])"),
                                          QRegularExpression::CaseInsensitiveOption);
    QString rest = code;
    rest.remove(noise);
    if (rest.compare(u"General", Qt::CaseInsensitive) == 0)
        return false;
    static const QRegularExpression dateLetters(QStringLiteral("[ymdhs]|上午/下午"),
                                                QRegularExpression::CaseInsensitiveOption);
    return rest.contains(dateLetters);
}

QDateTime XlsxReader::dateTime(double serial) const
{
    if (!std::isfinite(serial) || serial < 0 || serial > 2958466)
        return {};
    double days = std::floor(serial);
    qint64 milliseconds = qRound64((serial - days) * 86400000.0);
    if (milliseconds >= 86400000) {
        days += 1;
        milliseconds -= 86400000;
    }
    QDate date;
    if (m_date1904)
        date = QDate(1904, 1, 1).addDays(qint64(days));
    else if (days < 61) // Excel counts a 29 February 1900 that never was
        date = QDate(1899, 12, 31).addDays(qint64(days) - (days == 60 ? 1 : 0));
    else
        date = QDate(1899, 12, 30).addDays(qint64(days));
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(milliseconds)));
}
