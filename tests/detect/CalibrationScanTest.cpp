// Measuring a printer from scans of printed calibration pages: generated slips of several kinds,
// each with its calibration page printed on by a printer with a known offset, scale and skew
// (toner spread, marks over the box outlines, a mark half outside its box, a missing mark),
// scanned at 200 to 600 dpi with rotation, blur, noise and uneven light.
#include "CalibrationScan.h"
#include "detect/CalibrationMeasurement.h"
#include "detect/CalibrationTargetOf.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <cmath>

using namespace slipgen;

namespace {
struct Case {
    const char *name;
    SlipRecipe scan;
    PrinterError printer;
};

SlipRecipe scanOf(Layout layout, OutlineStyle style, QColor ink, double dpi, double angle, double blur,
                  double noise, double light, int jpeg = 0)
{
    SlipRecipe s;
    s.layout = layout;
    s.style = style;
    s.ink = ink;
    s.dpi = dpi;
    s.rotationDeg = angle;
    s.blurPx = blur;
    s.noise = noise;
    s.unevenLight = light;
    s.jpegQuality = jpeg;
    s.seed = quint32(dpi * 7 + angle * 100);
    return s;
}

PrinterError printerOf(QPointF offset, double sx, double sy, double skew, double spread, QList<int> missing = {})
{
    PrinterError p;
    p.offsetMm = offset;
    p.scaleX = sx;
    p.scaleY = sy;
    p.skewDeg = skew;
    p.spreadMm = spread;
    p.missing = missing;
    return p;
}

const QColor kRed(215, 25, 32), kBlue(30, 70, 190), kGreen(0, 130, 70), kBlack(25, 25, 25), kPink(235, 110, 170);

const Case kCases[] = {
    {"red rectangles, 300 dpi, straight",
     scanOf(Layout::TwoAreasStakesInX, OutlineStyle::Rectangle, kRed, 300, 0, 0, 0, 0),
     printerOf({0.8, -0.6}, 1, 1, 0, 0.05)},
    {"blue, stakes in y, 200 dpi, +1.5°, stretched feed",
     scanOf(Layout::SideBySideStakesInY, OutlineStyle::Rectangle, kBlue, 200, 1.5, 0.8, 5, 0.2),
     printerOf({-1.1, 0.7}, 0.997, 1.002, 0.3, 0.08)},
    {"green columns, 600 dpi, -2°, skewed",
     scanOf(Layout::DigitColumns, OutlineStyle::Rectangle, kGreen, 600, -2, 1.6, 4, 0.25),
     printerOf({0.4, 1.2}, 1.003, 0.998, -0.25, 0.06)},
    {"black brackets, 300 dpi, marks half outside their boxes",
     scanOf(Layout::TwoAreasStakesInX, OutlineStyle::Brackets, kBlack, 300, 0.7, 0.9, 5, 0.15),
     printerOf({1.75, 0.35}, 1, 1.001, 0.1, 0.04)},
    {"red slip with print around it, 400 dpi JPEG, -1.2°, one mark missing",
     [] {
         SlipRecipe s = scanOf(Layout::TwoAreasStakesInX, OutlineStyle::Rectangle, kRed, 400, -1.2, 1.0, 6, 0.2, 85);
         s.distractors = true;
         return s;
     }(),
     printerOf({-0.5, -0.9}, 1.002, 0.999, 0.15, 0.07, {2})},
    {"pink rounded on cream, 250 dpi, +2°, offset along one axis only",
     [] {
         SlipRecipe s = scanOf(Layout::SideBySideStakesInY, OutlineStyle::Rounded, kPink, 250, 2, 0.7, 5, 0.3);
         s.paper = QColor(255, 248, 225);
         return s;
     }(),
     printerOf({0.02, 0.9}, 1.001, 1.002, -0.1, 0.05)},
    // 0.2 mm left and 0.3 mm down with 0.2 mm strokes: each mark's right and top edges lie in
    // the box's strokes and only the other two can be read.
    {"red rectangles, 300 dpi, marks' edges under the strokes on both axes",
     scanOf(Layout::TwoAreasStakesInX, OutlineStyle::Rectangle, kRed, 300, 0.5, 0.8, 4, 0.1),
     printerOf({-0.2, 0.3}, 1, 1, 0, 0.05)},
};

class CalibrationScanTest : public ::testing::TestWithParam<Case> {};

TEST_P(CalibrationScanTest, MeasuresTheOffsetScaleAndSkewThePrinterHad)
{
    const Case &c = GetParam();
    const CalibrationScan scan = MakeCalibrationScan(c.scan, c.printer);
    const CalibrationTarget target = CalibrationTargetOf(scan.layout);
    ASSERT_EQ(target.marks.size(), scan.printed.size());
    const CalibrationMeasurement m = MeasureCalibration(scan.slip.picture, c.scan.dpi, target);
    ASSERT_TRUE(m.ok()) << c.name << ": " << qPrintable(CalibrationProblemText(m.problem));

    double truthResidual = 0;
    const QPointF truth = scan.meanError();
    for (qsizetype i = 0; i < m.marks.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(m.marks[i].found, scan.printed[i]);
        if (!scan.printed[i])
            continue;
        EXPECT_NEAR(m.marks[i].dx, scan.error[i].x(), 0.1);
        EXPECT_NEAR(m.marks[i].dy, scan.error[i].y(), 0.1);
        truthResidual = std::max(truthResidual, std::hypot(scan.error[i].x() - truth.x(), scan.error[i].y() - truth.y()));
    }
    EXPECT_NEAR(m.shift.x(), truth.x(), 0.1);
    EXPECT_NEAR(m.shift.y(), truth.y(), 0.1);
    EXPECT_NEAR(m.correction().x(), -truth.x(), 0.1);
    EXPECT_NEAR(m.scaleX, 100 * c.printer.scaleX, 0.1);
    EXPECT_NEAR(m.scaleY, 100 * c.printer.scaleY, 0.1);
    EXPECT_NEAR(m.skew, c.printer.skewDeg, 0.05);
    EXPECT_NEAR(m.residual, truthResidual, 0.1);
    EXPECT_NEAR(m.angle, c.scan.rotationDeg, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Scans, CalibrationScanTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case> &i) { return "case" + std::to_string(i.index); });

TEST(CalibrationScanProblems, AMissingMarkIsReportedAndTheOthersStillMeasure)
{
    SlipRecipe s = scanOf(Layout::TwoAreasStakesInX, OutlineStyle::Rectangle, kRed, 300, 0.5, 0.7, 4, 0.1);
    const CalibrationScan scan = MakeCalibrationScan(s, printerOf({0.6, 0.5}, 1, 1, 0, 0.05, {0, 8}));
    const CalibrationMeasurement m = MeasureCalibration(scan.slip.picture, s.dpi, CalibrationTargetOf(scan.layout));
    ASSERT_TRUE(m.ok());
    ASSERT_EQ(m.marks.size(), 9);
    EXPECT_EQ(m.foundCount(), 7);
    EXPECT_FALSE(m.marks[0].found);
    EXPECT_FALSE(m.marks[8].found);
    EXPECT_EQ(MissingMarkText(m.marks[0]), QStringLiteral("没有找到 lbl1（第 1 注）的校准标记"));
    EXPECT_NEAR(m.shift.x(), 0.6, 0.1);
    EXPECT_NEAR(m.shift.y(), 0.5, 0.1);
}

TEST(CalibrationScanProblems, NoMarksOnTheSlipCannotBeMeasured)
{
    SlipRecipe s = scanOf(Layout::TwoAreasStakesInX, OutlineStyle::Rectangle, kRed, 300, 0, 0, 0, 0);
    const CalibrationScan scan = MakeCalibrationScan(s, printerOf({0.5, 0.5}, 1, 1, 0, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8}));
    const CalibrationMeasurement m = MeasureCalibration(scan.slip.picture, s.dpi, CalibrationTargetOf(scan.layout));
    EXPECT_EQ(m.problem, CalibrationProblem::TooFewMarks);
    EXPECT_EQ(m.foundCount(), 0);
}

TEST(CalibrationScanProblems, TwoMarksAreTooFew)
{
    SlipRecipe s = scanOf(Layout::TwoAreasStakesInX, OutlineStyle::Rectangle, kRed, 300, 0, 0, 0, 0);
    const CalibrationScan scan = MakeCalibrationScan(s, printerOf({0.5, 0.5}, 1, 1, 0, 0, {0, 1, 2, 3, 4, 5, 6}));
    const CalibrationMeasurement m = MeasureCalibration(scan.slip.picture, s.dpi, CalibrationTargetOf(scan.layout));
    EXPECT_EQ(m.problem, CalibrationProblem::TooFewMarks);
    EXPECT_EQ(m.foundCount(), 2);
}

TEST(CalibrationScanProblems, APictureWithoutBoxesHasNoBoxes)
{
    SlipRecipe s = scanOf(Layout::TwoAreasStakesInX, OutlineStyle::Rectangle, kRed, 300, 0, 0, 0, 0);
    const CalibrationScan scan = MakeCalibrationScan(s, printerOf({0.5, 0.5}, 1, 1, 0, 0));
    QImage blank(800, 500, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QPainter(&blank).fillRect(QRect(100, 100, 40, 20), Qt::black);
    const CalibrationMeasurement m = MeasureCalibration(blank, 300, CalibrationTargetOf(scan.layout));
    EXPECT_EQ(m.problem, CalibrationProblem::NoBoxes);
    EXPECT_EQ(CalibrationProblemText(m.problem), QStringLiteral("没有在图片中找到填涂块"));
}

TEST(CalibrationScanProblems, AScanOfAnotherSlipDoesNotRegister)
{
    SlipRecipe s = scanOf(Layout::TwoAreasStakesInX, OutlineStyle::Rectangle, kRed, 300, 0, 0, 0, 0);
    const CalibrationScan scan = MakeCalibrationScan(s, printerOf({0.5, 0.5}, 1, 1, 0, 0));
    SlipRecipe other = s;
    other.layout = Layout::DigitColumns;
    const CalibrationScan otherScan = MakeCalibrationScan(other, printerOf({0.5, 0.5}, 1, 1, 0, 0));
    const CalibrationMeasurement m = MeasureCalibration(otherScan.slip.picture, s.dpi, CalibrationTargetOf(scan.layout));
    EXPECT_EQ(m.problem, CalibrationProblem::NoRegistration);
}
} // namespace
