#include "core/NumberFormat.h"

#include <QTest>

using NumberFormat::formatNumber;
using NumberFormat::MakeNumberFormat;

class TestNumberFormat : public QObject
{
    Q_OBJECT
private slots:
    void make_data();
    void make();
    void render_data();
    void render();
};

void TestNumberFormat::make_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("quantity 0") << 0 << 1 << QStringLiteral("0.");
    QTest::newRow("quantity 2") << 2 << 1 << QStringLiteral("0.##");
    QTest::newRow("price 0") << 0 << 2 << QStringLiteral("￥,0.");
    QTest::newRow("price 1") << 1 << 2 << QStringLiteral("￥,0.0");
    QTest::newRow("price 4") << 4 << 2 << QStringLiteral("￥,0.00##");
    QTest::newRow("money 2") << 2 << 3 << QStringLiteral("￥,0.00");
    QTest::newRow("other kind") << 2 << 4 << QString();
}

void TestNumberFormat::make()
{
    QFETCH(int, decimals);
    QFETCH(int, kind);
    QFETCH(QString, expected);
    QCOMPARE(MakeNumberFormat(decimals, kind), expected);
}

void TestNumberFormat::render_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("optional decimals") << "0.##" << 1.5 << "1.5";
    QTest::newRow("optional decimals rounded") << "0.##" << 2.345 << "2.35";
    QTest::newRow("optional decimals none") << "0.##" << 3.0 << "3";
    QTest::newRow("optional decimals zero") << "0.##" << 0.0 << "0";
    QTest::newRow("optional decimals negative") << "0.##" << -1.25 << "-1.25";
    QTest::newRow("no decimals") << "0." << 2.6 << "3";
    QTest::newRow("no decimals negative") << "0." << -2.4 << "-2";
    QTest::newRow("money") << "￥,0.00" << 1234567.891 << "￥1,234,567.89";
    QTest::newRow("money small") << "￥,0.00" << 5.0 << "￥5.00";
    QTest::newRow("money zero") << "￥,0.00" << 0.0 << "￥0.00";
    QTest::newRow("money negative") << "￥,0.00" << -1234.5 << "-￥1,234.50";
    QTest::newRow("money tiny negative is zero") << "￥,0.00" << -0.001 << "￥0.00";
    QTest::newRow("price") << "￥,0.00##" << 12.3456 << "￥12.3456";
    QTest::newRow("price trimmed") << "￥,0.00##" << 12.3 << "￥12.30";
    QTest::newRow("price thousand") << "￥,0.00##" << 1000.1254 << "￥1,000.1254";
    QTest::newRow("two sections positive") << ",0.00##;-,0.00##" << 98765.4321 << "98,765.4321";
    QTest::newRow("two sections negative") << ",0.00##;-,0.00##" << -98765.4 << "-98,765.40";
    QTest::newRow("two sections zero") << ",0.00##;-,0.00##" << 0.0 << "0.00";
    QTest::newRow("three sections zero") << "0.00;(0.00);零" << 0.0 << "零";
    QTest::newRow("quoted literal") << "0.0\"元\"" << 7.26 << "7.3元";
    QTest::newRow("empty format") << "" << 1.5 << "1.5";
}

void TestNumberFormat::render()
{
    QFETCH(QString, format);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatNumber(value, format), expected);
}

QTEST_APPLESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
