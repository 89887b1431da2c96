#pragma once

#include <QString>

class AppContext;
class GridSource;
class QWidget;

// Exports a grid to <title>-yyyyMMdd-HHmmss.xlsx in the home's exports folder, with a progress
// dialog for long lists, and opens the file (or says where it is). A failure is shown to the
// user; a cancelled export shows nothing. True when the file was written.
bool ExportGridToExcel(QWidget *parent, GridSource &source, const QString &title, AppContext &context);
