#include "MessageBox.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

QWidget *MessageBoxPrompter::owner()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

int MessageBoxPrompter::ShowMess(const QString &text, MessageKind kind)
{
    QMessageBox box(owner());
    box.setText(text);
    switch (kind) {
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        box.setWindowTitle(QStringLiteral("提示"));
        break;
    case MessageKind::Question:
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(QStringLiteral("询问"));
        break;
    case MessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setWindowTitle(QStringLiteral("警告"));
        break;
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setWindowTitle(QStringLiteral("错误"));
        break;
    }
    if (kind != MessageKind::Question) {
        box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        box.exec();
        return 0;
    }
    QPushButton *yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no); // Esc and the close box answer No
    box.exec();
    return box.clickedButton() == yes ? Yes : No;
}

QString MessageBoxPrompter::chooseOpenFile(const QString &title, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(owner(), title, folder, filter);
}

QString MessageBoxPrompter::chooseSaveFile(const QString &title, const QString &folder, const QString &filter)
{
    return QFileDialog::getSaveFileName(owner(), title, folder, filter);
}

QString MessageBoxPrompter::chooseFolder(const QString &title, const QString &folder)
{
    return QFileDialog::getExistingDirectory(owner(), title, folder);
}

bool MessageBoxPrompter::askText(const QString &title, const QString &label, QString &text, bool password)
{
    QInputDialog dialog(owner());
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextValue(text);
    dialog.setTextEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    text = dialog.textValue();
    return true;
}
