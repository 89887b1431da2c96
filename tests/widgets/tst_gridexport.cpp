#include "app/AppContext.h"
#include "core/Desktop.h"
#include "maintenance/XlsxReader.h"
#include "support/ScriptedPrompter.h"
#include "widgets/GridExport.h"
#include "widgets/GridExporter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

// libzip comes with the varnel library; the reader tests build their own archives with it.
#include <zip.h>

namespace {

GridColumn column(const QString &caption, ColumnKind kind, const QString &format = {}, bool visible = true)
{
    GridColumn c;
    c.fieldName = QStringLiteral("F_") + caption;
    c.caption = caption;
    c.kind = kind;
    c.displayFormat = format;
    c.visible = visible;
    return c;
}

// A cell as the reader gives it, with the number format of numbers: "text:…", "number:3|General",
// "date:2026-03-09|yyyy-mm-dd", "" when there is no cell.
QString describe(const XlsxReader &reader, const QVariant &value, int style)
{
    switch (value.metaType().id()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::QString:
        return QStringLiteral("text:") + value.toString();
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("bool:true") : QStringLiteral("bool:false");
    case QMetaType::Double: {
        const QString format = reader.numberFormatOfStyle(style);
        if (XlsxReader::isDateFormat(format))
            return QStringLiteral("date:") + reader.dateTime(value.toDouble()).date().toString(Qt::ISODate) + u'|'
                + format;
        return QStringLiteral("number:") + QString::number(value.toDouble()) + u'|' + format;
    }
    default:
        return QStringLiteral("other:") + value.toString();
    }
}

// Every cell of a sheet, described; rows padded to `width`.
QList<QStringList> readBack(const XlsxReader &reader, int sheet, int width)
{
    QList<QList<int>> styles;
    QString error;
    const auto rows = reader.readSheet(sheet, &error, &styles);
    if (!rows) {
        qWarning() << error;
        return {};
    }
    QList<QStringList> described;
    for (qsizetype r = 0; r < rows->size(); ++r) {
        QStringList cells;
        for (int c = 0; c < std::max<qsizetype>(width, rows->at(r).size()); ++c)
            cells.append(describe(reader, rows->at(r).value(c), styles.value(r).value(c)));
        described.append(cells);
    }
    return described;
}

bool writeZip(const QString &path, const QVariantMap &parts)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return false;
    QList<QByteArray> keep; // libzip reads the buffers when the archive is closed
    for (auto it = parts.cbegin(); it != parts.cend(); ++it) {
        keep.append(it.value().toByteArray());
        zip_source_t *source = zip_source_buffer(archive, keep.back().constData(), zip_uint64_t(keep.back().size()), 0);
        if (!source || zip_file_add(archive, it.key().toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
    }
    return zip_close(archive) == 0;
}

QByteArray zipBytes(const QVariantMap &parts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parts.zip"));
    QFile file(path);
    if (!writeZip(path, parts) || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// moc misreads raw strings that span lines or hold an odd number of quotes: the XML parts are
// built from one-line pieces.
const QByteArray XmlHead = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)";
const QByteArray MainNs = R"(xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")";
const QByteArray RelNs = R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships")";

struct Relationship
{
    const char *id;
    const char *type; // the last word of its type URI
    const char *target;
};

QByteArray relationships(std::initializer_list<Relationship> list)
{
    QByteArray xml
        = XmlHead + R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
    for (const Relationship &r : list) {
        xml += QByteArray("<Relationship Id=\"") + r.id
            + "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/" + r.type + "\" Target=\""
            + r.target + "\"/>";
    }
    return xml + "</Relationships>";
}

// A part of the workbook: the XML declaration and `root` around `content`.
QByteArray part(const char *root, const QByteArray &content)
{
    return XmlHead + '<' + root + ' ' + MainNs + ' ' + RelNs + '>' + content + "</" + root + '>';
}

QByteArray sheetXml(const QByteArray &sheetData)
{
    return part("worksheet", "<sheetData>" + sheetData + "</sheetData>");
}

// A workbook of one sheet named 表1 whose sheet part is `sheet`.
QVariantMap minimalWorkbook(const QByteArray &sheet)
{
    return {
        {QStringLiteral("xl/workbook.xml"),
         part("workbook", R"(<sheets><sheet name="表1" sheetId="1" r:id="rId1"/></sheets>)")},
        {QStringLiteral("xl/_rels/workbook.xml.rels"), relationships({{"rId1", "worksheet", "worksheets/sheet1.xml"}})},
        {QStringLiteral("xl/worksheets/sheet1.xml"), sheet},
    };
}

// A list of `rows` numbered rows that runs `hook` when it reaches row `hookRow`.
class NumberedSource final : public GridSource
{
public:
    NumberedSource(qint64 rows, qint64 hookRow = -1, std::function<void()> hook = {})
        : m_rows(rows)
        , m_hookRow(hookRow)
        , m_hook(std::move(hook))
    {
    }
    QList<GridColumn> columns() const override { return {column(QStringLiteral("序号"), ColumnKind::Text)}; }
    qint64 rowCount() override { return m_rows; }
    bool forEachRow(const std::function<bool(const QVariantList &)> &visit) override
    {
        for (qint64 i = 0; i < m_rows; ++i) {
            if (i == m_hookRow && m_hook)
                m_hook();
            if (!visit({QString::number(i)}))
                break;
        }
        return true;
    }
    QString footerText(int) override { return {}; }
    QString lastError() const override { return {}; }

private:
    qint64 m_rows;
    qint64 m_hookRow;
    std::function<void()> m_hook;
};

class RecordingDesktop final : public Desktop
{
public:
    explicit RecordingDesktop(bool opens)
        : m_opens(opens)
    {
    }
    bool openUrl(const QString &) override { return false; }
    bool openFile(const QString &path) override
    {
        opened.append(path);
        return m_opens;
    }
    bool mailTo(const QString &) override { return false; }
    bool startCalculator() override { return false; }
    bool startEditor() override { return false; }

    QStringList opened;

private:
    bool m_opens;
};

QStringList filesIn(const QString &folder)
{
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    return files;
}

} // namespace

class TestGridExport : public QObject
{
    Q_OBJECT
private slots:
    void excelNumberFormat_data();
    void excelNumberFormat();
    void sheetName_data();
    void sheetName();
    void cellsReadBack_data();
    void cellsReadBack();
    void progressAndCancel();
    void readerUnderstandsExcelFiles();
    void readerRejectsDamagedFiles_data();
    void readerRejectsDamagedFiles();
    void exportToHome_data();
    void exportToHome();
    void exportFailureShown();
    void progressDialogCancels();
};

void TestGridExport::excelNumberFormat_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("excel");
    QTest::newRow("general") << ""
                             << "";
    QTest::newRow("blank") << "  "
                           << "";
    QTest::newRow("quantity") << "0.##"
                              << "0.##";
    QTest::newRow("no decimals") << "0."
                                 << "0";
    QTest::newRow("three places") << "0.###"
                                  << "0.###";
    QTest::newRow("money") << "￥,0.00"
                           << "￥#,##0.00";
    QTest::newRow("price") << "￥,0.00##"
                           << "￥#,##0.00##";
    QTest::newRow("negative section") << ",0.00##;-,0.00##"
                                      << "#,##0.00##;-#,##0.00##";
    QTest::newRow("comma late in number") << "0,.00"
                                          << "#,##0.00";
    QTest::newRow("fixed integer digits") << ",00000"
                                          << "00,000";
    QTest::newRow("no integer digit") << "#.##"
                                      << "#.##";
    // Literals Excel would read as codes stay literal.
    QTest::newRow("unit suffix") << "0.00元"
                                 << "0.00\"元\"";
    QTest::newRow("percent sign") << "0.0%"
                                  << "0.0\"%\"";
    QTest::newRow("quoted digits") << "0 \"pcs 2\""
                                   << "0 \"pcs\" \"2\"";
    QTest::newRow("quote character") << "0'\"'"
                                     << "0\\\"";
    // Where the grid falls back to the first section, Excel would leave the cell blank.
    QTest::newRow("empty negative") << "0.00;;零"
                                    << "0.00;-0.00;\"零\"";
    QTest::newRow("empty zero") << "0.00;(0.00);"
                                << "0.00;(0.00);0.00";
    QTest::newRow("fourth section dropped") << "0;-0;0;@"
                                            << "0;-0;0";
}

void TestGridExport::excelNumberFormat()
{
    QFETCH(QString, display);
    QFETCH(QString, excel);
    QCOMPARE(GridExporter::excelNumberFormat(display), excel);
}

void TestGridExport::sheetName_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "客户列表"
                           << "客户列表";
    QTest::newRow("forbidden") << "客户[重点]:*?/\\列表"
                               << "客户_重点______列表";
    QTest::newRow("empty") << ""
                           << "Sheet1";
    QTest::newRow("blank") << "  "
                           << "Sheet1";
    QTest::newRow("apostrophes") << "'报价'"
                                 << "报价";
    QTest::newRow("line break") << "销售\n明细"
                                << "销售_明细";
    QTest::newRow("long") << QString(40, u'客') << QString(31, u'客');
    // Cut inside a character made of two UTF-16 units, the whole character goes.
    QTest::newRow("surrogate at the cut") << QString(30, u'a') + QStringLiteral("😀b") << QString(30, u'a');
}

void TestGridExport::sheetName()
{
    QFETCH(QString, title);
    QFETCH(QString, name);
    QCOMPARE(GridExporter::sheetName(title), name);
}

void TestGridExport::cellsReadBack_data()
{
    QTest::addColumn<qint64>("streamingThreshold");
    QTest::newRow("shared strings") << qint64(1000);
    QTest::newRow("streamed rows") << qint64(0);
}

void TestGridExport::cellsReadBack()
{
    QFETCH(qint64, streamingThreshold);
    MemoryGridSource source(
        {
            column(QStringLiteral("客户名称"), ColumnKind::Text),
            column(QStringLiteral("内部编号"), ColumnKind::Text, {}, false),
            column(QStringLiteral("电话"), ColumnKind::Text),
            column(QStringLiteral("金额"), ColumnKind::Number, QStringLiteral("￥,0.00")),
            column(QStringLiteral("数量"), ColumnKind::Number),
            column(QStringLiteral("签约日期"), ColumnKind::Date),
            column(QStringLiteral("重点客户"), ColumnKind::YesNo),
            column(QStringLiteral("备注"), ColumnKind::Memo),
        },
        {
            {QStringLiteral("甲公司"), QStringLiteral("K-1"), QStringLiteral("010123"), 1234.5, 3, QDate(2026, 3, 9),
             true, QStringLiteral("第一行\n第二行")},
            {QStringLiteral("乙公司"), QStringLiteral("K-2"), QStringLiteral("13800138000"), QStringLiteral("88.25"),
             QVariant(), QStringLiteral("1900-08-14"), false, QStringLiteral("_x0041_ 原样")},
            {QStringLiteral("丙公司"), QStringLiteral("K-3"), QVariant(), -5, 2.5, QDate(1900, 8, 14), QVariant(),
             QString()},
            {QStringLiteral("丁公司"), QStringLiteral("K-4"), 0, QStringLiteral("待定"), QVariant(),
             QStringLiteral("2026-03-09"), 1, QStringLiteral("  前后空格  ")},
        });

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("客户.xlsx"));
    GridExporter exporter;
    exporter.setStreamingThreshold(streamingThreshold);
    QString error;
    QVERIFY2(exporter.write(source, QStringLiteral("客户列表"), file, {}, &error), qPrintable(error));

    XlsxReader reader;
    QVERIFY2(reader.open(file, &error), qPrintable(error));
    QCOMPARE(reader.sheetNames(), QStringList {QStringLiteral("客户列表")});
    const QString money = QStringLiteral("|￥#,##0.00");
    const QString date = QStringLiteral("date:2026-03-09|yyyy-mm-dd");
    const QList<QStringList> expected {
        {"text:客户名称", "", "text:电话", "text:金额", "text:数量", "text:签约日期", "text:重点客户", "text:备注"},
        {"text:甲公司", "", "text:010123", "number:1234.5" + money, "number:3|General", date, "text:是",
         "text:第一行\n第二行"},
        {"text:乙公司", "", "text:13800138000", "number:88.25" + money, "", "", "", "text:_x0041_ 原样"},
        {"text:丙公司", "", "", "number:-5" + money, "number:2.5|General", "", "", ""},
        {"text:丁公司", "", "text:0", "text:待定", "", date, "text:是", "text:  前后空格  "},
    };
    const QList<QStringList> cells = readBack(reader, 0, 8);
    QCOMPARE(cells.size(), expected.size());
    for (qsizetype r = 0; r < expected.size(); ++r)
        QCOMPARE(cells.at(r), expected.at(r));

    QVERIFY(!reader.readSheet(1, &error));
    QVERIFY(error.startsWith(QStringLiteral("无法读取Excel文件：")));
}

void TestGridExport::progressAndCancel()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("list.xlsx"));
    NumberedSource source(1000);
    GridExporter exporter;
    QString error;

    QList<std::pair<qint64, qint64>> calls;
    QVERIFY(exporter.write(
        source, QStringLiteral("列表"), file,
        [&](qint64 done, qint64 total) {
            calls.append({done, total});
            return true;
        },
        &error));
    QVERIFY2(calls.size() > 1, "progress is reported while rows are written");
    QCOMPARE(calls.back(), (std::pair<qint64, qint64>(1000, 1000)));
    QVERIFY(std::is_sorted(calls.cbegin(), calls.cend()));

    // Cancelled, an earlier file under the name stays as it was and nothing else is left.
    QFile earlier(file);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    QVERIFY(!exporter.write(
        source, QStringLiteral("列表"), file, [](qint64, qint64) { return false; }, &error));
    QCOMPARE(error, QStringLiteral("已取消"));
    QCOMPARE(filesIn(dir.path()), QStringList {QStringLiteral("list.xlsx")});
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    earlier.close();

    // A file that cannot be written is reported by the library.
    error.clear();
    const QString unwritable = dir.filePath(QStringLiteral("no-such-folder/list.xlsx"));
    QVERIFY(!exporter.write(source, QStringLiteral("列表"), unwritable, {}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo::exists(unwritable));
}

void TestGridExport::readerUnderstandsExcelFiles()
{
    // What Excel itself writes and libxlsxwriter does not: sheets listed out of part order with an
    // absolute target, rich-text shared strings with phonetic guides, cells without references,
    // formula results, errors, escaped characters, styles with their own formats, 1904 dates.
    const QVariantMap parts {
        {QStringLiteral("_rels/.rels"), relationships({{"rId1", "officeDocument", "xl/book.xml"}})},
        {QStringLiteral("xl/book.xml"),
         part("workbook",
              R"(<workbookPr date1904="1"/><sheets>)"
              R"(<sheet name="汇总" sheetId="2" r:id="rId2"/><sheet name="明细" sheetId="1" r:id="rId1"/>)"
              "</sheets>")},
        {QStringLiteral("xl/_rels/book.xml.rels"),
         relationships({
             {"rId1", "worksheet", "worksheets/detail.xml"},
             {"rId2", "worksheet", "/xl/worksheets/summary.xml"},
             {"rId3", "styles", "look.xml"},
             {"rId4", "sharedStrings", "words.xml"},
         })},
        {QStringLiteral("xl/words.xml"),
         part("sst",
              R"(<si><t>客户</t></si>)"
              R"(<si><r><rPr><b/></rPr><t>北京</t></r><r><t xml:space="preserve"> 分公司</t></r>)"
              R"(<rPh sb="0" eb="2"><t>ベイジン</t></rPh></si>)"
              "<si><t>第一行_x000D_\n第二行</t></si>")},
        {QStringLiteral("xl/look.xml"),
         part("styleSheet",
              R"(<numFmts count="1"><numFmt numFmtId="164" formatCode="0.00&quot;元&quot;"/></numFmts>)"
              R"(<cellStyleXfs count="1"><xf numFmtId="3"/></cellStyleXfs>)"
              R"(<cellXfs count="4"><xf numFmtId="0"/><xf numFmtId="164"><alignment horizontal="right"/></xf>)"
              R"(<xf numFmtId="14"/><xf numFmtId="31"/></cellXfs>)")},
        {QStringLiteral("xl/worksheets/summary.xml"),
         sheetXml(R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="C1" t="s"><v>1</v></c></row>)"
                  R"(<row r="3" spans="1:6"><c r="B3" s="1"><v>12.5</v></c><c s="2"><v>0.5</v></c>)"
                  R"(<c t="b"><v>1</v></c><c t="str"><f>A1</f><v>客户</v></c><c t="e"><v>#N/A</v></c></row>)"
                  R"(<row r="4"><c r="A4" t="inlineStr"><is><t>内联</t></is></c><c r="B4" t="s"><v>2</v></c>)"
                  R"(<c r="C4" s="3"/><c r="D4" s="3"><v>1</v></c></row>)")},
        {QStringLiteral("xl/worksheets/detail.xml"), sheetXml("<row><c><v>7</v></c></row>")},
    };
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("excel.xlsx"));
    QVERIFY(writeZip(file, parts));

    XlsxReader reader;
    QString error;
    QVERIFY2(reader.open(file, &error), qPrintable(error));
    QCOMPARE(reader.sheetNames(), (QStringList {QStringLiteral("汇总"), QStringLiteral("明细")}));
    const QList<QStringList> expected {
        {"text:客户", "", "text:北京 分公司"},
        {},
        {"", "number:12.5|0.00\"元\"", "date:1904-01-01|mm-dd-yy", "bool:true", "text:客户", "text:#N/A"},
        {"text:内联", "text:第一行\r\n第二行", "", "date:1904-01-02|yyyy\"年\"m\"月\"d\"日\""},
    };
    QCOMPARE(readBack(reader, 0, 0), expected);
    QCOMPARE(reader.dateTime(0.5).time(), QTime(12, 0));
    QCOMPARE(readBack(reader, 1, 0), QList<QStringList> {{"number:7|General"}});
}

void TestGridExport::readerRejectsDamagedFiles_data()
{
    QTest::addColumn<QByteArray>("content"); // a null array: no file at all
    QTest::addColumn<bool>("opens"); // the damage shows only when the sheet is read

    const QVariantMap good = minimalWorkbook(sheetXml(R"(<row r="1"><c r="A1"><v>1</v></c></row>)"));
    const QByteArray goodBytes = zipBytes(good);
    QVERIFY(!goodBytes.isEmpty());
    QVariantMap brokenWorkbook = good;
    brokenWorkbook[QStringLiteral("xl/workbook.xml")] = QByteArray("<workbook><sheets><sheet name=\"a\"");
    QVariantMap missingSheet = good;
    missingSheet.remove(QStringLiteral("xl/worksheets/sheet1.xml"));

    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("text") << QByteArray("客户名称,电话\n甲公司,010123\n") << false;
    QTest::newRow("truncated") << goodBytes.left(goodBytes.size() / 2) << false;
    QTest::newRow("zip without workbook") << zipBytes({{QStringLiteral("readme.txt"), QByteArray("x")}}) << false;
    QTest::newRow("broken workbook") << zipBytes(brokenWorkbook) << false;
    QTest::newRow("sheet part missing") << zipBytes(missingSheet) << true;
    QTest::newRow("broken sheet") << zipBytes(minimalWorkbook(sheetXml(R"(<row r="1"><c r="A1"><v>1</v></row>)")))
                                  << true;
    QTest::newRow("cell beyond the last column")
        << zipBytes(minimalWorkbook(sheetXml(R"(<row r="1"><c r="XFE1"><v>1</v></c></row>)"))) << true;
    QTest::newRow("row beyond the last row")
        << zipBytes(minimalWorkbook(sheetXml(R"(<row r="1048577"><c><v>1</v></c></row>)"))) << true;
}

void TestGridExport::readerRejectsDamagedFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, opens);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("客户.xlsx"));
    if (!content.isNull()) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(content);
    }
    XlsxReader reader;
    QString error;
    QCOMPARE(reader.open(file, &error), opens);
    if (opens) {
        QCOMPARE(reader.sheetNames(), QStringList {QStringLiteral("表1")});
        QVERIFY(!reader.readSheet(0, &error));
    } else {
        QVERIFY(reader.sheetNames().isEmpty());
    }
    QVERIFY2(error.startsWith(QStringLiteral("无法读取Excel文件：")) && error.size() > 10, qPrintable(error));
}

void TestGridExport::exportToHome_data()
{
    QTest::addColumn<bool>("hasDesktop");
    QTest::addColumn<bool>("desktopOpens");
    QTest::newRow("opened") << true << true;
    QTest::newRow("desktop refuses") << true << false;
    QTest::newRow("no desktop") << false << false;
}

void TestGridExport::exportToHome()
{
    QFETCH(bool, hasDesktop);
    QFETCH(bool, desktopOpens);
    QTemporaryDir home;
    ScriptedPrompter prompter;
    FixedClock clock(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 30)));
    RecordingDesktop desktop(desktopOpens);
    AppContext context(home.path(), prompter, clock, hasDesktop ? &desktop : nullptr);
    MemoryGridSource source({column(QStringLiteral("客户名称"), ColumnKind::Text)}, {{QStringLiteral("甲公司")}});

    QVERIFY(ExportGridToExcel(nullptr, source, QStringLiteral("客户/列表"), context));
    const QString file = context.home().exportsFolder() + QStringLiteral("/客户_列表-20260309-140530.xlsx");
    QVERIFY(QFileInfo::exists(file));
    if (desktopOpens) {
        QCOMPARE(desktop.opened, QStringList {file});
        QVERIFY(prompter.messages.isEmpty());
    } else {
        QCOMPARE(prompter.messageTexts(),
                 QStringList {QStringLiteral("Excel文件已导出到：") + QDir::toNativeSeparators(file)});
        QCOMPARE(prompter.messages.front().kind, MessageKind::Information);
    }
    XlsxReader reader;
    QString error;
    QVERIFY2(reader.open(file, &error), qPrintable(error));
    QCOMPARE(reader.sheetNames(), QStringList {QStringLiteral("客户_列表")});

    // A second export in the same second keeps the first.
    QVERIFY(ExportGridToExcel(nullptr, source, QStringLiteral("客户/列表"), context));
    QCOMPARE(filesIn(context.home().exportsFolder()),
             (QStringList {QStringLiteral("客户_列表-20260309-140530-2.xlsx"),
                           QStringLiteral("客户_列表-20260309-140530.xlsx")}));
}

void TestGridExport::exportFailureShown()
{
    QTemporaryDir home;
    ScriptedPrompter prompter;
    FixedClock clock(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 30)));
    RecordingDesktop desktop(true);
    AppContext context(home.path(), prompter, clock, &desktop);
    // A file where the exports folder belongs.
    QFile blocker(context.home().exportsFolder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    MemoryGridSource source({column(QStringLiteral("客户名称"), ColumnKind::Text)}, {{QStringLiteral("甲公司")}});

    QVERIFY(!ExportGridToExcel(nullptr, source, QStringLiteral("客户列表"), context));
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages.front().kind, MessageKind::Error);
    QVERIFY(prompter.messages.front().text.startsWith(QStringLiteral("导出Excel文件失败：")));
    QVERIFY(desktop.opened.isEmpty());
}

void TestGridExport::progressDialogCancels()
{
    QTemporaryDir home;
    ScriptedPrompter prompter;
    FixedClock clock(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 30)));
    RecordingDesktop desktop(true);
    AppContext context(home.path(), prompter, clock, &desktop);

    QProgressDialog *seen = nullptr;
    NumberedSource source(2500, 1000, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QProgressDialog *>(widget); dialog && dialog->isVisible())
                seen = dialog;
        }
        if (!seen)
            return;
        QCOMPARE(seen->labelText(), QStringLiteral("正在导出Excel文件..."));
        auto *cancel = seen->findChild<QPushButton *>();
        QVERIFY(cancel);
        QCOMPARE(cancel->text(), QStringLiteral("取消"));
        cancel->click();
    });

    QVERIFY(!ExportGridToExcel(nullptr, source, QStringLiteral("客户列表"), context));
    QVERIFY2(seen, "a long list shows its progress");
    QVERIFY(prompter.messages.isEmpty()); // cancelling is not a failure
    QVERIFY(desktop.opened.isEmpty());
    QVERIFY(filesIn(context.home().exportsFolder()).isEmpty());
}

QTEST_MAIN(TestGridExport)
#include "tst_gridexport.moc"
