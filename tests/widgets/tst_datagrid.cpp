#include "reports/ColumnChooserDialog.h"
#include "reports/SortOrderDialog.h"
#include "reports/SortOrderList.h"
#include "support/TestDatabase.h"
#include "widgets/DataGrid.h"
#include "widgets/EllipsisDelegate.h"
#include "widgets/GridFooter.h"
#include "widgets/GridLayouts.h"
#include "widgets/RowBuffer.h"
#include "widgets/RowBufferModel.h"
#include "widgets/SqlListModel.h"

#include <QHeaderView>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

namespace {

QList<GridColumn> salesColumns()
{
    GridColumn code {QStringLiteral("F_code"), QStringLiteral("销售单号")};
    code.footerType = FooterType::Text;
    code.footerValue = QStringLiteral("合计");
    GridColumn total {QStringLiteral("F_totalPrice"), QStringLiteral("金额")};
    total.footerType = FooterType::Sum;
    total.displayFormat = QStringLiteral("￥,0.00");
    GridColumn memo {QStringLiteral("F_memo1"), QStringLiteral("备注")};
    GridColumn date {QStringLiteral("F_date"), QStringLiteral("日期")};
    return {code, total, memo, date};
}

bool addSales(DataServices &data, int count, qint64 client)
{
    for (int i = 1; i <= count; ++i) {
        if (!data.RunSQL(QStringLiteral("INSERT INTO t_XSrec (F_cltID, F_code, F_totalPrice, F_memo1, F_date) "
                                        "VALUES (?, ?, ?, ?, ?)"),
                         {client, QStringLiteral("XS%1-%2").arg(client).arg(i, 4, 10, QChar(u'0')), i * 1.25,
                          QStringLiteral("m%1").arg(1000 - i),
                          i % 2 ? QVariant(QDate(1900, 8, 14)) : QVariant(QDate(2026, 1, i % 28 + 1))}))
            return false;
    }
    return true;
}

QStringList firstCodes(const SqlListModel &model, int n)
{
    QStringList codes;
    for (int row = 0; row < n && row < model.rowCount(); ++row)
        codes.append(model.value(row, QStringLiteral("F_code")).toString());
    return codes;
}

} // namespace

class TestDataGrid : public QObject
{
    Q_OBJECT
private slots:
    void lazyListWithTotalsOverTheConditions();
    void titleClickSorting();
    void sortTextKeepsOnlyFieldsOfTheList();
    void selectionKeptAcrossRefresh();
    void layoutRoundTrip();
    void gridWithoutSavedLayoutKeepsDesignedColumns();
    void footerFollowsColumns();
    void sortOrderRows();
    void sortDialog();
    void emptyDates();
    void editableRows();
    void columnChooser();
};

void TestDataGrid::lazyListWithTotalsOverTheConditions()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QVERIFY(addSales(db.data(), 450, 7));
    QVERIFY(addSales(db.data(), 30, 8));

    SqlListModel model(db.database());
    model.setTable(QStringLiteral("t_XSrec"));
    model.setStatement(QStringLiteral("SELECT * FROM t_XSrec WHERE (1=1) AND F_cltID = ?"), {7});
    model.setGridColumns(salesColumns());
    QVERIFY2(model.refresh(), qPrintable(model.lastError()));
    QVERIFY(model.refreshTotals());
    QCOMPARE(model.rowCount(), SqlListModel::PageSize); // only the first page is read
    QCOMPARE(model.totalCount(), 450);
    const double sum
        = db.data()
              .GetFloatValue(QStringLiteral("SELECT sum(F_totalPrice) FROM t_XSrec WHERE F_cltID = ?"), {7})
              .value_or(-1);
    QCOMPARE(model.footerText(1), QStringLiteral("￥126,843.75"));
    QCOMPARE(sum, 126843.75);
    QCOMPARE(model.footerText(0), QStringLiteral("合计"));
    QCOMPARE(model.footerText(2), QString());

    while (model.canFetchMore({}))
        model.fetchMore({});
    QCOMPARE(model.rowCount(), 450);
    QCOMPARE(model.value(449, QStringLiteral("F_code")).toString(), QStringLiteral("XS7-0450"));
    QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("￥1.25"));
}

void TestDataGrid::titleClickSorting()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QVERIFY(addSales(db.data(), 5, 1));
    SqlListModel model(db.database());
    model.setStatement(QStringLiteral("SELECT * FROM t_XSrec WHERE (1=1) "));
    DataGrid grid;
    grid.setModel(&model);
    grid.setColumns(salesColumns());
    QVERIFY(grid.refresh());
    const QStringList ascending {"XS1-0001", "XS1-0002", "XS1-0003"};
    QCOMPARE(firstCodes(model, 3), ascending);

    grid.clickTitle(1); // 金额 ascending
    QCOMPARE(firstCodes(model, 1), QStringList {"XS1-0001"});
    grid.clickTitle(1); // then descending
    QCOMPARE(firstCodes(model, 1), QStringList {"XS1-0005"});
    QCOMPARE(grid.view()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);

    // A memo column only changes its mark.
    grid.clickTitle(2);
    QCOMPARE(firstCodes(model, 1), QStringList {"XS1-0005"});
    QCOMPARE(grid.view()->horizontalHeader()->sortIndicatorSection(), 2);
}

void TestDataGrid::sortTextKeepsOnlyFieldsOfTheList()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    for (const auto &[code, name] :
         QList<std::pair<QString, QString>> {{"2", "乙"}, {"1", "乙"}, {"1", "甲"}, {"3", "甲"}})
        QVERIFY(db.data().RunSQL(QStringLiteral("INSERT INTO t_client (F_code, F_name) VALUES (?, ?)"), {code, name}));
    SqlListModel model(db.database());
    model.setStatement(QStringLiteral("SELECT * FROM t_client WHERE (1=1) "));
    DataGrid grid;
    grid.setModel(&model);
    grid.setColumns({{QStringLiteral("F_code"), QStringLiteral("客户编号")},
                     {QStringLiteral("F_name"), QStringLiteral("客户名称")}});
    QVERIFY(grid.refresh());

    grid.setSortText(QStringLiteral("f_name DESC,f_code ASC"));
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown.append(model.value(row, 1).toString() + model.value(row, 0).toString());
    // Names descending by the engine's collation, codes ascending within a name.
    QCOMPARE(shown.size(), 4);
    QCOMPARE(shown.at(0).left(1), shown.at(1).left(1));
    QVERIFY(shown.at(0) < shown.at(1));
    QVERIFY(shown.at(2) < shown.at(3));
    QCOMPARE(model.sort().size(), 2);
    // PostgreSQL reports its field names in lower case.
    QVERIFY(model.orderedStatement().toLower().endsWith(QStringLiteral("order by f_name desc, f_code asc, f_id asc")));

    // Anything that is not a field of the list never reaches the statement.
    grid.setSortText(QStringLiteral("F_name; DELETE FROM t_client ASC,nosuch DESC,F_code DESC"));
    QCOMPARE(model.sort().size(), 1);
    QCOMPARE(model.value(0, 0).toString(), QStringLiteral("3"));
    QCOMPARE(db.data().GetIntValue(QStringLiteral("SELECT count(*) FROM t_client")), 4);
    grid.setSortText(QString());
    QVERIFY(model.sort().isEmpty());
    QVERIFY(!grid.view()->horizontalHeader()->isSortIndicatorShown());
}

void TestDataGrid::selectionKeptAcrossRefresh()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QVERIFY(addSales(db.data(), 300, 1));
    SqlListModel model(db.database());
    model.setStatement(QStringLiteral("SELECT * FROM t_XSrec WHERE (1=1) "));
    DataGrid grid;
    grid.setModel(&model);
    grid.setColumns(salesColumns());
    QVERIFY(grid.refresh());
    while (model.canFetchMore({}))
        model.fetchMore({});
    const qint64 a = model.idAt(5);
    const qint64 b = model.idAt(250);
    grid.selectIds({a, b}, b);
    QCOMPARE(grid.selectedIds().size(), 2);

    // A row added before them moves them down; they stay selected, the current row too.
    QVERIFY(db.data().RunSQL(QStringLiteral("INSERT INTO t_XSrec (F_ID, F_code) VALUES (?, ?)"),
                             {-1, QStringLiteral("XS0")}));
    QVERIFY(grid.refresh());
    QCOMPARE(model.idAt(0), -1);
    QList<qint64> selected = grid.selectedIds();
    std::sort(selected.begin(), selected.end());
    QCOMPARE(selected, (QList<qint64> {a, b}));
    QCOMPARE(grid.currentId(), b);
}

void TestDataGrid::layoutRoundTrip()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    SqlListModel model(db.database());
    model.setTable(QStringLiteral("t_client"));
    model.setStatement(QStringLiteral("SELECT * FROM t_client WHERE (1=1) "));
    DataGrid grid;
    grid.setModel(&model);
    QVERIFY(grid.loadLayout(db.data(), QStringLiteral("ClientMain"))); // names match without regard to case
    QList<GridColumn> loaded = grid.columns();
    QVERIFY(loaded.size() > 10);
    QCOMPARE(loaded.at(0).fieldName, QStringLiteral("F_code"));
    const int nameIndex = 1;
    QCOMPARE(loaded.at(nameIndex).fieldName, QStringLiteral("F_name"));

    // The user drags 城市 to the front, widens it, hides 地址 and renames a title with a quote.
    QHeaderView *header = grid.view()->horizontalHeader();
    const int city = model.columnOf(QStringLiteral("F_city"));
    header->moveSection(header->visualIndex(city), 0);
    header->resizeSection(city, 133);
    header->setSectionHidden(model.columnOf(QStringLiteral("F_address")), true);
    GridColumn name = model.gridColumns().at(model.columnOf(QStringLiteral("F_name")));
    name.caption = QStringLiteral("客户's 名称");
    model.updateGridColumn(model.columnOf(QStringLiteral("F_name")), name);
    QVERIFY(grid.saveLayout(db.data(), QStringLiteral("CLIENTMAIN")));
    QVERIFY(db.prompter().messages.isEmpty());

    SqlListModel again(db.database());
    again.setStatement(model.statement());
    DataGrid reloaded;
    reloaded.setModel(&again);
    QVERIFY(reloaded.loadLayout(db.data(), QStringLiteral("clientmain")));
    const QList<GridColumn> columns = reloaded.columns();
    QCOMPARE(columns.at(0).fieldName, QStringLiteral("F_city"));
    QCOMPARE(columns.at(0).width, 133);
    QCOMPARE(columns.at(1).fieldName, QStringLiteral("F_code"));
    QCOMPARE(columns.at(2).caption, QStringLiteral("客户's 名称"));
    const auto address = std::find_if(columns.cbegin(), columns.cend(),
                                      [](const GridColumn &c) { return c.fieldName == QStringLiteral("F_address"); });
    QVERIFY(address != columns.cend() && !address->visible);
    QCOMPARE(columns.size(), loaded.size()); // rows were updated, none inserted
    QCOMPARE(db.data().GetIntValue(QStringLiteral("SELECT count(*) FROM cfg_Grid WHERE F_name = 'clientmain'")),
             loaded.size());
}

void TestDataGrid::gridWithoutSavedLayoutKeepsDesignedColumns()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    SqlListModel model(db.database());
    model.setStatement(QStringLiteral("SELECT * FROM t_XSrec WHERE (1=1) "));
    DataGrid grid;
    grid.setModel(&model);
    grid.setDesignedColumns(salesColumns());
    QVERIFY(grid.loadLayout(db.data(), QStringLiteral("nosuchgrid")));
    QCOMPARE(grid.columns().size(), 4);
    QCOMPARE(grid.columns().at(0).caption, QStringLiteral("销售单号"));
    // Saving a layout that has no rows stores nothing.
    QVERIFY(grid.saveLayout(db.data(), QStringLiteral("nosuchgrid")));
    QCOMPARE(db.data().GetIntValue(QStringLiteral("SELECT count(*) FROM cfg_Grid WHERE F_name = 'nosuchgrid'")), 0);
}

void TestDataGrid::footerFollowsColumns()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QVERIFY(addSales(db.data(), 3, 1));
    SqlListModel model(db.database());
    model.setStatement(QStringLiteral("SELECT * FROM t_XSrec WHERE (1=1) "));
    DataGrid grid;
    grid.resize(500, 300);
    grid.setModel(&model);
    grid.setColumns(salesColumns());
    QVERIFY(grid.refresh());
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QHeaderView *header = grid.view()->horizontalHeader();
    auto footerX = [&](int column) {
        return grid.footer()->cellRect(column).x();
    };
    auto headerX = [&](int column) {
        return grid.footer()
            ->mapFromGlobal(header->viewport()->mapToGlobal(QPoint(header->sectionViewportPosition(column), 0)))
            .x();
    };
    QCOMPARE(footerX(1), headerX(1));
    header->resizeSection(0, 200);
    header->moveSection(header->visualIndex(1), 0);
    QCOMPARE(footerX(1), headerX(1));
    QCOMPARE(footerX(0), headerX(0));
    grid.view()->horizontalScrollBar()->setValue(60);
    QCOMPARE(footerX(0), headerX(0));
    QCOMPARE(grid.footer()->cellText(1), QStringLiteral("￥7.50"));
    header->setSectionHidden(2, true);
    QVERIFY(grid.footer()->cellRect(2).isEmpty());
}

void TestDataGrid::sortOrderRows()
{
    SortOrderList list;
    list.addColumn(QStringLiteral("F_name"), QStringLiteral("客户名称"));
    list.addColumn(QStringLiteral("F_code"), QStringLiteral("客户编号"));
    list.addColumn(QStringLiteral("F_LXRname"), QStringLiteral("客户名称")); // same title, own field
    list.cycle(0);
    list.cycle(1);
    list.cycle(2);
    list.cycle(2);
    QCOMPARE(list.sortText(), QStringLiteral("f_name ASC,f_code ASC,f_lxrname DESC"));
    QCOMPARE(list.moveUp(1), 0); // 客户编号 above 客户名称: sorts by code first
    QCOMPARE(list.sortText(), QStringLiteral("f_code ASC,f_name ASC,f_lxrname DESC"));
    QCOMPARE(list.moveUp(0), 0);
    QCOMPARE(list.moveDown(2), 2);
    list.cycle(0);
    list.cycle(0); // back to no direction
    QCOMPARE(list.sortText(), QStringLiteral("f_name ASC,f_lxrname DESC"));
}

void TestDataGrid::sortDialog()
{
    SortOrderDialog dialog({{QStringLiteral("F_name"), QStringLiteral("名称")},
                            {QStringLiteral("F_code"), QStringLiteral("编号")},
                            {QStringLiteral("F_code2"), QStringLiteral("名称")}});
    QCOMPARE(dialog.objectName(), QStringLiteral("TfrmRowArrangeGl"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("排序对话框"));
    QCOMPARE(dialog.sortText(), QString());
    dialog.cycle(1);
    dialog.cycle(2);
    dialog.cycle(2);
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(1));
    dialog.moveCurrent(-1);
    QCOMPARE(dialog.list()->topLevelItem(0)->text(0), QStringLiteral("编号"));
    QCOMPARE(dialog.sortText(), QStringLiteral("f_code ASC,f_code2 DESC"));
}

void TestDataGrid::emptyDates()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QVERIFY(addSales(db.data(), 2, 1));
    SqlListModel model(db.database());
    model.setTable(QStringLiteral("t_XSrec"));
    model.setStatement(QStringLiteral("SELECT * FROM t_XSrec WHERE (1=1) "));
    model.setGridColumns(salesColumns());
    QVERIFY(model.refresh());
    QCOMPARE(model.data(model.index(0, 3), Qt::DisplayRole).toString(), QString()); // 1900-08-14
    QCOMPARE(model.data(model.index(1, 3), Qt::DisplayRole).toString(), QStringLiteral("2026-01-03"));

    GridColumn date {QStringLiteral("F_date"), QStringLiteral("日期")};
    date.kind = ColumnKind::Date;
    QCOMPARE(GridFormat::displayText(date, QStringLiteral("1901-08-13")), QString());
    QCOMPARE(GridFormat::displayText(date, QStringLiteral("1901-08-14")), QStringLiteral("1901-08-14"));
    QCOMPARE(GridFormat::displayText(date, QDateTime(QDate(2026, 5, 1), QTime(8, 0))), QStringLiteral("2026-05-01"));
    GridColumn flag {QStringLiteral("F_useFlag"), QStringLiteral("停用")};
    flag.kind = ColumnKind::YesNo;
    QCOMPARE(GridFormat::displayText(flag, true), QStringLiteral("✓"));
}

void TestDataGrid::editableRows()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    RowBuffer buffer;
    QString error;
    QVERIFY2(buffer.load(db.database(), QStringLiteral("t_XSdetail"),
                         QStringLiteral("SELECT * FROM t_XSdetail WHERE F_code = ?"), {QStringLiteral("XS1")}, &error),
             qPrintable(error));
    RowBufferModel model(buffer);
    GridColumn name {QStringLiteral("F_GDname"), QStringLiteral("货品名称")};
    GridColumn unit {QStringLiteral("F_unit"), QStringLiteral("单位")};
    GridColumn amount {QStringLiteral("F_amount"), QStringLiteral("数量")};
    amount.readOnly = false;
    amount.kind = ColumnKind::Number;
    GridColumn price {QStringLiteral("F_price"), QStringLiteral("单价")};
    price.readOnly = false;
    price.kind = ColumnKind::Number;
    DataGrid grid;
    grid.setModel(&model);
    grid.setColumns({name, unit, amount, price});
    grid.setEditable(true);
    EllipsisDelegate *picker = grid.setButtonColumn(0);
    QVERIFY(picker);
    QVERIFY(model.insertRows(0, 2));
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    // Enter skips the read-only unit column and wraps to the next row.
    grid.view()->setCurrentIndex(model.index(0, 0));
    QSignalSpy entered(&grid, &DataGrid::enterPressed);
    QTest::keyClick(grid.view(), Qt::Key_Return);
    QCOMPARE(grid.view()->currentIndex(), model.index(0, 2));
    QTest::keyClick(grid.view(), Qt::Key_Return);
    QCOMPARE(grid.view()->currentIndex(), model.index(0, 3));
    QTest::keyClick(grid.view(), Qt::Key_Return);
    QCOMPARE(grid.view()->currentIndex(), model.index(1, 2));
    QCOMPARE(entered.size(), 3);
    QVERIFY(model.setData(model.index(1, 2), QStringLiteral("3")));
    QVERIFY(!model.setData(model.index(1, 1), QStringLiteral("箱"))); // read-only
    QCOMPARE(buffer.value(1, QStringLiteral("F_amount")).toDouble(), 3.0);
}

void TestDataGrid::columnChooser()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    SqlListModel model(db.database());
    model.setStatement(QStringLiteral("SELECT * FROM t_XSrec WHERE (1=1) "));
    DataGrid grid;
    grid.setModel(&model);
    grid.setColumns(salesColumns());
    QHeaderView *header = grid.view()->horizontalHeader();
    header->moveSection(3, 0); // the dialog lists the columns as the grid shows them
    header->setSectionHidden(1, true);

    ColumnChooserDialog dialog(grid.columns());
    QCOMPARE(dialog.objectName(), QStringLiteral("TFrmDispFieldXZ"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("字段列表"));
    QCOMPARE(dialog.list()->item(0)->text(), QStringLiteral("日期"));
    QCOMPARE(dialog.visibility(), (QList<bool> {true, true, false, true}));
    for (int i = 0; i < dialog.list()->count(); ++i)
        dialog.list()->item(i)->setCheckState(Qt::Unchecked);
    grid.applyVisibility(dialog.visibility());
    for (int c = 0; c < 4; ++c)
        QVERIFY(header->isSectionHidden(c));
    grid.applyVisibility({false, true, true, false});
    QVERIFY(!header->isSectionHidden(0)); // 销售单号, second on screen
    QVERIFY(header->sectionSize(0) >= 16);
    QVERIFY(header->isSectionHidden(3));
}

QTEST_MAIN(TestDataGrid)
#include "tst_datagrid.moc"
