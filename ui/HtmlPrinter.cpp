#include "ui/HtmlPrinter.h"

#include "ui/HtmlChunk.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <vector>

namespace ui {

namespace {

constexpr double MillimetresPerInch = 25.4;
// Between the report and the header or footer line.
constexpr double HeaderGapMm = 4;
constexpr double HeaderPointSize = 8;

// Left and right texts on one line; the left one gives way (shortened in
// the middle) when both do not fit.
void PaintLine(QPainter &painter, const QRectF &line, const QString &left, const QString &right)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal rightWidth = metrics.horizontalAdvance(right);
    const qreal room = line.width() - rightWidth - metrics.averageCharWidth() * 2;
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(left, Qt::ElideMiddle, room));
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, right);
}

// A run of rows as the count laid it out: rows First to Last, of which its
// first Pages pages are printed. When it is not the last run, the rows of
// its last page are left to the next run, which starts them on a fresh page
// at Next, so that page is not printed half empty.
struct TRun {
    qsizetype First = 0;
    qsizetype Last = 0;
    int Pages = 0;
    qsizetype Next = 0;
};

} // namespace

class THtmlPrint::TImpl {
public:
    TImpl(const QPagedPaintDevice &device, const THtmlRows &rows, const THtmlPageTexts &texts,
          const THtmlPrintSettings &settings)
        : Rows(rows), Texts(texts), AtATime(qMax<qsizetype>(1, settings.RowsAtATime)),
          Body(settings.Margins.Within(device)), PageSize(Body.size() * THtmlChunk::LayoutDpi / device.logicalDpiX())
    {
        // Half the way is the count, half the painting.
        Status.Total = 2 * qMax<qsizetype>(1, rows.Count);
    }
    std::unique_ptr<THtmlChunk> LayOut(qsizetype first, qsizetype last) const
    {
        return std::make_unique<THtmlChunk>(Rows.Document(first, last), PageSize);
    }
    TRun CountRun(const THtmlChunk &chunk, qsizetype first, qsizetype last) const;
    void PaintHeaderAndFooter(QPainter &painter, const QPagedPaintDevice &device) const;

    const THtmlRows &Rows;
    const THtmlPageTexts &Texts;
    const qsizetype AtATime;
    const QRectF Body;      // device pixels
    const QSizeF PageSize;  // layout pixels
    std::vector<TRun> Runs;
    // A report of one run is laid out once: the count's layout is painted.
    std::unique_ptr<THtmlChunk> OnlyRun;
    QString Title;
    TPrintStatus Status;
};

TRun THtmlPrint::TImpl::CountRun(const THtmlChunk &chunk, qsizetype first, qsizetype last) const
{
    // The last run prints whole, with what follows the table.
    if (last == Rows.Count || chunk.Rows() == 0)
        return {first, last, chunk.PageCount(), last};
    // The others are counted by their rows, which the first pass of the
    // layout has placed: asking for all pages would cost a second one. A
    // run leaves the rows of its last page to the next, or of its last
    // pages when a row crosses the edge above the last (that row's top
    // would print here and again there): only at an edge no row crosses
    // does the next run go on just where this one stops.
    for (int page = chunk.PageOfRowTop(chunk.Rows() - 1); page > 0;) {
        const int leftOver = chunk.FirstRowFrom(page);
        if (leftOver == 0)
            break;
        if (chunk.PageOfRowBottom(leftOver - 1) < page)
            return {first, last, page, first + leftOver};
        page = chunk.PageOfRowTop(leftOver - 1);
    }
    // No such edge: the run prints whole, and the next begins a page.
    return {first, last, chunk.PageOfRowBottom(chunk.Rows() - 1) + 1, last};
}

void THtmlPrint::TImpl::PaintHeaderAndFooter(QPainter &painter, const QPagedPaintDevice &device) const
{
    const qreal gap = HeaderGapMm * device.logicalDpiY() / MillimetresPerInch;
    const qreal lineHeight = QFontMetricsF(painter.font(), painter.device()).height();
    const QRectF header(Body.left(), Body.top() - gap - lineHeight, Body.width(), lineHeight);
    const QRectF footer(Body.left(), Body.bottom() + gap, Body.width(), lineHeight);
    PaintLine(painter, header, Title, QStringLiteral("Page %1 of %2").arg(Status.Page).arg(Status.Pages));
    PaintLine(painter, footer, Texts.Address, Texts.Date);
}

THtmlPrint::THtmlPrint(const QPagedPaintDevice &device, const THtmlRows &rows, const THtmlPageTexts &texts,
                       const THtmlPrintSettings &settings)
    : fImpl(std::make_unique<TImpl>(device, rows, texts, settings))
{
}

THtmlPrint::~THtmlPrint() = default;

int THtmlPrint::Pages() const
{
    return fImpl->Status.Pages;
}

bool THtmlPrint::CountPages(const TPrintProgress &progress)
{
    TImpl &d = *fImpl;
    int pages = 0;
    for (qsizetype first = 0;;) {
        const qsizetype last = qMin(d.Rows.Count, first + d.AtATime);
        std::unique_ptr<THtmlChunk> chunk = d.LayOut(first, last);
        if (first == 0)
            d.Title = chunk->Title();
        // The run painted is the run counted: laid out anew from the same
        // rows, it falls into the same pages.
        d.Runs.push_back(d.CountRun(*chunk, first, last));
        pages += d.Runs.back().Pages;
        first = d.Runs.back().Next;
        if (last == d.Rows.Count) {
            if (d.Runs.size() == 1)
                d.OnlyRun = std::move(chunk);
            d.Status.Pages = pages;
            return true;
        }
        d.Status.Done = first;
        if (!progress(d.Status))
            return false;
    }
}

TPrintResult THtmlPrint::Paint(QPainter &painter, QPagedPaintDevice &device, const TPrintProgress &progress)
{
    TImpl &d = *fImpl;
    QFont lineFont;
    lineFont.setStyleStrategy(QFont::PreferNoShaping);
    lineFont.setPointSizeF(HeaderPointSize);
    painter.setFont(lineFont);
    const qsizetype counted = d.Status.Total / 2;
    for (const TRun &run : d.Runs) {
        const std::unique_ptr<THtmlChunk> chunk = d.OnlyRun ? std::move(d.OnlyRun) : d.LayOut(run.First, run.Last);
        for (int page = 0; page < run.Pages; ++page) {
            if (d.Status.Page > 0)
                device.newPage();
            chunk->PaintPage(painter, page, d.Body);
            ++d.Status.Page;
            d.PaintHeaderAndFooter(painter, device);
            d.Status.Done = counted + counted * d.Status.Page / qMax(1, d.Status.Pages);
            if (!progress(d.Status))
                return {d.Status.Page, true};
        }
    }
    return {d.Status.Page, false};
}

} // namespace ui
