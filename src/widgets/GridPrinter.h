#pragma once

#include "GridColumn.h"

#include <QCoreApplication>
#include <QDate>
#include <QFont>
#include <QList>
#include <QPageLayout>
#include <QSizeF>
#include <QStringList>

class QPagedPaintDevice;
class QPainter;

// Prints the visible columns of a grid, in the source's order, onto a paged device: page header
// and footer, the title lines, the column titles on every page, the rows and the grid's footer
// row. The rows are read twice, once to paginate (so "共 N 页" is known on the first page) and
// once to paint; only one page of row texts is held at a time.
class GridPrinter
{
    Q_DECLARE_TR_FUNCTIONS(GridPrinter)
public:
    // The fit argument of PrintGrid. Any value other than 0 and 1 keeps the columns' widths.
    enum Fit { FitWrapped = 0, FitProportional = 1, FitKeepWidths = 2 };

    struct Options
    {
        QString title;
        int fit = FitWrapped;
        QString header; // page header, left
        QString footer; // page footer, right; "date" prints the date of today
        QDate today;
    };

    // Where everything goes on a page, in device units. The origin is the top-left corner of the
    // printable area (inside the margins). Fonts carry the device resolution, so their metrics
    // are the device's.
    struct PageLayout
    {
        qreal resolution = 0; // device units per inch
        QSizeF paintSize;
        QFont cellFont;
        QFont captionFont;
        QFont titleFont;
        QFont marginFont; // page header and footer
        bool wrap = false; // cell texts wrap and grow their row; else one line, elided
        bool coloured = false;
        qreal padding = 0; // left and right of a cell's text
        qreal vpadding = 0; // above and below it
        qreal lineHeight = 0; // a one-line row
        qreal captionHeight = 0;
        qreal headerHeight = 0;
        qreal footerHeight = 0;
        qreal titleHeight = 0; // the three title lines; 0 without a title

        QList<int> columns; // source index of each printed column
        QList<qreal> x; // left edge of each printed column within its band
        QList<qreal> widths;
        QList<int> bands; // the horizontal page of each printed column
        int bandCount = 1;

        // Top of the column title row, and bottom of the space for rows.
        qreal tableTop(bool titled) const;
        qreal tableBottom() const;
        // How many one-line rows fit under the column titles.
        int rowsPerPage(bool titled) const;
        qreal millimetres(qreal mm) const { return mm * resolution / 25.4; }
    };

    // One page down the list (each is printed once per band).
    struct PageInfo
    {
        qint64 firstRow = 0;
        int rows = 0;
        bool title = false;
        bool footerRow = false;
    };

    explicit GridPrinter(Options options);

    const Options &options() const { return m_options; }

    PageLayout layout(const QList<GridColumn> &columns, const QPageLayout &page, int resolution) const;

    // The printed texts of a row, one per printed column.
    static QStringList rowTexts(const PageLayout &layout, const QList<GridColumn> &columns, const QVariantList &values);
    // The height a row of `texts` takes (grows with wrapped text when the layout wraps).
    static qreal rowHeight(const PageLayout &layout, const QStringList &texts);

    QString pageHeaderText() const;
    QString pageFooterText() const;
    static QString pageNumberText(int page, int count);

    // Reads the rows once and decides the pages; pages() and pageCount() tell the result.
    bool paginate(GridSource &source, const PageLayout &layout, QString *error = nullptr);
    // Paginates and paints on the device's page layout.
    bool print(GridSource &source, QPagedPaintDevice &device, QString *error = nullptr);

    const QList<PageInfo> &pages() const { return m_pages; }
    int pageCount() const { return int(m_pages.size()) * m_bandCount; }

private:
    void paintPage(QPainter &painter, const PageLayout &layout, const PageInfo &page, int band,
                   const QList<QStringList> &rows, const QList<qreal> &heights, int pageNumber) const;
    void paintRow(QPainter &painter, const PageLayout &layout, int band, qreal top, qreal height,
                  const QStringList &texts) const;

    Options m_options;
    QList<GridColumn> m_columns;
    QStringList m_footerTexts; // empty when the grid has no footer row
    QList<PageInfo> m_pages;
    int m_bandCount = 1;
};
