#pragma once

#include <QString>

#include <memory>

class AppContext;
class GridSource;
class QPrintPreviewDialog;
class QWidget;

// The print preview of a grid (caption "打印预览"), rendered by GridPrinter on A4 portrait, with
// "导出PDF" (objectName actExportPdf) on its tool bar. Built without being shown, so a test can drive
// it; the source and the context must outlive the dialog.
std::unique_ptr<QPrintPreviewDialog> makeGridPreview(QWidget *parent, GridSource &source, const QString &title, int fit,
                                                     const QString &footer, const QString &header, AppContext &context);

// Shows the print preview of a grid until it is closed. fit 0: fit to the page width, coloured
// titles, rows grow with their text; 1: fit to the page width; other values keep the columns'
// widths. A non-blank header is the page header's left text, a non-blank footer the page footer's
// right text ("date" prints the date of today).
void PrintGrid(QWidget *parent, GridSource &source, const QString &title, int fit, const QString &footer,
               const QString &header, AppContext &context);
