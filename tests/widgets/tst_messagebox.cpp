#include "widgets/FormPlacement.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Acts on the message box once it is up.
void whenBoxShown(const std::function<void(QMessageBox *)> &act)
{
    QTimer::singleShot(0, [act] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            whenBoxShown(act);
            return;
        }
        act(box);
    });
}

QPushButton *button(QMessageBox *box, const QString &text)
{
    for (QAbstractButton *b : box->buttons())
        if (b->text() == text)
            return qobject_cast<QPushButton *>(b);
    return nullptr;
}

} // namespace

class TestMessageBox : public QObject
{
    Q_OBJECT
private slots:
    void questionAnswers_data();
    void questionAnswers();
    void otherKindsReturnZero();
    void placementCentresOverTheAnchor();
};

void TestMessageBox::questionAnswers_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("expected");
    QTest::newRow("yes") << "是(&Y)" << 1;
    QTest::newRow("no") << "否(&N)" << 2;
    QTest::newRow("escape") << "Esc" << 2;
    QTest::newRow("close box") << "close" << 2;
}

void TestMessageBox::questionAnswers()
{
    QFETCH(QString, how);
    QFETCH(int, expected);
    MessageBoxPrompter prompter;
    QString caption;
    QString text;
    whenBoxShown([&](QMessageBox *box) {
        caption = box->windowTitle();
        text = box->text();
        if (how == QStringLiteral("Esc"))
            QTest::keyClick(box, Qt::Key_Escape);
        else if (how == QStringLiteral("close"))
            box->close();
        else
            QTest::mouseClick(button(box, how), Qt::LeftButton);
    });
    QCOMPARE(prompter.ShowMess(QStringLiteral("真的要删除吗？"), MessageKind::Question), expected);
    QCOMPARE(caption, QStringLiteral("询问"));
    QCOMPARE(text, QStringLiteral("真的要删除吗？"));
}

void TestMessageBox::otherKindsReturnZero()
{
    MessageBoxPrompter prompter;
    const QList<std::pair<MessageKind, QMessageBox::Icon>> kinds {{MessageKind::Information, QMessageBox::Information},
                                                                  {MessageKind::Warning, QMessageBox::Warning},
                                                                  {MessageKind::Error, QMessageBox::Critical}};
    for (const auto &[kind, icon] : kinds) {
        QMessageBox::Icon shown = QMessageBox::NoIcon;
        QStringList buttons;
        whenBoxShown([&](QMessageBox *box) {
            shown = box->icon();
            for (QAbstractButton *b : box->buttons())
                buttons.append(b->text());
            QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(prompter.ShowMess(QStringLiteral("提示文字"), kind), 0);
        QCOMPARE(shown, icon);
        QCOMPARE(buttons, QStringList {"确定"});
    }
}

void TestMessageBox::placementCentresOverTheAnchor()
{
    QWidget anchor;
    anchor.setGeometry(100, 100, 800, 600);
    anchor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&anchor));
    QDialog form(&anchor);
    form.resize(200, 100);
    DispFormPos(&form, FormPosition::Editor, &anchor);
    const QPoint centre = form.pos() + QPoint(100, 50);
    QVERIFY2((centre - anchor.frameGeometry().center()).manhattanLength() < 30,
             qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
}

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
