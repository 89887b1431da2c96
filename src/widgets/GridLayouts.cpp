#include "GridLayouts.h"

#include "core/Prompter.h"
#include "core/Session.h"
#include "db/DataServices.h"
#include "db/Database.h"
#include "db/SqlExec.h"
#include "db/Transaction.h"

#include <QDebug>
#include <QSqlQuery>

namespace GridLayouts {

std::optional<QList<GridColumn>> LoadGridLayout(DataServices &data, const QString &name)
{
    const SqlDialect &dialect = data.database().dialect();
    QSqlQuery query(data.database().connection());
    query.setForwardOnly(true);
    const QString sql = QStringLiteral("SELECT F_fieldname, F_Caption, F_Width, F_Visible, F_ReadOnly, F_Alignment, "
                                       "F_DisplayFormat, F_FooterValue, F_FooterType FROM cfg_Grid "
                                       "WHERE %1 AND F_fieldname <> '' ORDER BY F_Order")
                            .arg(dialect.equalsIgnoreCase(QStringLiteral("F_name")));
    if (!data.OpenQuery(query, sql, {name}))
        return std::nullopt;
    QList<GridColumn> columns;
    while (query.next()) {
        GridColumn column;
        column.fieldName = query.value(0).toString();
        column.caption = query.value(1).toString();
        column.width = query.value(2).toInt();
        column.visible = query.value(3).toInt() != 0;
        column.readOnly = query.value(4).toInt() != 0;
        column.alignment = query.value(5).toInt();
        column.displayFormat = query.value(6).toString();
        column.footerValue = query.value(7).toString();
        const int footer = query.value(8).toInt();
        column.footerType = footer == 1 ? FooterType::Text : footer == 2 ? FooterType::Sum : FooterType::None;
        columns.append(column);
    }
    return columns;
}

bool SaveGridLayout(DataServices &data, const QString &name, const QList<GridColumn> &columns, int *saved)
{
    Database &database = data.database();
    const QString sql
        = QStringLiteral("UPDATE cfg_Grid SET F_Caption = ?, F_Width = ?, F_ReadOnly = ?, F_Visible = ?, F_Order = ?, "
                         "F_Alignment = ?, F_DisplayFormat = ?, F_FooterValue = ?, F_FooterType = ? "
                         "WHERE %1 AND %2")
              .arg(database.dialect().equalsIgnoreCase(QStringLiteral("F_name")),
                   database.dialect().equalsIgnoreCase(QStringLiteral("F_fieldname")));
    Transaction transaction(database);
    QString error = transaction.error();
    int count = 0;
    bool ok = transaction.isActive();
    for (qsizetype i = 0; ok && i < columns.size(); ++i) {
        const GridColumn &c = columns.at(i);
        QSqlQuery query(database.connection());
        ok = execBound(query, sql,
                       {c.caption, c.width, c.readOnly ? 1 : 0, c.visible ? 1 : 0, qint64(i), c.alignment,
                        c.displayFormat, c.footerValue, int(c.footerType), name.toLower(), c.fieldName},
                       &error);
        if (ok && query.numRowsAffected() > 0)
            ++count;
    }
    if (ok)
        ok = transaction.commit();
    if (!ok) {
        qWarning().noquote() << "grid layout not saved:" << name << error << transaction.error();
        data.prompterForErrors().ShowMess(DataServices::readFailedMessage(), MessageKind::Error);
        return false;
    }
    if (saved)
        *saved = count;
    return true;
}

void ApplyColumnSettings(QList<GridColumn> &columns, const Session &session)
{
    static const QStringList custom {"zf1", "zf2", "zf3", "zf4", "zf5", "sz1", "sz2", "sz3", "rq1", "rq2", "rq3"};
    for (GridColumn &column : columns) {
        const QString field = column.fieldName.toLower();
        // In this order, so unit-price fields ("_spprice" contains "price") end with the price format.
        if (field.contains(QStringLiteral("price")))
            column.displayFormat = session.TotalFormat;
        if (field.contains(QStringLiteral("_spprice")))
            column.displayFormat = session.PriceFormat;
        if (field.contains(QStringLiteral("amount")))
            column.displayFormat = session.AmountFormat;
        for (qsizetype i = 0; i < custom.size(); ++i)
            if (field.contains(custom.at(i)))
                column.caption = session.keyValue(int(i) + 1);
    }
}

} // namespace GridLayouts
