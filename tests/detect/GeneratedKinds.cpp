#include "GeneratedKinds.h"

using namespace slipgen;

namespace {

SlipRecipe recipe(Layout layout, OutlineStyle style, double dpi, QColor ink)
{
    SlipRecipe s;
    s.layout = layout;
    s.style = style;
    s.dpi = dpi;
    s.ink = ink;
    return s;
}

SlipRecipe scanned(SlipRecipe s, double angle, double blur, double noise, double light, int jpeg)
{
    s.rotationDeg = angle;
    s.blurPx = blur;
    s.noise = noise;
    s.unevenLight = light;
    s.jpegQuality = jpeg;
    s.distractors = true;
    return s;
}

const QColor kRed(215, 25, 32), kOrange(235, 120, 20), kPink(235, 110, 170), kBlue(30, 70, 190),
    kGreen(0, 130, 70), kBlack(25, 25, 25);
const QColor kCream(255, 248, 225), kPinkPaper(255, 236, 240);

SlipRecipe with(SlipRecipe s, void (*change)(SlipRecipe &))
{
    change(s);
    return s;
}

} // namespace

const QList<GeneratedKind> &GeneratedKinds()
{
    static const QList<GeneratedKind> kinds = {
    {"rectangles, red, 300 dpi", recipe(Layout::TwoAreasStakesInX, OutlineStyle::Rectangle, 300, kRed)},
    {"rounded, blue on cream, 200 dpi", with(recipe(Layout::SideBySideStakesInY, OutlineStyle::Rounded, 200, kBlue),
                                              [](SlipRecipe &s) { s.paper = kCream; })},
    {"brackets, black, 300 dpi", recipe(Layout::TwoAreasStakesInX, OutlineStyle::Brackets, 300, kBlack)},
    {"columns, green, 150 dpi", recipe(Layout::DigitColumns, OutlineStyle::Rectangle, 150, kGreen)},
    {"pink, tinted inside, pink paper, 250 dpi",
     with(recipe(Layout::TwoAreasStakesInX, OutlineStyle::Rectangle, 250, kPink), [](SlipRecipe &s) {
         s.tintInside = true;
         s.paper = kPinkPaper;
     })},
    {"orange, 600 dpi, turned -2.5°", with(recipe(Layout::SideBySideStakesInY, OutlineStyle::Rectangle, 600, kOrange),
                                           [](SlipRecipe &s) { s.rotationDeg = -2.5; })},
    {"scan: red, +3°, blur, noise, light, JPEG",
     scanned(recipe(Layout::TwoAreasStakesInX, OutlineStyle::Rectangle, 300, kRed), 3, 1.0, 7, 0.3, 80)},
    {"scan: brackets, blue, -1.2°, 200 dpi, JPEG",
     scanned(recipe(Layout::SideBySideStakesInY, OutlineStyle::Brackets, 200, kBlue), -1.2, 0.7, 5, 0.2, 75)},
    {"scan: rounded, thick black, 400 dpi, +0.8°",
     with(scanned(recipe(Layout::DigitColumns, OutlineStyle::Rounded, 400, kBlack), 0.8, 1.2, 4, 0.15, 0),
          [](SlipRecipe &s) { s.strokeMm = 0.35; })},
    {"scan: one stake, green, 200 dpi, -3°",
     scanned(recipe(Layout::SingleGrid, OutlineStyle::Rectangle, 200, kGreen), -3, 0.6, 5, 0.25, 85)},
    {"scan: pink on cream, tinted, 300 dpi, +2°",
     with(scanned(recipe(Layout::TwoAreasStakesInX, OutlineStyle::Rounded, 300, kPink), 2, 0.8, 5, 0.2, 85),
          [](SlipRecipe &s) {
              s.paper = kCream;
              s.tintInside = true;
              s.blockMm = QSizeF(4.2, 2.4);
          })},
};
    return kinds;
}
