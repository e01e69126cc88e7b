#include "gui/PreviewWidget.h"
#include "print/DocumentPainter.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {
constexpr int Gap = 16; // pixels of desk around and between pages
constexpr double MinZoom = 0.05, MaxZoom = 20.0;
} // namespace

PreviewWidget::PreviewWidget(QWidget *parent)
    : QAbstractScrollArea(parent), m_doc(std::make_unique<PrintDocument>())
{
    setFocusPolicy(Qt::StrongFocus);
    // A vertical bar that came and went with the fitted zoom would change the width the zoom
    // is fitted to, and fitting would never settle.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, QColor(128, 128, 128));
    viewport()->setPalette(pal);
    setMinimumSize(200, 150);
}

void PreviewWidget::setDocument(PrintDocument doc)
{
    *m_doc = std::move(doc);
    m_lastPage = -1;
    applyFit();
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    viewport()->update();
    emit currentPageChanged(currentPage());
}

QSizeF PreviewWidget::pageSizePx() const
{
    const QSizeF twips = m_doc->Setup().PageSizeTwips();
    return QSizeF(twips.width() / 1440.0 * logicalDpiX() * m_zoom,
                  twips.height() / 1440.0 * logicalDpiY() * m_zoom);
}

double PreviewWidget::pageStridePx() const { return pageSizePx().height() + Gap; }

void PreviewWidget::setZoom(double zoom)
{
    m_fit = Fit::None;
    zoom = std::clamp(zoom, MinZoom, MaxZoom);
    if (zoom == m_zoom)
        return;
    const int page = currentPage();
    m_zoom = zoom;
    updateScrollBars();
    setCurrentPage(page);
    viewport()->update();
    emit zoomChanged(m_zoom);
}

void PreviewWidget::zoomIn() { setZoom(m_zoom * 1.5); }

void PreviewWidget::zoomOut() { setZoom(m_zoom / 1.5); }

void PreviewWidget::showWholePage() { fitTo(Fit::WholePage); }

void PreviewWidget::fitWidth() { fitTo(Fit::Width); }

void PreviewWidget::fitTo(Fit fit)
{
    const int page = currentPage();
    m_fit = fit;
    applyFit();
    updateScrollBars();
    setCurrentPage(page);
    viewport()->update();
}

void PreviewWidget::applyFit()
{
    if (m_fit == Fit::None)
        return;
    const QSizeF twips = m_doc->Setup().PageSizeTwips();
    if (twips.width() <= 0 || twips.height() <= 0)
        return;
    const double fullW = twips.width() / 1440.0 * logicalDpiX();
    const double fullH = twips.height() / 1440.0 * logicalDpiY();
    const QSize view = viewport()->size();
    const double zw = (view.width() - 2.0 * Gap) / fullW;
    const double zh = (view.height() - 2.0 * Gap) / fullH;
    const double z = m_fit == Fit::WholePage ? std::min(zw, zh) : zw;
    const double old = m_zoom;
    m_zoom = std::clamp(z, MinZoom, MaxZoom);
    if (m_zoom != old)
        emit zoomChanged(m_zoom);
}

void PreviewWidget::updateScrollBars()
{
    const QSizeF page = pageSizePx();
    const QSize view = viewport()->size();
    const double totalH = Gap + pageStridePx() * std::max(1, pageCount());
    const double totalW = page.width() + 2.0 * Gap;
    const double maxV = std::min(totalH - view.height(), double(std::numeric_limits<int>::max() - 1));
    verticalScrollBar()->setRange(0, std::max(0, int(maxV)));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(std::max(20, view.height() / 10));
    horizontalScrollBar()->setRange(0, std::max(0, int(totalW - view.width())));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(20);
}

int PreviewWidget::currentPage() const
{
    if (pageCount() == 0)
        return 0;
    const double stride = pageStridePx();
    const int page = int((verticalScrollBar()->value() + stride / 3) / stride);
    return std::clamp(page, 0, pageCount() - 1);
}

void PreviewWidget::setCurrentPage(int page)
{
    if (pageCount() == 0)
        return;
    page = std::clamp(page, 0, pageCount() - 1);
    verticalScrollBar()->setValue(int(page * pageStridePx()));
    noteCurrentPage(page);
}

void PreviewWidget::noteCurrentPage(int page)
{
    if (page != m_lastPage) {
        m_lastPage = page;
        emit currentPageChanged(page);
    }
}

void PreviewWidget::scrollContentsBy(int, int)
{
    viewport()->update();
    noteCurrentPage(currentPage());
}

void PreviewWidget::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_resizing)
        return;
    m_resizing = true;
    const int page = currentPage();
    applyFit();
    updateScrollBars();
    if (m_fit != Fit::None)
        setCurrentPage(page);
    m_resizing = false;
}

void PreviewWidget::setUnderlay(const PrintPicture &picture, const QRectF &twips)
{
    m_underlay = picture;
    m_underlayTwips = twips;
    viewport()->update();
}

void PreviewWidget::setUnderlayShown(bool shown)
{
    m_underlayShown = shown;
    viewport()->update();
}

void PreviewWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), QColor(128, 128, 128)); // the desk
    m_lastPainted = 0;
    if (pageCount() == 0)
        return;
    const QSizeF page = pageSizePx();
    const double stride = pageStridePx();
    const int top = verticalScrollBar()->value();
    const QRect area = event->rect();
    const double left = std::max(double(Gap), (viewport()->width() - page.width()) / 2.0)
                        - horizontalScrollBar()->value();
    const int first = std::max(0, int((top + area.top() - Gap) / stride));
    const int last = std::min(pageCount() - 1, int((top + area.bottom()) / stride));
    const DocumentPainter replay(*m_doc);
    for (int i = first; i <= last; ++i) {
        const QRectF paper(left, Gap + i * stride - top, page.width(), page.height());
        if (!paper.intersects(area))
            continue;
        painter.fillRect(paper.translated(3, 3), QColor(64, 64, 64));
        painter.fillRect(paper, Qt::white);
        painter.save();
        painter.setClipRect(paper);
        painter.translate(paper.topLeft());
        if (m_underlayShown && hasUnderlay()) {
            const double sx = logicalDpiX() * m_zoom / 1440.0, sy = logicalDpiY() * m_zoom / 1440.0;
            painter.drawImage(QRectF(m_underlayTwips.x() * sx, m_underlayTwips.y() * sy,
                                     m_underlayTwips.width() * sx, m_underlayTwips.height() * sy),
                              m_underlay.image());
        }
        replay.PaintPage(painter, i, logicalDpiX() * m_zoom, logicalDpiY() * m_zoom);
        painter.restore();
        ++m_lastPainted;
    }
}

void PreviewWidget::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        event->angleDelta().y() > 0 ? zoomIn() : zoomOut();
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void PreviewWidget::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageDown: setCurrentPage(currentPage() + 1); return;
    case Qt::Key_PageUp: setCurrentPage(currentPage() - 1); return;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier) { setCurrentPage(0); return; }
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier) { setCurrentPage(pageCount() - 1); return; }
        break;
    case Qt::Key_Plus: case Qt::Key_Equal: zoomIn(); return;
    case Qt::Key_Minus: zoomOut(); return;
    default: break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}
