#include "app/AppContext.h"
#include "support/ScriptedPrompter.h"
#include "widgets/GridPrinter.h"
#include "widgets/PrintPreview.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Dpi = 1200;

GridColumn column(const QString &caption, int width, ColumnKind kind = ColumnKind::Text, int alignment = 0,
                  bool visible = true)
{
    GridColumn c;
    c.fieldName = QStringLiteral("F_") + caption;
    c.caption = caption;
    c.width = width;
    c.kind = kind;
    c.alignment = alignment;
    c.visible = visible;
    if (kind == ColumnKind::Number)
        c.displayFormat = QStringLiteral("0.00");
    return c;
}

// A client list as the main grid shows it, with a hidden column in the middle.
QList<GridColumn> clientColumns()
{
    return {column(QStringLiteral("编号"), 60), column(QStringLiteral("客户名称"), 160),
            column(QStringLiteral("备注"), 120, ColumnKind::Memo, 0, false),
            column(QStringLiteral("金额"), 80, ColumnKind::Number, 2),
            column(QStringLiteral("日期"), 90, ColumnKind::Date, 1)};
}

QList<QVariantList> clientRows(qint64 count, const QString &name = QStringLiteral("北京某某科技有限公司"))
{
    QList<QVariantList> rows;
    for (qint64 i = 0; i < count; ++i)
        rows.append({QStringLiteral("A%1").arg(i, 4, 10, QLatin1Char('0')), name, QStringLiteral("秘密"),
                     1234.5 + double(i), QDate(2026, 12, 11)});
    return rows;
}

QStringList clientFooter()
{
    return {QStringLiteral("合计"), QString(), QString(), QStringLiteral("9999.00"), QString()};
}

QPageLayout a4()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

GridPrinter::Options options(int fit)
{
    GridPrinter::Options o;
    o.title = QStringLiteral("客户列表");
    o.fit = fit;
    o.footer = QStringLiteral("date");
    o.today = QDate(2026, 12, 11);
    return o;
}

// Page objects of a PDF file, counted in the file itself rather than asked of the writer.
int pdfPageCount(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
}

QString pdfMediaBox(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QRegularExpressionMatch match
        = QRegularExpression(QStringLiteral("/MediaBox\\s*\\[([^\\]]*)\\]")).match(QString::fromLatin1(file.readAll()));
    return match.captured(1).simplified();
}

// A list whose rows cannot be read (a lost connection).
class BrokenSource final : public GridSource
{
public:
    QList<GridColumn> columns() const override { return clientColumns(); }
    qint64 rowCount() override { return -1; }
    bool forEachRow(const std::function<bool(const QVariantList &)> &) override { return false; }
    QString footerText(int) override { return {}; }
    QString lastError() const override { return QStringLiteral("连接已断开"); }
};

} // namespace

class TestGridPrint : public QObject
{
    Q_OBJECT
private slots:
    void pagination_data();
    void pagination();
    void wrappedRowsTakeMorePages();
    void fitModes_data();
    void fitModes();
    void keepWidthsPutsColumnsOnFollowingPages();
    void hiddenColumnsAreNotPrinted();
    void pageTexts_data();
    void pageTexts();
    void rendersPdf();
    void readFailureIsReported();
    void previewShowsThePages();
    void exportPdf_data();
    void exportPdf();
};

void TestGridPrint::pagination_data()
{
    // Rows: `fullPages` pages filled with one-line rows, plus `extra`. The last page holds
    // lastFull * (rows of a titled page) + lastExtra rows.
    QTest::addColumn<int>("fullPages");
    QTest::addColumn<int>("extra");
    QTest::addColumn<bool>("footer");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("lastFull");
    QTest::addColumn<int>("lastExtra");
    QTest::newRow("no rows") << 0 << 0 << false << 1 << 0 << 0;
    QTest::newRow("no rows, footer row") << 0 << 0 << true << 1 << 0 << 0;
    QTest::newRow("one row short, footer row fits") << 1 << -1 << true << 1 << 1 << -1;
    QTest::newRow("one full page") << 1 << 0 << false << 1 << 1 << 0;
    QTest::newRow("full page pushes the footer row over") << 1 << 0 << true << 2 << 0 << 0;
    QTest::newRow("one row over") << 1 << 1 << false << 2 << 0 << 1;
    QTest::newRow("three pages") << 2 << 1 << true << 3 << 0 << 1;
}

void TestGridPrint::pagination()
{
    QFETCH(int, fullPages);
    QFETCH(int, extra);
    QFETCH(bool, footer);
    QFETCH(int, pages);
    QFETCH(int, lastFull);
    QFETCH(int, lastExtra);

    GridPrinter printer(options(GridPrinter::FitProportional));
    const GridPrinter::PageLayout layout = printer.layout(clientColumns(), a4(), Dpi);
    const int first = layout.rowsPerPage(true);
    const int other = layout.rowsPerPage(false);
    // 9 pt rows on A4 are about 5 mm: a unit mix-up shows here.
    QVERIFY2(other >= 40 && other <= 60, qPrintable(QString::number(other)));
    QVERIFY(first < other);

    const qint64 count = fullPages == 0 ? 0 : first + qint64(fullPages - 1) * other + extra;
    MemoryGridSource source(clientColumns(), clientRows(count), footer ? clientFooter() : QStringList());
    QVERIFY(printer.paginate(source, layout));
    QCOMPARE(printer.pageCount(), pages);
    const QList<GridPrinter::PageInfo> &info = printer.pages();
    QCOMPARE(info.constLast().rows, lastFull * first + lastExtra);
    qint64 next = 0;
    for (qsizetype i = 0; i < info.size(); ++i) {
        QCOMPARE(info.at(i).firstRow, next);
        QCOMPARE(info.at(i).title, i == 0);
        QCOMPARE(info.at(i).footerRow, footer && i == info.size() - 1);
        QVERIFY(info.at(i).rows <= (i == 0 ? first : other));
        next += info.at(i).rows;
    }
    QCOMPARE(next, count);
}

void TestGridPrint::wrappedRowsTakeMorePages()
{
    const QString longName = QStringLiteral("北京市海淀区中关村南大街某某号某某大厦某某科技发展有限公司第二分公司");
    QList<GridColumn> columns = clientColumns();
    columns[1].width = 60; // as narrow as the number column: the name needs several lines
    MemoryGridSource source(columns, clientRows(120, longName));

    GridPrinter oneLine(options(GridPrinter::FitProportional));
    const GridPrinter::PageLayout plain = oneLine.layout(columns, a4(), Dpi);
    QVERIFY(oneLine.paginate(source, plain));
    QCOMPARE(oneLine.pages().constFirst().rows, plain.rowsPerPage(true));

    GridPrinter wrapping(options(GridPrinter::FitWrapped));
    const GridPrinter::PageLayout wrapped = wrapping.layout(columns, a4(), Dpi);
    QVERIFY(wrapping.paginate(source, wrapped));
    const qreal height = GridPrinter::rowHeight(wrapped, {QStringLiteral("A0001"), longName});
    QVERIFY(height > 2 * wrapped.lineHeight);
    QCOMPARE(wrapping.pages().constFirst().rows,
             int((wrapped.tableBottom() - wrapped.tableTop(true) - wrapped.captionHeight) / height));
    QVERIFY(wrapping.pageCount() > oneLine.pageCount());

    // Short texts keep one line; a word longer than its cell still wraps instead of running over.
    QCOMPARE(GridPrinter::rowHeight(wrapped, {QStringLiteral("A0001"), QStringLiteral("某某公司")}),
             wrapped.lineHeight);
    QVERIFY(GridPrinter::rowHeight(wrapped, {QStringLiteral("A0001"), QStringLiteral("x").repeated(80)})
            > 2 * wrapped.lineHeight);
    QCOMPARE(GridPrinter::rowHeight(plain, {QStringLiteral("A0001"), longName}), plain.lineHeight);
}

void TestGridPrint::fitModes_data()
{
    QTest::addColumn<int>("fit");
    QTest::addColumn<bool>("scaled");
    QTest::newRow("0 fits, coloured, wraps") << 0 << true;
    QTest::newRow("1 fits proportionally") << 1 << true;
    QTest::newRow("2 keeps widths") << 2 << false;
    QTest::newRow("-1 keeps widths") << -1 << false;
    QTest::newRow("7 keeps widths") << 7 << false;
}

void TestGridPrint::fitModes()
{
    QFETCH(int, fit);
    QFETCH(bool, scaled);
    const GridPrinter::PageLayout layout = GridPrinter(options(fit)).layout(clientColumns(), a4(), Dpi);
    const qreal pageWidth = 190.0 * Dpi / 25.4;
    QVERIFY(qAbs(layout.paintSize.width() - pageWidth) < layout.millimetres(0.5)); // A4 is whole points
    QCOMPARE(layout.columns, (QList<int> {0, 1, 3, 4}));
    QCOMPARE(layout.wrap, fit == 0);
    QCOMPARE(layout.coloured, fit == 0);
    QCOMPARE(layout.bandCount, 1);

    const QList<int> pixels {60, 160, 80, 90};
    qreal left = 0;
    for (int i = 0; i < pixels.size(); ++i) {
        QCOMPARE(layout.bands.at(i), 0);
        QVERIFY(qAbs(layout.x.at(i) - left) < 0.01);
        const qreal expected = scaled ? layout.paintSize.width() * pixels.at(i) / 390.0 : pixels.at(i) * Dpi / 96.0;
        QVERIFY2(qAbs(layout.widths.at(i) - expected) < 0.01,
                 qPrintable(QStringLiteral("%1: %2 != %3").arg(i).arg(layout.widths.at(i)).arg(expected)));
        left += layout.widths.at(i);
    }
    if (scaled)
        QVERIFY(qAbs(left - layout.paintSize.width()) < 0.01);
}

void TestGridPrint::keepWidthsPutsColumnsOnFollowingPages()
{
    // 200 px = 52.9 mm: three fit in 190 mm; the 1000 px column is cut to the page width.
    QList<GridColumn> columns;
    for (int i = 0; i < 7; ++i)
        columns.append(column(QStringLiteral("列%1").arg(i), 200));
    columns.insert(3, column(QStringLiteral("隐藏"), 200, ColumnKind::Text, 0, false));
    columns.append(column(QStringLiteral("说明"), 1000));

    GridPrinter printer(options(GridPrinter::FitKeepWidths));
    const GridPrinter::PageLayout layout = printer.layout(columns, a4(), Dpi);
    QCOMPARE(layout.bands, (QList<int> {0, 0, 0, 1, 1, 1, 2, 3}));
    QCOMPARE(layout.bandCount, 4);
    QCOMPARE(layout.x.at(3), 0.0);
    QCOMPARE(layout.x.at(5), 2 * 200.0 * Dpi / 96);
    QCOMPARE(layout.x.at(7), 0.0);
    QCOMPARE(layout.widths.at(7), layout.paintSize.width());

    QList<QVariantList> rows;
    for (int r = 0; r < 70; ++r) {
        QVariantList row;
        for (int c = 0; c < columns.size(); ++c)
            row.append(QStringLiteral("%1-%2").arg(r).arg(c));
        rows.append(row);
    }
    MemoryGridSource source(columns, rows);
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("wide.pdf"));
    {
        QPdfWriter writer(fileName);
        writer.setPageLayout(a4());
        writer.setResolution(Dpi);
        QVERIFY(printer.print(source, writer));
    }
    // Each stretch of rows once per band, in that order.
    QCOMPARE(printer.pages().size(), 2);
    QCOMPARE(printer.pageCount(), 8);
    QCOMPARE(pdfPageCount(fileName), 8);
}

void TestGridPrint::hiddenColumnsAreNotPrinted()
{
    GridPrinter printer(options(GridPrinter::FitProportional));
    const GridPrinter::PageLayout layout = printer.layout(clientColumns(), a4(), Dpi);
    QCOMPARE(GridPrinter::rowTexts(layout, clientColumns(), clientRows(1).constFirst()),
             (QStringList {QStringLiteral("A0000"), QStringLiteral("北京某某科技有限公司"), QStringLiteral("1234.50"),
                           QStringLiteral("2026-12-11")}));

    // A layout where every column is hidden prints the frame of the page and nothing else.
    QList<GridColumn> hidden = clientColumns();
    for (GridColumn &c : hidden)
        c.visible = false;
    MemoryGridSource source(hidden, clientRows(3), clientFooter());
    const GridPrinter::PageLayout empty = printer.layout(hidden, a4(), Dpi);
    QVERIFY(empty.columns.isEmpty());
    QVERIFY(printer.paginate(source, empty));
    QCOMPARE(printer.pageCount(), 1);
    QVERIFY(!printer.pages().constFirst().footerRow); // hidden columns' footers are not a footer row
}

void TestGridPrint::pageTexts_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("footer");
    QTest::addColumn<QString>("headerText");
    QTest::addColumn<QString>("footerText");
    const QString date = QStringLiteral("打印日期：2026年12月11日");
    QTest::newRow("date") << QString() << QStringLiteral("date") << QString() << date;
    QTest::newRow("Date with spaces") << QStringLiteral("客户列表") << QStringLiteral(" Date ")
                                      << QStringLiteral("客户列表") << date;
    QTest::newRow("plain footer") << QStringLiteral("某某公司") << QStringLiteral("制表：张三")
                                  << QStringLiteral("某某公司") << QStringLiteral("制表：张三");
    QTest::newRow("blank") << QStringLiteral("   ") << QStringLiteral("  ") << QString() << QString();
    QTest::newRow("date inside a word") << QString() << QStringLiteral("update") << QString()
                                        << QStringLiteral("update");
}

void TestGridPrint::pageTexts()
{
    QFETCH(QString, header);
    QFETCH(QString, footer);
    QFETCH(QString, headerText);
    QFETCH(QString, footerText);
    GridPrinter::Options o = options(GridPrinter::FitWrapped);
    o.header = header;
    o.footer = footer;
    const GridPrinter printer(o);
    QCOMPARE(printer.pageHeaderText(), headerText);
    QCOMPARE(printer.pageFooterText(), footerText);
    QCOMPARE(GridPrinter::pageNumberText(1, 3), QStringLiteral("第 1 页 / 共 3 页"));
}

void TestGridPrint::rendersPdf()
{
    MemoryGridSource source(clientColumns(), clientRows(130), clientFooter());
    GridPrinter::Options o = options(GridPrinter::FitWrapped);
    o.header = QStringLiteral("某某公司");
    GridPrinter printer(o);
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("clients.pdf"));
    QString error;
    {
        QPdfWriter writer(fileName);
        writer.setPageLayout(a4());
        writer.setResolution(Dpi);
        QVERIFY2(printer.print(source, writer, &error), qPrintable(error));
    }
    QCOMPARE(printer.pageCount(), 3);
    QCOMPARE(pdfPageCount(fileName), 3);
    QVERIFY(printer.pages().constLast().footerRow);
}

void TestGridPrint::readFailureIsReported()
{
    BrokenSource source;
    GridPrinter printer(options(GridPrinter::FitWrapped));
    QTemporaryDir folder;
    QPdfWriter writer(folder.filePath(QStringLiteral("broken.pdf")));
    QString error;
    QVERIFY(!printer.print(source, writer, &error));
    QCOMPARE(error, QStringLiteral("连接已断开"));
    QCOMPARE(printer.pageCount(), 0);
}

void TestGridPrint::previewShowsThePages()
{
    QTemporaryDir home;
    ScriptedPrompter prompter;
    FixedClock clock(QDateTime(QDate(2026, 12, 11), QTime(9, 0)));
    AppContext context(home.path(), prompter, clock);
    MemoryGridSource source(clientColumns(), clientRows(100), clientFooter());

    GridPrinter expected(options(GridPrinter::FitWrapped));
    QTemporaryDir folder;
    {
        QPdfWriter writer(folder.filePath(QStringLiteral("expected.pdf")));
        writer.setPageLayout(a4());
        writer.setResolution(Dpi);
        QVERIFY(expected.print(source, writer));
    }
    QVERIFY(expected.pageCount() > 1);

    const std::unique_ptr<QPrintPreviewDialog> dialog = makeGridPreview(
        nullptr, source, QStringLiteral("客户列表"), GridPrinter::FitWrapped, QStringLiteral("date"), {}, context);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("打印预览"));
    dialog->show();
    auto *preview = dialog->findChild<QPrintPreviewWidget *>();
    QVERIFY(preview);
    QTRY_COMPARE(preview->pageCount(), expected.pageCount());
    dialog->close();
    QVERIFY(prompter.messages.isEmpty());
}

void TestGridPrint::exportPdf_data()
{
    QTest::addColumn<QString>("answer"); // relative to the exports folder; "" cancels
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("failure");
    QTest::newRow("written") << QStringLiteral("客户.pdf") << QStringLiteral("客户.pdf") << false;
    QTest::newRow("suffix added") << QStringLiteral("客户") << QStringLiteral("客户.pdf") << false;
    QTest::newRow("cancelled") << QString() << QString() << false;
    QTest::newRow("folder missing") << QStringLiteral("无此目录/客户.pdf") << QString() << true;
}

void TestGridPrint::exportPdf()
{
    QFETCH(QString, answer);
    QFETCH(QString, written);
    QFETCH(bool, failure);

    QTemporaryDir home;
    ScriptedPrompter prompter;
    FixedClock clock(QDateTime(QDate(2026, 12, 11), QTime(9, 0)));
    AppContext context(home.path(), prompter, clock);
    MemoryGridSource source(clientColumns(), clientRows(60), clientFooter());
    const QDir exports(context.home().exportsFolder());
    prompter.files.enqueue(answer.isEmpty() ? QString() : exports.filePath(answer));

    const std::unique_ptr<QPrintPreviewDialog> dialog = makeGridPreview(
        nullptr, source, QStringLiteral("客户列表"), GridPrinter::FitProportional, QStringLiteral("date"), {}, context);
    // The page set up in the preview is the one exported.
    dialog->printer()->setPageOrientation(QPageLayout::Landscape);
    auto *action = dialog->findChild<QAction *>(QStringLiteral("actExportPdf"));
    QVERIFY(action);
    QCOMPARE(action->text(), QStringLiteral("导出PDF"));
    action->trigger();
    dialog->close();

    QVERIFY(prompter.files.isEmpty());
    QVERIFY(exports.exists());
    if (failure) {
        QCOMPARE(prompter.messages.size(), 1);
        QVERIFY(prompter.messages.constFirst().text.startsWith(QStringLiteral("导出PDF文件失败：")));
        QVERIFY(prompter.messages.constFirst().text.size() > QStringLiteral("导出PDF文件失败：").size());
        QCOMPARE(prompter.messages.constFirst().kind, MessageKind::Error);
    } else {
        QVERIFY(prompter.messages.isEmpty());
    }
    const QStringList files = exports.entryList(QDir::Files);
    if (written.isEmpty()) {
        QVERIFY(files.isEmpty());
        return;
    }
    QCOMPARE(files, QStringList {written});
    const QString fileName = exports.filePath(written);
    QVERIFY(QFileInfo(fileName).size() > 0);
    // 60 one-line rows and the footer row on a landscape page: two pages.
    QCOMPARE(pdfPageCount(fileName), 2);
    const QStringList box = pdfMediaBox(fileName).split(QLatin1Char(' '));
    QCOMPARE(box.size(), 4);
    QVERIFY2(box.at(2).toDouble() > box.at(3).toDouble(), qPrintable(box.join(QLatin1Char(' '))));
}

QTEST_MAIN(TestGridPrint)
#include "tst_gridprint.moc"
