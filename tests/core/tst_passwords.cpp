#include "core/Passwords.h"

#include <QTest>

using Passwords::SavePass;
using Passwords::VerifyPass;

class TestPasswords : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void emptyStoredTextIsEmptyPassword();
    void storedFormRevealsNothing();
};

void TestPasswords::roundTrip_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("matches");
    QTest::newRow("same") << "secret"
                          << "secret" << true;
    QTest::newRow("case matters") << "Secret"
                                  << "secret" << false;
    QTest::newRow("trimmed both ways") << "  密码123 "
                                       << "密码123  " << true;
    QTest::newRow("inner blank kept") << "a b"
                                      << "ab" << false;
    QTest::newRow("empty hashed") << ""
                                  << "  " << true;
    QTest::newRow("empty hashed, wrong") << ""
                                         << "x" << false;
    QTest::newRow("quote and emoji") << "it's😀"
                                     << "it's😀" << true;
}

void TestPasswords::roundTrip()
{
    QFETCH(QString, password);
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    const auto stored = SavePass(password);
    QVERIFY(stored.has_value());
    QVERIFY(stored->startsWith(QStringLiteral("$argon2id$")));
    QCOMPARE(VerifyPass(*stored, typed), matches);
}

void TestPasswords::emptyStoredTextIsEmptyPassword()
{
    QVERIFY(VerifyPass(QString(), QString()));
    QVERIFY(VerifyPass(QStringLiteral("   "), QStringLiteral(" ")));
    QVERIFY(!VerifyPass(QString(), QStringLiteral("x")));
    QVERIFY(!VerifyPass(QStringLiteral("not a hash"), QStringLiteral("not a hash")));
}

void TestPasswords::storedFormRevealsNothing()
{
    const auto first = SavePass(QStringLiteral("secret"));
    const auto second = SavePass(QStringLiteral("secret"));
    QVERIFY(first && second);
    QVERIFY(*first != *second); // salted
    QVERIFY(!first->contains(QStringLiteral("secret")));
    QVERIFY(first->size() <= 255);
}

QTEST_APPLESS_MAIN(TestPasswords)
#include "tst_passwords.moc"
