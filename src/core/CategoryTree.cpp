#include "CategoryTree.h"

#include "db/DataServices.h"
#include "db/Database.h"

#include <QSqlQuery>

int TreeNode::level() const
{
    int n = 0;
    for (const TreeNode *p = parent; p; p = p->parent)
        ++n;
    return n;
}

TreeNode *TreeNode::addChild(TreeNodeData childData)
{
    auto child = std::make_unique<TreeNode>();
    child->data = std::move(childData);
    child->parent = this;
    children.push_back(std::move(child));
    return children.back().get();
}

namespace CategoryTree {

std::unique_ptr<TreeNode> build(const QString &rootCaption, const QList<TreeNodeData> &rowsByCode)
{
    auto root = std::make_unique<TreeNode>();
    root->data = {0, QStringLiteral("000"), rootCaption, QStringLiteral("\\\\")};
    TreeNode *previous = root.get();
    for (TreeNodeData row : rowsByCode) {
        row.CodeLength = int(row.Code.size());
        // The new node's parent is the nearest node on the previous node's chain that is shorter.
        TreeNode *parent = previous;
        while (parent->parent && parent->data.CodeLength >= row.CodeLength)
            parent = parent->parent;
        TreeNode *node = parent->addChild(std::move(row));
        if (node->level() == 1)
            node->expanded = true;
        previous = node;
    }
    return root;
}

std::unique_ptr<TreeNode> LoadTree(DataServices &data, const QString &rootCaption, const QString &flag)
{
    QSqlQuery query(data.database().connection());
    query.setForwardOnly(true);
    const QString sql = QStringLiteral("SELECT F_code, F_name, F_likecode FROM t_treecode WHERE %1 ORDER BY F_code")
                            .arg(data.database().dialect().equalsIgnoreCase(QStringLiteral("F_flag")));
    if (!data.OpenQuery(query, sql, {flag}))
        return nullptr;
    QList<TreeNodeData> rows;
    while (query.next())
        rows.append({0, query.value(0).toString(), query.value(1).toString(), query.value(2).toString()});
    return build(rootCaption, rows);
}

QString GetTreePath(const TreeNode &node, int mode)
{
    const TreeNode *current = mode == 2 ? node.parent : &node;
    if (!current || !current->parent)
        return {};
    QString path = u'\\' + current->data.Name;
    while (current->level() > 1) {
        current = current->parent;
        path = u'\\' + current->data.Name + path;
    }
    return u'\\' + path;
}

QList<const TreeNode *> findByPath(const TreeNode &root, const QString &path)
{
    QList<const TreeNode *> found;
    std::vector<const TreeNode *> stack {&root};
    while (!stack.empty()) {
        const TreeNode *node = stack.back();
        stack.pop_back();
        if (node->parent && node->data.Path == path)
            found.append(node);
        for (auto it = node->children.rbegin(); it != node->children.rend(); ++it)
            stack.push_back(it->get());
    }
    return found;
}

} // namespace CategoryTree
