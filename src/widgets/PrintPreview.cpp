#include "PrintPreview.h"

#include "GridPrinter.h"
#include "app/AppContext.h"
#include "core/Prompter.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace {

// The preview paginates as the exported PDF does (both are PDF engines on this platform).
constexpr int Resolution = 1200;

class GridPreview
{
    Q_DECLARE_TR_FUNCTIONS(GridPreview)
public:
    static bool writePdf(const QString &fileName, const QPageLayout &pageLayout, GridSource &source,
                         const GridPrinter::Options &options, QString *reason)
    {
        // QPrinter only warns on the console when the file cannot be written; the reason is shown.
        {
            QFile probe(fileName);
            if (!probe.open(QIODevice::WriteOnly)) {
                *reason = probe.errorString();
                return false;
            }
        }
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(fileName);
        printer.setResolution(Resolution);
        printer.setPageLayout(pageLayout);
        printer.setDocName(options.title);
        GridPrinter gridPrinter(options);
        if (!gridPrinter.print(source, printer, reason)) {
            QFile::remove(fileName);
            return false;
        }
        return true;
    }

    static void exportPdf(QPrintPreviewDialog *dialog, GridSource &source, const GridPrinter::Options &options,
                          AppContext &context)
    {
        const QString folder = context.home().exportsFolder();
        QDir().mkpath(folder);
        QString fileName = context.prompter().chooseSaveFile(tr("导出PDF"), folder, tr("PDF文件 (*.pdf)"));
        if (fileName.isEmpty())
            return;
        if (QFileInfo(fileName).suffix().isEmpty())
            fileName += QStringLiteral(".pdf");
        QString reason;
        if (!writePdf(fileName, dialog->printer()->pageLayout(), source, options, &reason))
            context.prompter().ShowMess(tr("导出PDF文件失败：") + reason, MessageKind::Error);
    }

    static void render(QPrinter *printer, GridSource &source, const GridPrinter::Options &options, AppContext &context)
    {
        GridPrinter gridPrinter(options);
        QString error;
        if (!gridPrinter.print(source, *printer, &error))
            context.prompter().ShowMess(tr("打印失败：") + error, MessageKind::Error);
    }

    static QString caption() { return tr("打印预览"); }
    static QString exportText() { return tr("导出PDF"); }
};

} // namespace

std::unique_ptr<QPrintPreviewDialog> makeGridPreview(QWidget *parent, GridSource &source, const QString &title, int fit,
                                                     const QString &footer, const QString &header, AppContext &context)
{
    GridPrinter::Options options;
    options.title = title;
    options.fit = fit;
    options.footer = footer;
    options.header = header;
    options.today = context.clock().today();

    auto dialog = std::make_unique<QPrintPreviewDialog>(parent);
    dialog->setWindowTitle(GridPreview::caption());
    QPrinter *printer = dialog->printer();
    printer->setResolution(Resolution);
    printer->setDocName(title);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                       QPageLayout::Millimeter));

    QPrintPreviewDialog *preview = dialog.get();
    QObject::connect(
        preview, &QPrintPreviewDialog::paintRequested, preview,
        [&source, options, &context](QPrinter *target) { GridPreview::render(target, source, options, context); });

    auto *exportAction = new QAction(GridPreview::exportText(), preview);
    exportAction->setObjectName(QStringLiteral("actExportPdf"));
    QObject::connect(exportAction, &QAction::triggered, preview, [preview, &source, options, &context] {
        GridPreview::exportPdf(preview, source, options, context);
    });
    if (auto *toolBar = preview->findChild<QToolBar *>()) {
        toolBar->addSeparator();
        toolBar->addAction(exportAction);
    } else {
        preview->addAction(exportAction);
    }
    return dialog;
}

void PrintGrid(QWidget *parent, GridSource &source, const QString &title, int fit, const QString &footer,
               const QString &header, AppContext &context)
{
    const std::unique_ptr<QPrintPreviewDialog> dialog
        = makeGridPreview(parent, source, title, fit, footer, header, context);
    dialog->exec();
}
