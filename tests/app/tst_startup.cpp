#include "app/AppContext.h"
#include "app/Startup.h"
#include "clients/MainWindow.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Answers the login dialog once it is up: signs in as `code`, or cancels when `code` is empty.
void answerLogin(const QString &code)
{
    QTimer::singleShot(0, [code] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->objectName() != QStringLiteral("frmOperLogin")) {
            answerLogin(code);
            return;
        }
        if (code.isEmpty()) {
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btnCancel")), Qt::LeftButton);
            return;
        }
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("edtOperCode"));
        edit->setText(code);
        emit edit->editingFinished();
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
    });
}

// A home with a database, as --init makes it.
bool provisionHome(const QString &folder)
{
    ScriptedPrompter prompter;
    SystemClock clock;
    AppContext context(folder, prompter, clock);
    return context.connect(nullptr);
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void firstStartSignsIn();
    void cancelledLoginEndsWithoutMainWindow();
    void recoveryFindsAnotherDatabase();
    void recoveryCancelledEndsTheProgram();
};

void TestStartup::firstStartSignsIn()
{
    QTemporaryDir home;
    ScriptedPrompter prompter;
    FixedClock clock(QDateTime(QDate(2026, 12, 11), QTime(9, 0)));
    AppContext context(home.path(), prompter, clock);
    Startup startup(context);
    answerLogin(QStringLiteral("000"));
    QVERIFY(startup.start());
    QVERIFY(startup.mainWindow());
    QVERIFY(QFile::exists(home.filePath(QStringLiteral("data/client.db"))));
    QVERIFY(startup.mainWindow()->action(QStringLiteral("Action101"))->isVisible());
    QCOMPARE(context.session().CurOperCode, QStringLiteral("000"));
}

void TestStartup::cancelledLoginEndsWithoutMainWindow()
{
    QTemporaryDir home;
    ScriptedPrompter prompter;
    SystemClock clock;
    AppContext context(home.path(), prompter, clock);
    Startup startup(context);
    answerLogin(QString());
    QVERIFY(!startup.start());
    QVERIFY(!startup.mainWindow());
    QVERIFY(QApplication::topLevelWidgets().isEmpty()
            || std::none_of(QApplication::topLevelWidgets().cbegin(), QApplication::topLevelWidgets().cend(),
                            [](QWidget *w) { return w->objectName() == QStringLiteral("FrmMain"); }));
    QCOMPARE(startup.exitCode(), 0);
    QVERIFY(prompter.messages.isEmpty());
}

void TestStartup::recoveryFindsAnotherDatabase()
{
    QTemporaryDir home;
    QTemporaryDir shared;
    QVERIFY(provisionHome(shared.path()));
    {
        IniConfig config(home.filePath(QStringLiteral("config.ini")));
        config.setValue(QStringLiteral("config"), QStringLiteral("ds"), home.filePath(QStringLiteral("missing/")));
    }
    ScriptedPrompter prompter;
    SystemClock clock;
    AppContext context(home.path(), prompter, clock);
    // First a file in a folder without a database, then any file of the folder that holds one.
    QFile stray(home.filePath(QStringLiteral("notes.txt")));
    QVERIFY(stray.open(QIODevice::WriteOnly));
    stray.close();
    prompter.files.enqueue(stray.fileName());
    prompter.files.enqueue(shared.filePath(QStringLiteral("data/client.db")));
    Startup startup(context);
    answerLogin(QString());
    startup.start();
    QVERIFY(prompter.files.isEmpty());
    QVERIFY(context.database().isOpen());
    QCOMPARE(context.database().settings().sqliteFile, shared.filePath(QStringLiteral("data/client.db")));
    QCOMPARE(
        IniConfig(home.filePath(QStringLiteral("config.ini"))).value(QStringLiteral("Config"), QStringLiteral("DS")),
        shared.filePath(QStringLiteral("data/")));
    QVERIFY(!QFile::exists(home.filePath(QStringLiteral("missing/client.db"))));
    QVERIFY(!QFile::exists(home.filePath(QStringLiteral("client.db"))));
}

void TestStartup::recoveryCancelledEndsTheProgram()
{
    QTemporaryDir home;
    {
        IniConfig config(home.filePath(QStringLiteral("config.ini")));
        config.setValue(QStringLiteral("db"), QStringLiteral("driver"), QStringLiteral("postgres"));
        config.setValue(QStringLiteral("db"), QStringLiteral("host"), QStringLiteral("127.0.0.1"));
        config.setValue(QStringLiteral("db"), QStringLiteral("port"), QStringLiteral("1"));
        config.setValue(QStringLiteral("db"), QStringLiteral("name"), QStringLiteral("varnel"));
    }
    ScriptedPrompter prompter;
    SystemClock clock;
    AppContext context(home.path(), prompter, clock);
    Startup startup(context);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("database not opened.*")));
    QVERIFY(!startup.start());
    QCOMPARE(startup.exitCode(), 1);
    QVERIFY(!startup.mainWindow());
    // What failed is shown before the choice.
    QCOMPARE(prompter.messages.size(), 1);
    QVERIFY(prompter.messages.front().text.contains(QStringLiteral("127.0.0.1:1/varnel")));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
