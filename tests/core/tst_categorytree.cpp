#include "core/CategoryTree.h"

#include <QTest>

using namespace CategoryTree;

namespace {

QList<TreeNodeData> rows(const QStringList &codesAndNames)
{
    QList<TreeNodeData> list;
    for (const QString &item : codesAndNames) {
        const QStringList parts = item.split(u'=');
        list.append({0, parts.at(0), parts.at(1), QString()});
    }
    return list;
}

// "name(child,child(grandchild))" — the shape of the tree for comparison.
QString shape(const TreeNode &node)
{
    QString text = node.data.Name;
    if (!node.children.empty()) {
        QStringList parts;
        for (const auto &child : node.children)
            parts.append(shape(*child));
        text += u'(' + parts.join(u',') + u')';
    }
    return text;
}

} // namespace

class TestCategoryTree : public QObject
{
    Q_OBJECT
private slots:
    void build_data();
    void build();
    void rootData();
    void paths();
};

void TestCategoryTree::build_data()
{
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QStringList() << "行业";
    QTest::newRow("siblings and children")
        << QStringList {"001=工业", "001001=机械", "001002=化工", "002=商业"} << "行业(工业(机械,化工),商业)";
    QTest::newRow("climbs two levels") << QStringList {"001=A", "001001=B", "001001001=C", "002=D", "002001=E"}
                                       << "行业(A(B(C)),D(E))";
    QTest::newRow("missing parent stays inside the tree")
        << QStringList {"001=A", "002001001=X", "003=B"} << "行业(A(X),B)";
}

void TestCategoryTree::build()
{
    QFETCH(QStringList, input);
    QFETCH(QString, expected);
    const auto root = CategoryTree::build(QStringLiteral("行业"), rows(input));
    QCOMPARE(shape(*root), expected);
}

void TestCategoryTree::rootData()
{
    const auto root = CategoryTree::build(QStringLiteral("客户行业类别"), rows({"001=工业", "001001=机械"}));
    QCOMPARE(root->data.Code, QStringLiteral("000"));
    QCOMPARE(root->data.CodeLength, 0);
    QCOMPARE(root->data.Path, QStringLiteral("\\\\"));
    const TreeNode &level1 = *root->children.front();
    QVERIFY(level1.expanded);
    QCOMPARE(level1.data.CodeLength, 3);
    QVERIFY(!level1.children.front()->expanded);
}

void TestCategoryTree::paths()
{
    QList<TreeNodeData> data = rows({"001=工业", "001001=机械", "001001001=机床"});
    data[1].Path = QStringLiteral("\\\\工业\\机械");
    const auto root = CategoryTree::build(QStringLiteral("行业"), data);
    const TreeNode &industry = *root->children.front();
    const TreeNode &machines = *industry.children.front();
    const TreeNode &tools = *machines.children.front();
    QCOMPARE(GetTreePath(industry, 1), QStringLiteral("\\\\工业"));
    QCOMPARE(GetTreePath(tools, 1), QStringLiteral("\\\\工业\\机械\\机床"));
    QCOMPARE(GetTreePath(tools, 2), QStringLiteral("\\\\工业\\机械"));
    QCOMPARE(GetTreePath(industry, 2), QString());
    QCOMPARE(GetTreePath(*root, 1), QString());
    const auto found = findByPath(*root, QStringLiteral("\\\\工业\\机械"));
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.front(), &machines);
}

QTEST_APPLESS_MAIN(TestCategoryTree)
#include "tst_categorytree.moc"
