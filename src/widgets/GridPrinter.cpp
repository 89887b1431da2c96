#include "GridPrinter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>

namespace {

constexpr auto CellFamily = "WenQuanYi Micro Hei";
// The program's grids show their title row in this colour.
const QColor CaptionColour(255, 205, 155);
const QColor LineColour(160, 160, 160);
// Screen pixels of a saved column width, at 96 per inch.
constexpr qreal ScreenDpi = 96.0;
constexpr qreal Tall = 1e9;

QString marginFamily()
{
    const QStringList families = QFontDatabase::families();
    for (const QString &name : {QStringLiteral("宋体"), QStringLiteral("SimSun")}) {
        if (families.contains(name, Qt::CaseInsensitive))
            return name;
    }
    return QString::fromLatin1(CellFamily);
}

QFont makeFont(const QString &family, qreal points, bool bold, const QPaintDevice *device)
{
    QFont font;
    font.setFamilies({family});
    font.setPointSizeF(points);
    font.setBold(bold);
    return QFont(font, device);
}

// Word wrap, or anywhere when one word is wider than the cell (long numbers, e-mail addresses).
int wrapFlag(const QFontMetricsF &metrics, qreal width, const QString &text)
{
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, width, Tall), Qt::TextWordWrap, text);
    return bounds.width() > width + 0.5 ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
}

qreal wrappedHeight(const QFontMetricsF &metrics, qreal width, const QString &text)
{
    if (text.isEmpty() || width <= 0)
        return 0;
    return metrics.boundingRect(QRectF(0, 0, width, Tall), wrapFlag(metrics, width, text), text).height();
}

QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

qreal GridPrinter::PageLayout::tableTop(bool titled) const
{
    return headerHeight + (titled ? titleHeight : 0);
}

qreal GridPrinter::PageLayout::tableBottom() const
{
    return paintSize.height() - footerHeight;
}

int GridPrinter::PageLayout::rowsPerPage(bool titled) const
{
    const qreal room = tableBottom() - tableTop(titled) - captionHeight;
    return std::max(1, int(std::floor(room / lineHeight + 1e-6)));
}

GridPrinter::GridPrinter(Options options)
    : m_options(std::move(options))
{
}

GridPrinter::PageLayout GridPrinter::layout(const QList<GridColumn> &columns, const QPageLayout &page,
                                            int resolution) const
{
    PageLayout l;
    l.resolution = resolution;
    l.paintSize = page.paintRectPixels(resolution).size().toSizeF();

    // Fonts made for an image of the device's resolution measure as they print there.
    QImage device(1, 1, QImage::Format_ARGB32);
    const int dotsPerMeter = qRound(resolution / 0.0254);
    device.setDotsPerMeterX(dotsPerMeter);
    device.setDotsPerMeterY(dotsPerMeter);
    const QString cellFamily = QString::fromLatin1(CellFamily);
    l.cellFont = makeFont(cellFamily, 9, false, &device);
    l.captionFont = makeFont(cellFamily, 9, true, &device);
    l.titleFont = makeFont(marginFamily(), 14, true, &device);
    l.marginFont = makeFont(marginFamily(), 9, false, &device);

    l.wrap = m_options.fit == FitWrapped;
    l.coloured = m_options.fit == FitWrapped;
    l.padding = l.millimetres(1);
    l.vpadding = l.millimetres(0.8);
    l.lineHeight = QFontMetricsF(l.cellFont).height() + 2 * l.vpadding;
    const qreal gap = l.millimetres(2);
    l.headerHeight = QFontMetricsF(l.marginFont).height() + gap;
    l.footerHeight = l.headerHeight;
    if (!m_options.title.trimmed().isEmpty())
        l.titleHeight = 3 * QFontMetricsF(l.titleFont).height();

    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).visible)
            l.columns.append(i);
    }
    const qreal pageWidth = l.paintSize.width();
    if (m_options.fit == FitWrapped || m_options.fit == FitProportional) {
        qreal total = 0;
        for (int index : std::as_const(l.columns))
            total += std::max(1, columns.at(index).width);
        qreal sum = 0;
        for (int index : std::as_const(l.columns)) {
            const qreal left = pageWidth * sum / total;
            sum += std::max(1, columns.at(index).width);
            l.x.append(left);
            l.widths.append(pageWidth * sum / total - left);
            l.bands.append(0);
        }
    } else {
        // Columns that do not fit go on the following pages; one wider than the page is cut.
        int band = 0;
        qreal left = 0;
        for (int index : std::as_const(l.columns)) {
            const qreal width = std::min(pageWidth, columns.at(index).width * resolution / ScreenDpi);
            if (left > 0 && left + width > pageWidth + 0.01) {
                ++band;
                left = 0;
            }
            l.x.append(left);
            l.widths.append(width);
            l.bands.append(band);
            left += width;
        }
        l.bandCount = band + 1;
    }

    l.captionHeight = l.lineHeight;
    if (l.wrap) {
        const QFontMetricsF metrics(l.captionFont);
        for (int i = 0; i < l.columns.size(); ++i) {
            const qreal height
                = wrappedHeight(metrics, l.widths.at(i) - 2 * l.padding, columns.at(l.columns.at(i)).caption);
            l.captionHeight = std::max(l.captionHeight, height + 2 * l.vpadding);
        }
    }
    return l;
}

QStringList GridPrinter::rowTexts(const PageLayout &layout, const QList<GridColumn> &columns,
                                  const QVariantList &values)
{
    QStringList texts;
    texts.reserve(layout.columns.size());
    for (int index : layout.columns)
        texts.append(GridFormat::displayText(columns.at(index), values.value(index)));
    return texts;
}

qreal GridPrinter::rowHeight(const PageLayout &layout, const QStringList &texts)
{
    if (!layout.wrap)
        return layout.lineHeight;
    const QFontMetricsF metrics(layout.cellFont);
    qreal height = layout.lineHeight;
    for (int i = 0; i < texts.size() && i < layout.widths.size(); ++i) {
        const qreal text = wrappedHeight(metrics, layout.widths.at(i) - 2 * layout.padding, texts.at(i));
        height = std::max(height, text + 2 * layout.vpadding);
    }
    return height;
}

QString GridPrinter::pageHeaderText() const
{
    return m_options.header.trimmed().isEmpty() ? QString() : m_options.header;
}

QString GridPrinter::pageFooterText() const
{
    const QString footer = m_options.footer.trimmed();
    if (footer.compare(QStringLiteral("date"), Qt::CaseInsensitive) == 0)
        return tr("打印日期：") + m_options.today.toString(QStringLiteral("yyyy年MM月dd日"));
    return footer.isEmpty() ? QString() : m_options.footer;
}

QString GridPrinter::pageNumberText(int page, int count)
{
    return tr("第 %1 页 / 共 %2 页").arg(page).arg(count);
}

bool GridPrinter::paginate(GridSource &source, const PageLayout &layout, QString *error)
{
    m_columns = source.columns();
    m_pages.clear();
    m_bandCount = layout.bandCount;

    m_footerTexts.clear();
    bool anyFooter = false;
    for (int index : layout.columns) {
        m_footerTexts.append(source.footerText(index));
        anyFooter = anyFooter || !m_footerTexts.constLast().isEmpty();
    }
    if (!anyFooter)
        m_footerTexts.clear();

    PageInfo current;
    current.title = true;
    qreal y = layout.tableTop(true) + layout.captionHeight;
    qint64 row = 0;
    // A row that does not fit starts the next page; a page always takes at least one row.
    const auto place = [&](qreal height) {
        if (current.rows > 0 && y + height > layout.tableBottom() + 0.01) {
            m_pages.append(current);
            current = PageInfo {row, 0, false, false};
            y = layout.tableTop(false) + layout.captionHeight;
        }
        y += height;
    };
    const bool ok = source.forEachRow([&](const QVariantList &values) {
        place(layout.wrap ? rowHeight(layout, rowTexts(layout, m_columns, values)) : layout.lineHeight);
        ++current.rows;
        ++row;
        return true;
    });
    if (!ok) {
        m_pages.clear();
        if (error)
            *error = source.lastError();
        return false;
    }
    if (!m_footerTexts.isEmpty()) {
        place(rowHeight(layout, m_footerTexts));
        current.footerRow = true;
    }
    m_pages.append(current);
    return true;
}

bool GridPrinter::print(GridSource &source, QPagedPaintDevice &device, QString *error)
{
    const PageLayout pageLayout = layout(source.columns(), device.pageLayout(), device.logicalDpiY());
    if (!paginate(source, pageLayout, error))
        return false;

    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = tr("无法开始打印");
        return false;
    }
    int pageNumber = 0;
    qsizetype next = 0; // the next page down the list
    bool failed = false;
    QList<QStringList> rows;
    QList<qreal> heights;
    const auto flush = [&] {
        for (int band = 0; band < m_bandCount && !failed; ++band) {
            if (pageNumber > 0 && !device.newPage()) {
                failed = true;
                break;
            }
            paintPage(painter, pageLayout, m_pages.at(next), band, rows, heights, ++pageNumber);
        }
        rows.clear();
        heights.clear();
        ++next;
    };
    const bool read = source.forEachRow([&](const QVariantList &values) {
        // The list may have grown since it was paginated: the pages decided stay as they are.
        if (next >= m_pages.size() || failed)
            return false;
        rows.append(rowTexts(pageLayout, m_columns, values));
        heights.append(rowHeight(pageLayout, rows.constLast()));
        if (rows.size() >= m_pages.at(next).rows)
            flush();
        return true;
    });
    while (read && !failed && next < m_pages.size())
        flush();
    painter.end();
    if (!read) {
        if (error)
            *error = source.lastError();
        return false;
    }
    if (failed) {
        if (error)
            *error = tr("无法开始新的一页");
        return false;
    }
    return true;
}

void GridPrinter::paintPage(QPainter &painter, const PageLayout &layout, const PageInfo &page, int band,
                            const QList<QStringList> &rows, const QList<qreal> &heights, int pageNumber) const
{
    const qreal width = layout.paintSize.width();
    const qreal height = layout.paintSize.height();
    painter.setClipping(false);
    painter.setPen(Qt::black);

    painter.setFont(layout.marginFont);
    const QString header = pageHeaderText();
    if (!header.isEmpty())
        painter.drawText(QRectF(0, 0, width, layout.headerHeight), Qt::AlignLeft | Qt::AlignTop, header);
    const QRectF footerBand(0, height - layout.footerHeight, width, layout.footerHeight);
    painter.drawText(footerBand, Qt::AlignHCenter | Qt::AlignBottom, pageNumberText(pageNumber, pageCount()));
    const QString footer = pageFooterText();
    if (!footer.isEmpty())
        painter.drawText(footerBand, Qt::AlignRight | Qt::AlignBottom, footer);

    if (page.title && layout.titleHeight > 0) {
        const qreal line = layout.titleHeight / 3;
        painter.setFont(layout.titleFont);
        painter.drawText(QRectF(0, layout.headerHeight + line, width, line), Qt::AlignCenter, m_options.title);
    }

    qreal right = 0;
    for (int i = 0; i < layout.columns.size(); ++i) {
        if (layout.bands.at(i) == band)
            right = std::max(right, layout.x.at(i) + layout.widths.at(i));
    }
    if (right <= 0)
        return;

    const qreal top = layout.tableTop(page.title);
    const qreal bottom = layout.tableBottom();
    // A row taller than a whole page is cut at the bottom of the table.
    const qreal edge = layout.millimetres(0.5); // room for the outer lines
    painter.setClipRect(QRectF(-edge, top - edge, width + 2 * edge, bottom - top + 2 * edge));
    QList<qreal> lines {top};

    if (layout.coloured)
        painter.fillRect(QRectF(0, top, right, layout.captionHeight), CaptionColour);
    painter.setFont(layout.captionFont);
    const QFontMetricsF captionMetrics(layout.captionFont);
    for (int i = 0; i < layout.columns.size(); ++i) {
        if (layout.bands.at(i) != band)
            continue;
        const QRectF cell = QRectF(layout.x.at(i), top, layout.widths.at(i), layout.captionHeight)
                                .adjusted(layout.padding, layout.vpadding, -layout.padding, -layout.vpadding);
        const QString caption = m_columns.at(layout.columns.at(i)).caption;
        if (layout.wrap)
            painter.drawText(cell, Qt::AlignCenter | wrapFlag(captionMetrics, cell.width(), caption), caption);
        else
            painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine,
                             captionMetrics.elidedText(oneLine(caption), Qt::ElideRight, cell.width()));
    }
    qreal y = top + layout.captionHeight;
    lines.append(y);

    for (int r = 0; r < rows.size() && y < bottom; ++r) {
        const qreal rowHeight = std::min(heights.at(r), bottom - y);
        paintRow(painter, layout, band, y, rowHeight, rows.at(r));
        y += rowHeight;
        lines.append(y);
    }
    if (page.footerRow && !m_footerTexts.isEmpty() && y < bottom) {
        const qreal rowHeight = std::min(GridPrinter::rowHeight(layout, m_footerTexts), bottom - y);
        paintRow(painter, layout, band, y, rowHeight, m_footerTexts);
        y += rowHeight;
        lines.append(y);
    }

    QPen pen(LineColour);
    pen.setWidthF(layout.millimetres(0.15));
    painter.setPen(pen);
    for (qreal line : std::as_const(lines))
        painter.drawLine(QPointF(0, line), QPointF(right, line));
    for (int i = 0; i < layout.columns.size(); ++i) {
        if (layout.bands.at(i) == band)
            painter.drawLine(QPointF(layout.x.at(i), top), QPointF(layout.x.at(i), y));
    }
    painter.drawLine(QPointF(right, top), QPointF(right, y));
}

void GridPrinter::paintRow(QPainter &painter, const PageLayout &layout, int band, qreal top, qreal height,
                           const QStringList &texts) const
{
    painter.setFont(layout.cellFont);
    const QFontMetricsF metrics(layout.cellFont);
    for (int i = 0; i < layout.columns.size() && i < texts.size(); ++i) {
        if (layout.bands.at(i) != band || texts.at(i).isEmpty())
            continue;
        const QRectF cell = QRectF(layout.x.at(i), top, layout.widths.at(i), height)
                                .adjusted(layout.padding, layout.vpadding, -layout.padding, -layout.vpadding);
        if (cell.width() <= 0)
            continue;
        const Qt::Alignment alignment = m_columns.at(layout.columns.at(i)).qtAlignment();
        const QString &text = texts.at(i);
        if (layout.wrap)
            painter.drawText(cell, int(alignment) | wrapFlag(metrics, cell.width(), text), text);
        else
            painter.drawText(cell, int(alignment) | Qt::TextSingleLine,
                             metrics.elidedText(oneLine(text), Qt::ElideRight, cell.width()));
    }
}
