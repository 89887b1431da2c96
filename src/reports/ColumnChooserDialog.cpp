#include "ColumnChooserDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

ColumnChooserDialog::ColumnChooserDialog(const QList<GridColumn> &columns, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TFrmDispFieldXZ"));
    setWindowTitle(tr("字段列表"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstFields"));
    for (const GridColumn &column : columns) {
        auto *item = new QListWidgetItem(column.caption.isEmpty() ? column.fieldName : column.caption, m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(column.visible ? Qt::Checked : Qt::Unchecked);
    }
    auto *ok = new QPushButton(tr("确定"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(tr("取消"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(320, 380);
}

QList<bool> ColumnChooserDialog::visibility() const
{
    QList<bool> shown;
    for (int i = 0; i < m_list->count(); ++i)
        shown.append(m_list->item(i)->checkState() == Qt::Checked);
    return shown;
}

std::optional<QList<bool>> ColumnChooserDialog::choose(const QList<GridColumn> &columns, QWidget *parent)
{
    ColumnChooserDialog dialog(columns, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.visibility();
}
