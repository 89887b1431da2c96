#include "GridExport.h"

#include "GridExporter.h"
#include "app/AppContext.h"
#include "core/Desktop.h"
#include "core/Prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

#include <limits>
#include <memory>

namespace {

// Lists longer than this take long enough to show their progress.
constexpr qint64 ProgressDialogRows = 2000;

// The title as a file name: the sheet-name rules already remove the path separators; the rest
// are characters other systems refuse in names.
QString fileBaseName(const QString &title)
{
    QString name = GridExporter::sheetName(title);
    for (QChar &c : name) {
        if (QStringView(u"\"<>|").contains(c))
            c = u'_';
    }
    return name;
}

} // namespace

bool ExportGridToExcel(QWidget *parent, GridSource &source, const QString &title, AppContext &context)
{
    Prompter &prompter = context.prompter();
    const QString folder = context.home().exportsFolder();
    if (!QDir().mkpath(folder)) {
        prompter.ShowMess(QStringLiteral("导出Excel文件失败：") + QStringLiteral("无法创建目录 ")
                              + QDir::toNativeSeparators(folder),
                          MessageKind::Error);
        return false;
    }
    // Two exports within one second must not overwrite each other.
    const QString stem = folder + u'/' + fileBaseName(title) + u'-'
        + context.clock().now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = stem + QStringLiteral(".xlsx");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + u'-' + QString::number(n) + QStringLiteral(".xlsx");

    const qint64 rows = source.rowCount();
    std::unique_ptr<QProgressDialog> dialog;
    if (rows < 0 || rows > ProgressDialogRows) {
        dialog = std::make_unique<QProgressDialog>(
            QCoreApplication::translate("GridExport", "正在导出Excel文件..."),
            QCoreApplication::translate("GridExport", "取消"), 0,
            rows < 0 ? 0 : int(std::min<qint64>(rows, std::numeric_limits<int>::max())), parent);
        dialog->setObjectName(QStringLiteral("dlgExportProgress"));
        dialog->setWindowTitle(QCoreApplication::translate("GridExport", "导出Excel"));
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setMinimumDuration(0);
        dialog->setAutoClose(false);
        dialog->setAutoReset(false);
    }
    bool cancelled = false;
    const auto progress = [&](qint64 done, qint64 total) {
        if (dialog) {
            if (total > 0)
                dialog->setValue(int(std::min<qint64>(done, dialog->maximum())));
            QCoreApplication::processEvents();
            cancelled = dialog->wasCanceled();
        }
        return !cancelled;
    };

    GridExporter exporter;
    QString error;
    const bool written = exporter.write(source, title, path, progress, &error);
    dialog.reset();
    if (!written) {
        if (!cancelled)
            prompter.ShowMess(QStringLiteral("导出Excel文件失败：") + error, MessageKind::Error);
        return false;
    }
    Desktop *desktop = context.desktop();
    if (!desktop || !desktop->openFile(path))
        prompter.ShowMess(QStringLiteral("Excel文件已导出到：") + QDir::toNativeSeparators(path),
                          MessageKind::Information);
    return true;
}
