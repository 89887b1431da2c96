#pragma once

#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class DataServices;

// What every node of a category tree carries. The root is not stored: code "000", its caption as
// name, two backslashes as path.
struct TreeNodeData
{
    int CodeLength = 0;
    QString Code;
    QString Name;
    QString Path;
};

struct TreeNode
{
    TreeNodeData data;
    TreeNode *parent = nullptr;
    std::vector<std::unique_ptr<TreeNode>> children;
    bool expanded = false;

    int level() const; // 0 for the root
    TreeNode *addChild(TreeNodeData childData);
};

namespace CategoryTree {

// Builds the tree from rows ordered by code, as LoadTree does: a longer code goes under the
// previous node, an equal one beside it, a shorter one beside the ancestor of its length. A code
// whose parent is missing hangs under its nearest shorter ancestor instead of breaking the tree.
std::unique_ptr<TreeNode> build(const QString &rootCaption, const QList<TreeNodeData> &rowsByCode);

// Reads the tree `flag` from t_treecode; nothing when the read failed (already reported).
std::unique_ptr<TreeNode> LoadTree(DataServices &data, const QString &rootCaption, const QString &flag);

// The path of names stored as F_likecode: "\\" + level-1 name + "\" + each deeper name.
// Mode 1 starts at the node, mode 2 at its parent; empty when that start is the root.
QString GetTreePath(const TreeNode &node, int mode);

// Nodes whose stored path equals `path` exactly.
QList<const TreeNode *> findByPath(const TreeNode &root, const QString &path);

} // namespace CategoryTree
