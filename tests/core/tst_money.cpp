#include "core/ChineseMoney.h"

#include <QTest>

class TestMoney : public QObject
{
    Q_OBJECT
private slots:
    void capitals_data();
    void capitals();
};

void TestMoney::capitals_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("expected");
    QTest::newRow("digits and tenths") << 1234.5 << QStringLiteral("壹千贰佰叁拾肆元伍角零分");
    QTest::newRow("whole hundred") << 100.0 << QStringLiteral("壹佰零拾零元整");
    QTest::newRow("zero") << 0.0 << QStringLiteral("零元整");
    QTest::newRow("cents only") << 0.05 << QStringLiteral("零元零角伍分");
    QTest::newRow("ten") << 10.0 << QStringLiteral("壹拾零元整");
    QTest::newRow("one tenth") << 0.1 << QStringLiteral("零元壹角零分");
    QTest::newRow("rounded half up") << 0.285 << QStringLiteral("零元贰角玖分");
    QTest::newRow("ten thousands") << 10000.01 << QStringLiteral("壹万零千零佰零拾零元零角壹分");
    QTest::newRow("largest") << 999999999999.99
                             << QStringLiteral("玖千玖佰玖拾玖亿玖千玖佰玖拾玖万玖千玖佰玖拾玖元玖角玖分");
    QTest::newRow("negative") << -12.3 << QStringLiteral("负壹拾贰元叁角零分");
    QTest::newRow("negative rounds to zero") << -0.001 << QStringLiteral("零元整");
    QTest::newRow("10^12 refused") << 1e12 << QStringLiteral("金额超出范围");
    QTest::newRow("rounds up to 10^12") << 999999999999.996 << QStringLiteral("金额超出范围");
    QTest::newRow("negative 10^12 refused") << -1e12 << QStringLiteral("金额超出范围");
}

void TestMoney::capitals()
{
    QFETCH(double, amount);
    QFETCH(QString, expected);
    QCOMPARE(MoneyToChinese(amount), expected);
}

QTEST_APPLESS_MAIN(TestMoney)
#include "tst_money.moc"
