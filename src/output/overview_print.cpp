#include "output/overview_print.h"

#include "base/twips.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTableWidget>

namespace briqo {

namespace {

constexpr double TwipsPerInch = 1440;
constexpr double CaptionPoints = 10;
constexpr double RowPoints = 8;
constexpr double LineTwips = 10; // a thin line, half a point

// Draws in twips on a printer whose device unit is one dot.
class TwipsPainter {
public:
    explicit TwipsPainter(QPrinter &printer)
        : m_printer(printer)
        , m_dotsPerTwip(printer.resolution() / TwipsPerInch)
    { }

    bool begin() { return m_painter.begin(&m_printer); }
    void end() { m_painter.end(); }
    bool newPage() { return m_printer.newPage(); }

    double dots(double twips) const { return twips * m_dotsPerTwip; }
    double twips(double dots) const { return dots / m_dotsPerTwip; }

    double pageHeight() const { return twips(m_printer.pageLayout().paintRectPixels(m_printer.resolution()).height()); }

    void setFontSize(double points)
    {
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(points);
        font.setBold(false);
        m_painter.setFont(font);
        m_painter.setPen(QPen(Qt::black, dots(LineTwips)));
        m_metrics = QFontMetricsF(font, &m_printer);
    }
    double textWidth(const QString &text) const { return twips(m_metrics.horizontalAdvance(text)); }
    double textHeight() const { return twips(m_metrics.height()); }

    // The text with its cell's top-left corner at (x, y), as a printed line is placed.
    void text(double x, double y, const QString &text)
    {
        m_painter.drawText(QPointF(dots(x), dots(y) + m_metrics.ascent()), text);
    }
    void rectangle(double x1, double y1, double x2, double y2)
    {
        m_painter.drawRect(QRectF(QPointF(dots(x1), dots(y1)), QPointF(dots(x2), dots(y2))));
    }

private:
    QPrinter &m_printer;
    double m_dotsPerTwip;
    QPainter m_painter;
    QFontMetricsF m_metrics {QFont()};
};

// The caption and one empty line; returns the top of the line after them.
double printCaption(TwipsPainter &out, const QString &caption)
{
    out.setFontSize(CaptionPoints);
    out.text(OverviewPageLayout::Left, OverviewPageLayout::CaptionTop, caption);
    const double next = OverviewPageLayout::CaptionTop + 2 * out.textHeight();
    out.setFontSize(RowPoints);
    return next;
}

void printRow(TwipsPainter &out, const QTableWidget &grid, int r, double y)
{
    const double h = grid.rowHeight(r) * TwipsPerPixel;
    double x = OverviewPageLayout::Left;
    for (int c = 0; c < grid.columnCount(); ++c) {
        const QTableWidgetItem *item = grid.item(r, c);
        const QString t = item ? item->text() : QString();
        const double w = grid.columnWidth(c) * TwipsPerPixel;
        out.rectangle(x, y, x + w, y + h + OverviewPageLayout::RowGap);
        // The game and the declarer are centred in their cells, the contract starts at the left.
        const double left = c < 2 ? x + std::floor((w - out.textWidth(t)) / 2) : x + OverviewPageLayout::TextInset;
        out.text(left, y + std::floor((h - out.textHeight()) / 2) + 16, t);
        x += w;
    }
}

} // namespace

QList<PrintedRow> overviewPrintPlan(int rowCount, double firstTop, double restartTop, double rowStep, double pageHeight)
{
    QList<PrintedRow> plan;
    plan.reserve(rowCount);
    int page = 0;
    double y = firstTop;
    for (int r = 0; r < rowCount; ++r) {
        plan.append({page, y});
        y += rowStep;
        if (y + OverviewPageLayout::BottomReserve >= pageHeight && r + 1 < rowCount) {
            ++page;
            y = restartTop;
        }
    }
    return plan;
}

bool printOverview(QPrinter &printer, const QTableWidget &grid, const QString &caption)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    TwipsPainter out(printer);
    if (!out.begin())
        return false;

    const double rowStep = grid.rowCount() > 0 ? grid.rowHeight(0) * TwipsPerPixel + OverviewPageLayout::RowGap : 0;
    // A printer that makes the copies itself gets the document once.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0 && !out.newPage())
            return false;
        const double firstTop = printCaption(out, caption);
        const QList<PrintedRow> plan
            = overviewPrintPlan(grid.rowCount(), firstTop, firstTop, rowStep, out.pageHeight());
        int page = 0;
        for (int r = 0; r < plan.size(); ++r) {
            if (plan[r].page != page) {
                page = plan[r].page;
                if (!out.newPage())
                    return false;
                printCaption(out, caption);
            }
            printRow(out, grid, r, plan[r].top);
        }
    }
    out.end();
    return true;
}

} // namespace briqo
