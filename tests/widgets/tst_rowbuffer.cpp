#include "db/SqlExec.h"
#include "db/Transaction.h"
#include "support/TestDatabase.h"
#include "widgets/EllipsisDelegate.h"
#include "widgets/RowBuffer.h"
#include "widgets/RowBufferModel.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

namespace {

bool run(Database &db, const QString &sql, const QVariantList &params = {})
{
    QSqlQuery query(db.connection());
    QString error;
    if (!execBound(query, sql, params, &error)) {
        qWarning().noquote() << error << "in" << sql;
        return false;
    }
    return true;
}

// The same text for a value whichever engine read it (a yes/no is 1/0, a date yyyy-MM-dd).
QString cellText(const QVariant &value)
{
    if (value.isNull())
        return QStringLiteral("NULL");
    if (value.metaType().id() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    return value.toString();
}

QStringList tableRows(Database &db, const QString &sql, const QVariantList &params = {})
{
    QSqlQuery query(db.connection());
    if (!execBound(query, sql, params))
        return {QStringLiteral("query failed")};
    QStringList rows;
    while (query.next()) {
        QStringList cells;
        for (int i = 0; i < query.record().count(); ++i)
            cells.append(cellText(query.isNull(i) ? QVariant() : query.value(i)));
        rows.append(cells.join(u'|'));
    }
    return rows;
}

// Everything the user sees and the buffer would write.
QStringList snapshot(const RowBuffer &buffer)
{
    QStringList lines;
    for (int row = 0; row < buffer.rowCount(); ++row) {
        QStringList cells {QString::number(int(buffer.state(row))), QString::number(buffer.id(row))};
        for (const QString &field : buffer.fields())
            cells.append(cellText(buffer.value(row, field)));
        lines.append(cells.join(u'|'));
    }
    lines.append(QStringLiteral("deleted %1, modified %2").arg(buffer.deletedCount()).arg(buffer.isModified()));
    return lines;
}

bool insertGoods(Database &db)
{
    const QString sql = QStringLiteral("INSERT INTO t_goods (F_code, F_name, F_price) VALUES (?, ?, ?)");
    return run(db, sql, {QStringLiteral("000001"), QStringLiteral("甲"), 1.5})
        && run(db, sql, {QStringLiteral("000002"), QStringLiteral("乙"), 2.0})
        && run(db, sql, {QStringLiteral("000003"), QStringLiteral("丙"), 1000.0});
}

const QString GoodsSelect = QStringLiteral("SELECT F_ID, F_code, F_name, F_price, F_Flag FROM t_goods ORDER BY F_code");

QList<GridColumn> goodsColumns()
{
    GridColumn code;
    code.fieldName = QStringLiteral("F_code");
    code.footerType = FooterType::Text;
    code.footerValue = QStringLiteral("合计");
    GridColumn name;
    name.fieldName = QStringLiteral("F_name");
    name.readOnly = false;
    GridColumn price;
    price.fieldName = QStringLiteral("F_price");
    price.kind = ColumnKind::Number;
    price.readOnly = false;
    price.displayFormat = QStringLiteral("￥,0.00");
    price.footerType = FooterType::Sum;
    GridColumn flag;
    flag.fieldName = QStringLiteral("F_Flag");
    flag.kind = ColumnKind::YesNo;
    flag.readOnly = false;
    return {code, name, price, flag};
}

enum GoodsColumn { CodeColumn, NameColumn, PriceColumn, FlagColumn };

} // namespace

class TestRowBuffer : public QObject
{
    Q_OBJECT
private slots:
    void writeThenReadBack();
    void failedWriteLosesNothing_data();
    void failedWriteLosesNothing();
    void valuesTakeTheColumnType_data();
    void valuesTakeTheColumnType();
    void modelEditsTheBuffer();
    void modelNumberInput_data();
    void modelNumberInput();
    void ellipsisButton_data();
    void ellipsisButton();
};

void TestRowBuffer::writeThenReadBack()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    Database &database = db.database();
    const QString insert
        = QStringLiteral("INSERT INTO t_linkman (F_cltID, F_name, F_IFkey, F_birthday, F_mem) VALUES (?, ?, ?, ?, ?)");
    QVERIFY(run(database, insert, {12, QStringLiteral("王一"), true, QDate(1980, 1, 2), QStringLiteral("甲")}));
    QVERIFY(run(database, insert, {12, QStringLiteral("李二"), false, QVariant(), QStringLiteral("乙")}));
    QVERIFY(run(database, insert, {12, QStringLiteral("赵三"), false, QDate(1990, 5, 6), QStringLiteral("丙")}));
    QVERIFY(run(database, insert, {13, QStringLiteral("别家"), true, QVariant(), QStringLiteral("丁")}));

    RowBuffer buffer;
    QString error;
    QVERIFY2(buffer.load(database, QStringLiteral("t_linkman"),
                         QStringLiteral("SELECT F_ID, F_name, F_IFkey, F_birthday, F_mem FROM t_linkman "
                                        "WHERE F_cltID = ? ORDER BY F_ID"),
                         {12}, &error),
             qPrintable(error));
    QCOMPARE(buffer.rowCount(), 3);
    // Both engines give the same types back, and names match whatever their case.
    QCOMPARE(buffer.value(0, QStringLiteral("f_ifkey")), QVariant(true));
    QCOMPARE(buffer.value(2, QStringLiteral("F_BIRTHDAY")), QVariant(QDate(1990, 5, 6)));
    QVERIFY(buffer.value(1, QStringLiteral("F_birthday")).isNull());
    const qint64 firstId = buffer.id(0);
    const qint64 secondId = buffer.id(1);
    const qint64 otherClientId
        = db.data().GetIntValue(QStringLiteral("SELECT F_ID FROM t_linkman WHERE F_cltID = 13")).value_or(0);

    const QString awkward = QStringLiteral("O'Brien 😀 \"x\" \\ %_");
    QVERIFY(buffer.setValue(0, QStringLiteral("F_name"), awkward));
    // The values row 1 already has: no edit.
    QVERIFY(buffer.setValue(1, QStringLiteral("F_IFkey"), 0));
    QVERIFY(buffer.setValue(1, QStringLiteral("F_mem"), QStringLiteral("乙")));
    QCOMPARE(buffer.state(1), RowBuffer::State::Unchanged);
    QVERIFY(!buffer.setValue(1, QStringLiteral("F_ID"), 99));
    QVERIFY(!buffer.setValue(1, QStringLiteral("F_cltID"), 13)); // not loaded, so never written
    buffer.removeRow(2);
    // 50 characters as varchar(50) counts them, 75 UTF-16 units.
    const QString fullName = QStringLiteral("张").repeated(25) + QStringLiteral("😀").repeated(25);
    const int added
        = buffer.appendRow({{QStringLiteral("F_name"), fullName}, {QStringLiteral("F_birthday"), QDate(2001, 2, 3)}});
    QVERIFY(buffer.setValue(added, QStringLiteral("F_IFkey"), true));
    buffer.removeRow(buffer.appendRow({{QStringLiteral("F_name"), QStringLiteral("不要")}}));
    QCOMPARE(buffer.rowCount(), 3);
    QCOMPARE(buffer.deletedCount(), 1);
    QCOMPARE(buffer.state(0), RowBuffer::State::Changed);
    QCOMPARE(buffer.state(added), RowBuffer::State::New);
    QCOMPARE(buffer.id(added), 0);

    // Another user edits a field this buffer did not touch; the save must not undo that.
    QVERIFY(run(database, QStringLiteral("UPDATE t_linkman SET F_mem = ? WHERE F_ID = ?"),
                {QStringLiteral("别人改的"), firstId}));
    {
        Transaction transaction(database);
        QVERIFY2(buffer.write(transaction, {{QStringLiteral("F_cltID"), 12}}, &error), qPrintable(error));
        QVERIFY(buffer.isModified()); // until the caller knows the commit went through
        QVERIFY(transaction.commit());
    }
    buffer.acceptWritten();
    QVERIFY(!buffer.isModified());
    QCOMPARE(buffer.deletedCount(), 0);
    const qint64 newId = buffer.id(added);
    QVERIFY(newId > 0);

    const QString select
        = QStringLiteral("SELECT F_ID, F_cltID, F_name, F_IFkey, F_birthday, F_mem FROM t_linkman ORDER BY F_ID");
    const auto line = [](qint64 id, const QString &rest) -> QString {
        return QString::number(id) + u'|' + rest;
    };
    QCOMPARE(tableRows(database, select),
             QStringList({line(firstId, QStringLiteral("12|%1|1|1980-01-02|别人改的").arg(awkward)),
                          line(secondId, QStringLiteral("12|李二|0|NULL|乙")),
                          line(otherClientId, QStringLiteral("13|别家|1|NULL|丁")),
                          line(newId, QStringLiteral("12|%1|1|2001-02-03|NULL").arg(fullName))}));

    // The formerly new row is now an ordinary row: editing it updates that row.
    QVERIFY(buffer.setValue(added, QStringLiteral("F_mem"), QStringLiteral("后来")));
    QCOMPARE(buffer.state(added), RowBuffer::State::Changed);
    {
        Transaction transaction(database);
        QVERIFY2(buffer.write(transaction, {{QStringLiteral("F_cltID"), 12}}, &error), qPrintable(error));
        QVERIFY(transaction.commit());
    }
    buffer.acceptWritten();
    QCOMPARE(buffer.id(added), newId);
    QCOMPARE(tableRows(database, QStringLiteral("SELECT F_ID, F_mem FROM t_linkman WHERE F_cltID = 12 ORDER BY F_ID")),
             QStringList({line(firstId, QStringLiteral("别人改的")), line(secondId, QStringLiteral("乙")),
                          line(newId, QStringLiteral("后来"))}));
}

void TestRowBuffer::failedWriteLosesNothing_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("database refuses a duplicate code") << "duplicate code";
    QTest::newRow("fixed value names no column") << "unknown column";
    QTest::newRow("commit rolled back after the write") << "rolled back";
}

void TestRowBuffer::failedWriteLosesNothing()
{
    QFETCH(QString, failure);
    TestDatabase db;
    VARNEL_REQUIRE(db);
    Database &database = db.database();
    QVERIFY(insertGoods(database));
    const QStringList stored = tableRows(database, GoodsSelect);

    RowBuffer buffer;
    QString error;
    QVERIFY2(buffer.load(database, QStringLiteral("t_goods"), GoodsSelect, {}, &error), qPrintable(error));
    QVERIFY(buffer.setValue(0, QStringLiteral("F_name"), QStringLiteral("甲'改")));
    buffer.removeRow(2);
    // The code of the deleted row may be taken over in the same save.
    const int takeover = buffer.appendRow(
        {{QStringLiteral("F_code"), QStringLiteral("000003")}, {QStringLiteral("F_name"), QStringLiteral("接替")}});
    const int fresh = buffer.appendRow(
        {{QStringLiteral("F_code"),
          failure == QStringLiteral("duplicate code") ? QStringLiteral("000002") : QStringLiteral("000004")},
         {QStringLiteral("F_name"), QStringLiteral("新")}});
    const QVariantMap fixed = failure == QStringLiteral("unknown column")
        ? QVariantMap {{QStringLiteral("F_Flag"), true}, {QStringLiteral("F_nosuch"), 1}}
        : QVariantMap {{QStringLiteral("F_Flag"), true}};
    const QStringList edits = snapshot(buffer);
    {
        Transaction transaction(database);
        const bool written = buffer.write(transaction, fixed, &error);
        QCOMPARE(written, failure == QStringLiteral("rolled back"));
        if (!written)
            QVERIFY(!error.isEmpty());
        // Leaving the scope without a commit rolls back, as a failed commit does.
    }
    QCOMPARE(tableRows(database, GoodsSelect), stored);
    QCOMPARE(snapshot(buffer), edits);

    // Put right, the same edits are written, each new row once.
    QVERIFY(buffer.setValue(fresh, QStringLiteral("F_code"), QStringLiteral("000004")));
    {
        Transaction transaction(database);
        QVERIFY2(buffer.write(transaction, {{QStringLiteral("F_Flag"), true}}, &error), qPrintable(error));
        QVERIFY(transaction.commit());
    }
    buffer.acceptWritten();
    QCOMPARE(tableRows(database,
                       QStringLiteral("SELECT F_ID, F_code, F_name, F_price, F_Flag FROM t_goods ORDER BY F_code")),
             QStringList({stored.at(0).section(u'|', 0, 1) + QStringLiteral("|甲'改|1.5|0"), stored.at(1),
                          QStringLiteral("%1|000003|接替|0|1").arg(buffer.id(takeover)),
                          QStringLiteral("%1|000004|新|0|1").arg(buffer.id(fresh))}));
    QVERIFY(!buffer.isModified());
}

void TestRowBuffer::valuesTakeTheColumnType_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QVariant>("expected"); // invalid: refused
    const QVariant refused;
    QTest::newRow("yes/no from a number") << "t_linkman"
                                          << "F_IFkey" << QVariant(1) << QVariant(true);
    QTest::newRow("yes/no from nothing") << "t_linkman"
                                         << "F_IFkey" << QVariant() << QVariant(false);
    QTest::newRow("date from text") << "t_linkman"
                                    << "F_birthday" << QVariant(QStringLiteral("2026-03-04"))
                                    << QVariant(QDate(2026, 3, 4));
    QTest::newRow("date from a date and time")
        << "t_linkman"
        << "F_birthday" << QVariant(QDateTime(QDate(2026, 3, 4), QTime(23, 59))) << QVariant(QDate(2026, 3, 4));
    QTest::newRow("impossible date") << "t_linkman"
                                     << "F_birthday" << QVariant(QStringLiteral("2026-02-30")) << refused;
    QTest::newRow("whole number from a double") << "t_linkman"
                                                << "F_cltID" << QVariant(12.0) << QVariant(qint64(12));
    QTest::newRow("fraction for a whole number") << "t_linkman"
                                                 << "F_cltID" << QVariant(2.5) << refused;
    QTest::newRow("number from text") << "t_XSdetail"
                                      << "F_amount" << QVariant(QStringLiteral("3.25")) << QVariant(3.25);
    QTest::newRow("text for a number") << "t_XSdetail"
                                       << "F_amount" << QVariant(QStringLiteral("abc")) << refused;
    QTest::newRow("text as long as its column")
        << "t_linkman"
        << "F_name" << QVariant(QStringLiteral("😀").repeated(50)) << QVariant(QStringLiteral("😀").repeated(50));
    QTest::newRow("text longer than its column") << "t_linkman"
                                                 << "F_name" << QVariant(QStringLiteral("字").repeated(51)) << refused;
    QTest::newRow("memo without limit") << "t_XSdetail"
                                        << "F_memo1" << QVariant(QStringLiteral("字").repeated(5000))
                                        << QVariant(QStringLiteral("字").repeated(5000));
}

void TestRowBuffer::valuesTakeTheColumnType()
{
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QVariant, input);
    QFETCH(QVariant, expected);
    TestDatabase db;
    VARNEL_REQUIRE(db);
    RowBuffer buffer;
    QString error;
    QVERIFY2(
        buffer.load(db.database(), table, QStringLiteral("SELECT * FROM %1 WHERE F_ID = ?").arg(table), {-1}, &error),
        qPrintable(error));
    const int row = buffer.appendRow();
    const QVariant before = buffer.value(row, field);
    QCOMPARE(buffer.setValue(row, field, input), expected.isValid());
    const QVariant actual = buffer.value(row, field);
    const QVariant wanted = expected.isValid() ? expected : before;
    QCOMPARE(actual.metaType(), wanted.metaType());
    QCOMPARE(actual, wanted);
}

void TestRowBuffer::modelEditsTheBuffer()
{
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QVERIFY(insertGoods(db.database()));
    RowBuffer buffer;
    QString error;
    QVERIFY2(buffer.load(db.database(), QStringLiteral("t_goods"), GoodsSelect, {}, &error), qPrintable(error));
    RowBufferModel model(buffer);
    model.setGridColumns(goodsColumns());
    model.setNewRowDefaults({{QStringLiteral("F_Flag"), true}});
    QSignalSpy footerChanged(&model, &GridModel::footerChanged);
    QSignalSpy dataChanged(&model, &QAbstractItemModel::dataChanged);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.footerText(CodeColumn), QStringLiteral("合计"));
    QCOMPARE(model.footerText(PriceColumn), QStringLiteral("￥1,003.50"));
    QCOMPARE(model.footerText(NameColumn), QString());

    // Read-only columns refuse edits.
    QVERIFY(!(model.flags(model.index(0, CodeColumn)) & Qt::ItemIsEditable));
    QVERIFY(!model.setData(model.index(0, CodeColumn), QStringLiteral("999999")));
    QCOMPARE(buffer.value(0, QStringLiteral("F_code")), QVariant(QStringLiteral("000001")));
    QVERIFY(!buffer.isModified());

    QVERIFY(model.flags(model.index(0, NameColumn)) & Qt::ItemIsEditable);
    QVERIFY(model.setData(model.index(0, NameColumn), QStringLiteral("甲乙")));
    QCOMPARE(model.data(model.index(0, NameColumn), Qt::DisplayRole), QVariant(QStringLiteral("甲乙")));
    QCOMPARE(buffer.state(0), RowBuffer::State::Changed);

    // The yes/no column is a check box.
    const QModelIndex flag = model.index(1, FlagColumn);
    QVERIFY(model.flags(flag) & Qt::ItemIsUserCheckable);
    QVERIFY(!(model.flags(flag) & Qt::ItemIsEditable));
    QCOMPARE(model.data(flag, Qt::CheckStateRole), QVariant(Qt::Unchecked));
    dataChanged.clear();
    QVERIFY(model.setData(flag, Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(buffer.value(1, QStringLiteral("F_Flag")), QVariant(true));
    QCOMPARE(model.data(flag, Qt::CheckStateRole), QVariant(Qt::Checked));
    QCOMPARE(dataChanged.size(), 1);
    QVERIFY(model.setData(flag, Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(buffer.value(1, QStringLiteral("F_Flag")), QVariant(false));

    // The sum follows edits, new rows and removals over the visible rows.
    footerChanged.clear();
    QVERIFY(model.setData(model.index(0, PriceColumn), QStringLiteral("10")));
    QVERIFY(!footerChanged.isEmpty());
    QCOMPARE(model.footerText(PriceColumn), QStringLiteral("￥1,012.00"));
    QVERIFY(model.insertRows(1, 1));
    QCOMPARE(buffer.rowCount(), 4);
    QCOMPARE(buffer.state(1), RowBuffer::State::New);
    QCOMPARE(model.data(model.index(1, FlagColumn), Qt::CheckStateRole), QVariant(Qt::Checked));
    QVERIFY(model.setData(model.index(1, PriceColumn), 0.25));
    QCOMPARE(model.footerText(PriceColumn), QStringLiteral("￥1,012.25"));
    footerChanged.clear();
    QVERIFY(model.removeRows(3, 1)); // the 1000.00 row
    QCOMPARE(buffer.deletedCount(), 1);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.footerText(PriceColumn), QStringLiteral("￥12.25"));
    QVERIFY(!footerChanged.isEmpty());

    // A picker fills fields whether or not the grid lets the user edit them.
    QVERIFY(model.setFieldValue(1, QStringLiteral("F_code"), QStringLiteral("000009")));
    QCOMPARE(model.data(model.index(1, CodeColumn), Qt::DisplayRole), QVariant(QStringLiteral("000009")));
}

void TestRowBuffer::modelNumberInput_data()
{
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << QVariant(QStringLiteral("12.5")) << true << 12.5;
    QTest::newRow("spaces around") << QVariant(QStringLiteral(" 7 ")) << true << 7.0;
    QTest::newRow("as the cell shows it") << QVariant(QStringLiteral("￥1,234.50")) << true << 1234.5;
    QTest::newRow("blank is zero") << QVariant(QString()) << true << 0.0;
    QTest::newRow("from a spin box") << QVariant(3.75) << true << 3.75;
    QTest::newRow("letters after digits") << QVariant(QStringLiteral("12a")) << false << 0.0;
    QTest::newRow("letters") << QVariant(QStringLiteral("abc")) << false << 0.0;
    QTest::newRow("too large") << QVariant(QStringLiteral("1e400")) << false << 0.0;
}

void TestRowBuffer::modelNumberInput()
{
    QFETCH(QVariant, input);
    QFETCH(bool, accepted);
    QFETCH(double, expected);
    TestDatabase db;
    VARNEL_REQUIRE(db);
    QVERIFY(insertGoods(db.database()));
    RowBuffer buffer;
    QString error;
    QVERIFY2(buffer.load(db.database(), QStringLiteral("t_goods"), GoodsSelect, {}, &error), qPrintable(error));
    RowBufferModel model(buffer);
    model.setGridColumns(goodsColumns());
    QSignalSpy footerChanged(&model, &GridModel::footerChanged);

    QCOMPARE(model.setData(model.index(1, PriceColumn), input), accepted);
    QCOMPARE(buffer.value(1, QStringLiteral("F_price")).toDouble(), accepted ? expected : 2.0);
    QCOMPARE(buffer.isModified(), accepted);
    QCOMPARE(footerChanged.isEmpty(), !accepted);
}

void TestRowBuffer::ellipsisButton_data()
{
    QTest::addColumn<bool>("onButton");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<bool>("clicked");
    QTest::addColumn<bool>("editorOpen");
    QTest::newRow("click on the button") << true << false << true << false;
    QTest::newRow("click on the text") << false << false << false << false;
    QTest::newRow("double click on the button") << true << true << true << false;
    QTest::newRow("double click on the text") << false << true << false << true;
}

void TestRowBuffer::ellipsisButton()
{
    QFETCH(bool, onButton);
    QFETCH(bool, doubleClick);
    QFETCH(bool, clicked);
    QFETCH(bool, editorOpen);
    QStandardItemModel model(3, 2);
    for (int row = 0; row < 3; ++row) {
        model.setItem(row, 0, new QStandardItem(QStringLiteral("00000%1").arg(row)));
        model.setItem(row, 1, new QStandardItem(QStringLiteral("商品%1").arg(row)));
    }
    QTableView view;
    auto *delegate = new EllipsisDelegate(&view);
    view.setItemDelegateForColumn(1, delegate);
    view.setModel(&model);
    view.setColumnWidth(1, 160);
    view.resize(400, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy buttonClicked(delegate, &EllipsisDelegate::buttonClicked);

    const QModelIndex target = model.index(1, 1);
    const QRect cell = view.visualRect(target);
    const QRect button = EllipsisDelegate::buttonRect(cell);
    QVERIFY(cell.contains(button));
    const QPoint where = onButton ? button.center() : QPoint(cell.left() + 10, cell.center().y());
    // A double click is a click followed by the second press (QTest's alone sends no first click).
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, where);
    if (doubleClick)
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, where);

    QCOMPARE(!buttonClicked.isEmpty(), clicked);
    if (clicked)
        QCOMPARE(buttonClicked.first().first().value<QModelIndex>(), target);
    const auto *editor = view.viewport()->findChild<QLineEdit *>();
    QCOMPARE(editor != nullptr && editor->isVisible(), editorOpen);
    if (editorOpen)
        QVERIFY(!editor->geometry().intersects(button)); // the button stays usable while editing
}

QTEST_MAIN(TestRowBuffer)
#include "tst_rowbuffer.moc"
