#include "ClientGenerator.h"

#include "db/Database.h"
#include "db/Transaction.h"

#include <QDate>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <memory>

bool generateClients(Database &database, qint64 count, quint32 seed, QString *error)
{
    static const QStringList cities {"北京", "上海", "广州", "深圳", "杭州", "南京", "苏州", "成都", "武汉", "西安",
                                     "重庆", "天津", "青岛", "厦门", "长沙", "郑州", "宁波", "无锡", "佛山", "东莞"};
    static const QStringList provinces {"北京市", "上海市", "广东省", "广东省", "浙江省", "江苏省", "江苏省",
                                        "四川省", "湖北省", "陕西省", "重庆市", "天津市", "山东省", "福建省",
                                        "湖南省", "河南省", "浙江省", "江苏省", "广东省", "广东省"};
    static const QStringList words {"华", "信", "达", "恒", "泰", "盛", "源", "丰", "瑞", "鑫", "宏", "远", "通", "联",
                                    "创", "新", "科", "技", "明", "德", "安", "康", "永", "福", "佳", "美", "金", "银"};
    static const QStringList trades {"科技", "贸易", "电子", "机械", "化工", "物流", "食品", "服饰", "建材", "医药"};
    static const QStringList surnames {"王", "李", "张", "刘", "陈", "杨", "赵", "黄", "周", "吴", "徐", "孙", "马"};
    static const QStringList given {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋", "勇", "艳", "杰"};
    static const QStringList types {"潜在客户", "意向客户", "成交客户", "重点客户", "合作伙伴"};

    QRandomGenerator random(seed);
    auto pick = [&random](const QStringList &list) {
        return list.at(int(random.bounded(quint32(list.size()))));
    };

    Transaction transaction(database);
    if (!transaction.isActive()) {
        *error = transaction.error();
        return false;
    }
    QSqlQuery query(database.connection());
    if (!query.prepare(QStringLiteral("INSERT INTO t_client (F_cltID, F_code, F_name, F_type, F_province, F_city, "
                                      "F_address, F_phone, F_movephone, "
                                      "F_empName, F_LXRname, F_useFlag, F_editdate, F_SZ1, F_hangye) VALUES (?, ?, ?, "
                                      "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))) {
        *error = query.lastError().text();
        return false;
    }
    const QDate first(2018, 1, 1);
    for (qint64 i = 1; i <= count; ++i) {
        const int city = int(random.bounded(quint32(cities.size())));
        const QString name = cities.at(city) + pick(words) + pick(words) + pick(trades) + QStringLiteral("有限公司");
        const QDate edited = first.addDays(random.bounded(3000));
        query.bindValue(0, i);
        query.bindValue(
            1,
            QString(edited.toString(QStringLiteral("yyyyMMdd")) + QString::number(i % 1000).rightJustified(3, u'0')));
        query.bindValue(2, name);
        query.bindValue(3, pick(types));
        query.bindValue(4, provinces.at(city));
        query.bindValue(5, cities.at(city));
        query.bindValue(
            6, QString(cities.at(city) + QStringLiteral("市%1路%2号").arg(pick(words)).arg(random.bounded(1, 999))));
        query.bindValue(7,
                        QStringLiteral("0%1-%2").arg(random.bounded(10, 999)).arg(random.bounded(10000000, 99999999)));
        query.bindValue(8, QStringLiteral("1%1").arg(random.bounded(3000000000u, 3999999999u)));
        query.bindValue(9, QString(pick(surnames) + pick(given)));
        query.bindValue(10, QString(pick(surnames) + pick(given) + pick(given)));
        query.bindValue(11, random.bounded(50) == 0);
        query.bindValue(12, edited);
        query.bindValue(13, double(random.bounded(1000000)) / 100.0);
        query.bindValue(14, QStringLiteral("\\\\制造业"));
        if (!query.exec()) {
            *error = query.lastError().text();
            return false;
        }
    }
    if (!transaction.commit()) {
        *error = transaction.error();
        return false;
    }
    return true;
}

bool generateClientRecords(Database &database, qint64 total, qint64 clients, quint32 seed, QString *error)
{
    static const QStringList statements {
        "INSERT INTO t_LXrec (F_cltID, F_date, F_caption, F_empName, F_mem) VALUES (?, ?, ?, ?, ?)",
        "INSERT INTO t_linkman (F_cltID, F_birthday, F_name, F_duty, F_mem) VALUES (?, ?, ?, ?, ?)",
        "INSERT INTO t_BJrec (F_cltID, F_date, F_GDname, F_unit, F_mem) VALUES (?, ?, ?, ?, ?)",
        "INSERT INTO t_HTrec (F_cltID, F_date, F_HTname, F_empName, F_mem) VALUES (?, ?, ?, ?, ?)",
        "INSERT INTO t_XSrec (F_cltID, F_date, F_code, F_operName, F_memo1) VALUES (?, ?, ?, ?, ?)",
        "INSERT INTO t_HFrec (F_cltID, F_date, F_empName, F_mem1, F_mem2) VALUES (?, ?, ?, ?, ?)",
        "INSERT INTO t_TSrec (F_cltID, F_date, F_EmpName, F_mem1, F_mem2) VALUES (?, ?, ?, ?, ?)",
        "INSERT INTO t_GooDrec (F_cltID, F_editdate, F_GDname, F_unit, F_mem) VALUES (?, ?, ?, ?, ?)",
        "INSERT INTO t_TXrec (F_cltID, F_AwokeDate, F_Caption, F_OperName, F_Mem1) VALUES (?, ?, ?, ?, ?)",
    };
    QRandomGenerator random(seed);
    Transaction transaction(database);
    if (!transaction.isActive()) {
        *error = transaction.error();
        return false;
    }
    QList<std::shared_ptr<QSqlQuery>> queries;
    for (const QString &sql : statements) {
        auto query = std::make_shared<QSqlQuery>(database.connection());
        if (!query->prepare(sql)) {
            *error = query->lastError().text();
            return false;
        }
        queries.append(query);
    }
    const QDate first(2020, 1, 1);
    for (qint64 i = 0; i < total; ++i) {
        const int kind = int(i % statements.size());
        QSqlQuery &query = *queries.at(kind);
        query.bindValue(0, qint64(random.bounded(quint64(clients))) + 1);
        query.bindValue(1, first.addDays(random.bounded(2000)));
        query.bindValue(
            2, kind == 4 ? QStringLiteral("XS%1").arg(i, 12, 10, QChar(u'0')) : QStringLiteral("记录%1").arg(i % 977));
        query.bindValue(3, QStringLiteral("张三"));
        query.bindValue(4, QStringLiteral("备注"));
        if (!query.exec()) {
            *error = query.lastError().text();
            return false;
        }
    }
    if (!transaction.commit()) {
        *error = transaction.error();
        return false;
    }
    return true;
}
