#pragma once
// The page set-up of a print surface and of the documents it records. Paper and margins are
// twips; the paper size is given in portrait, `Orientation` turns it.
#include <QPageLayout>
#include <QSizeF>

struct PageSetup {
    qint32 Orientation = 0;
    // 0: no paper set. A printer then keeps the paper its user chose; the surface itself, a
    // PDF, PNG pages and the JSON form use A4 (the width and height below).
    qint32 PaperSize = 0;
    float PaperWidth = 11906;
    float PaperHeight = 16838;
    float MarginLeft = 0;
    float MarginTop = 0;
    float MarginRight = 0;
    float MarginBottom = 0;

    bool PaperSet() const { return PaperSize != 0; }
    // The printer code of the paper drawn on: A4 (9) when no paper is set.
    qint32 EffectivePaperSize() const { return PaperSet() ? PaperSize : 9; }
    // The page as it is drawn on: width and height swapped for landscape.
    QSizeF PageSizeTwips() const
    {
        return Orientation == 1 ? QSizeF(PaperHeight, PaperWidth) : QSizeF(PaperWidth, PaperHeight);
    }
    bool operator==(const PageSetup &) const = default;
};

// The paper of a printer paper code in twips (portrait); false for a code we do not know.
// 256 (custom) is not a size of its own and gives false as well.
bool PaperSizeTwips(qint32 code, QSizeF *twips);

// The largest paper side the surface accepts, twips (200 inches, the PDF page limit).
constexpr float MaxPaperTwips = 288000.0f;

// The paper, orientation and zero margins of a page set-up, for a PDF writer or a printer
// (A4 when no paper is set).
QPageLayout PageLayoutOf(const PageSetup &setup);
