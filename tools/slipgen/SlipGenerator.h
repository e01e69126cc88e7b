#pragma once
// Pictures of made-up slips with known block positions, for testing and measuring the block
// detector. Deterministic: the same recipe gives the same pixels on every run.
#include <QColor>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <functional>

class QPainter;

namespace slipgen {

enum class OutlineStyle { Rectangle, Rounded, Brackets };
enum class Layout {
    TwoAreasStakesInX,   // a 5-wide area over a shorter one; stakes side by side
    SideBySideStakesInY, // a wide area beside a narrow one; stakes one under the other
    DigitColumns,        // three columns of 0..9; stakes side by side (grouped by columns)
    SingleGrid           // one stake, one area of 7 x 5
};

struct SlipRecipe {
    Layout layout = Layout::TwoAreasStakesInX;
    OutlineStyle style = OutlineStyle::Rectangle;
    double dpi = 300;
    QColor ink = QColor(215, 25, 32);
    QColor paper = Qt::white;
    bool tintInside = false;   // a pale wash of the ink inside every block
    double strokeMm = 0.2;
    QSizeF blockMm = QSizeF(3.5, 1.8);
    double rotationDeg = 0;    // positive: turned counter-clockwise
    double blurPx = 0;         // Gaussian sigma
    double noise = 0;          // grey levels, standard deviation
    double unevenLight = 0;    // share of brightness lost towards one corner
    int jpegQuality = 0;       // 0: no JPEG round trip
    bool distractors = false;  // frame, header band with text, stake labels, write-in fields
    bool marks = true;         // timing marks, one per row of the first stake's rows
    quint32 seed = 1;
    QSizeF pageMm;             // when set, the picture is at least this large
    // Drawn over the slip, in the slip's millimetres, before the scan's blur, noise and light
    // (what a printer put on it).
    std::function<void(QPainter &)> printOver;
};

struct TruthBlock {
    QRectF rect; // mm on the straight slip
    int stake = 1, area = 1, index = 1;
};

struct Slip {
    QImage picture;                  // dots per metre set from the recipe
    QSizeF sizeMm;
    QList<TruthBlock> blocks;
    QList<QRectF> marks;
    QList<QPointF> stakeOffsets;
    bool groupedByColumns = false;   // the areas are the columns (else: separated by gaps)
};

Slip Generate(const SlipRecipe &recipe);

// SlipRecipe by name for the command-line tool ("two-areas", "columns", ...); false when unknown.
bool RecipeByName(const QString &name, SlipRecipe *recipe);

// The tools draw without a screen: called before the application is made, it chooses the
// off-screen platform when neither QT_QPA_PLATFORM nor DISPLAY names one.
void DrawOffScreenWithoutDisplay();

} // namespace slipgen
