#pragma once
// The preview of a recorded document: the pages one below the other on a gray desk, painted
// only where they are in view, so a batch of thousands of pages opens and scrolls at once.
#include "print/PrintDocument.h"
#include "print/PrintPicture.h"

#include <QAbstractScrollArea>
#include <memory>

class PreviewWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PreviewWidget(QWidget *parent = nullptr);

    void setDocument(PrintDocument doc);
    const PrintDocument &document() const { return *m_doc; }
    int pageCount() const { return m_doc->PageCount(); }

    // Zoom 1.0 shows the paper at its real size on this screen.
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    void zoomIn();        // x 1.5
    void zoomOut();       // / 1.5
    void showWholePage(); // one whole page fits the view
    void fitWidth();      // the page's width fits the view

    // The page at the top of the view (0-based).
    int currentPage() const;
    void setCurrentPage(int page);

    // A picture drawn under every page, on screen only (the slip the marks are meant for); its
    // place on the page in twips. Printing replays the document alone and never shows it.
    void setUnderlay(const PrintPicture &picture, const QRectF &twips);
    bool hasUnderlay() const { return !m_underlay.isNull(); }
    void setUnderlayShown(bool shown);
    bool underlayShown() const { return m_underlayShown; }

    // Pages painted by the last paint event (the preview paints only the pages in view).
    int lastPaintedPages() const { return m_lastPainted; }

signals:
    void currentPageChanged(int page);
    void zoomChanged(double zoom);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    enum class Fit { None, WholePage, Width };
    QSizeF pageSizePx() const;   // one page at the current zoom
    double pageStridePx() const; // page height plus the gap
    void updateScrollBars();
    void applyFit();
    void fitTo(Fit fit);
    // Reports the page at the top of the view when it is another than last reported.
    void noteCurrentPage(int page);

    std::unique_ptr<PrintDocument> m_doc;
    PrintPicture m_underlay;
    QRectF m_underlayTwips;
    bool m_underlayShown = false;
    double m_zoom = 1.0;
    Fit m_fit = Fit::WholePage;
    int m_lastPage = -1;
    int m_lastPainted = 0;
    bool m_resizing = false;
};
