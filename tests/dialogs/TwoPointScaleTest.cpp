// "两点定标": the scale from two points on the picture and their true distance, and the picture's
// size that follows.
#include "dialogs/LottPropertyDialog.h"
#include "dialogs/TwoPointScale.h"

#include <gtest/gtest.h>
#include <optional>

namespace {
using Point = std::optional<QPointF>;

TEST(TwoPointScale, MillimetresPerPixelFromTwoPointsAndTheirDistance)
{
    struct Row {
        Point a, b;
        QString distance;
        double mmPerPixel; // 0: refused
        QString message;
    } rows[] = {
        // across, down, slanted (3-4-5) and backwards give the same length
        {QPointF(10, 20), QPointF(310, 20), "50", 50.0 / 300, {}},
        {QPointF(10, 20), QPointF(10, 620), "25.4", 25.4 / 600, {}},
        {QPointF(0, 0), QPointF(300, 400), "100", 100.0 / 500, {}},
        {QPointF(300.5, 400.25), QPointF(0.5, 0.25), "100", 100.0 / 500, {}},
        {QPointF(0, 0), QPointF(1, 0), "0.1", 0.1, {}},
        // typed as in every field: blanks and arithmetic
        {QPointF(0, 0), QPointF(0, 200), " 20 ", 0.1, {}},
        {QPointF(0, 0), QPointF(0, 200), "10*2", 0.1, {}},
        // a point missing
        {std::nullopt, QPointF(5, 5), "10", 0, TwoPointsMissingMessage()},
        {QPointF(5, 5), std::nullopt, "10", 0, TwoPointsMissingMessage()},
        {std::nullopt, std::nullopt, "10", 0, TwoPointsMissingMessage()},
        // the same point, or less than a pixel apart
        {QPointF(5, 5), QPointF(5, 5), "10", 0, TwoPointsTooCloseMessage()},
        {QPointF(5, 5), QPointF(5.6, 5.7), "10", 0, TwoPointsTooCloseMessage()},
        // distances that are no length
        {QPointF(0, 0), QPointF(100, 0), "0", 0, TwoPointDistanceMessage()},
        {QPointF(0, 0), QPointF(100, 0), "-5", 0, TwoPointDistanceMessage()},
        {QPointF(0, 0), QPointF(100, 0), "", 0, TwoPointDistanceMessage()},
        {QPointF(0, 0), QPointF(100, 0), "   ", 0, TwoPointDistanceMessage()},
        {QPointF(0, 0), QPointF(100, 0), "abc", 0, TwoPointDistanceMessage()},
        {QPointF(0, 0), QPointF(100, 0), "12mm", 0, TwoPointDistanceMessage()},
        {QPointF(0, 0), QPointF(100, 0), "1e9", 0, TwoPointDistanceMessage()},
        {QPointF(0, 0), QPointF(100, 0), "1/0", 0, TwoPointDistanceMessage()},
    };
    for (const Row &r : rows) {
        const TwoPointScale s = ScaleFromTwoPoints(r.a, r.b, r.distance);
        EXPECT_EQ(s.message, r.message) << qPrintable(r.distance);
        EXPECT_EQ(s.passed(), r.message.isEmpty()) << qPrintable(r.distance);
        EXPECT_NEAR(s.mmPerPixel, r.mmPerPixel, 1e-12) << qPrintable(r.distance);
    }
}

TEST(TwoPointScale, ThePictureKeepsItsShapeAtTheScale)
{
    struct Row {
        QSize pixels;
        double mmPerPixel;
        QString width, height;
    } rows[] = {
        {QSize(2126, 1063), 25.4 / 152.4, "354.3", "177.2"},
        {QSize(600, 300), 0.5, "300.0", "150.0"},
        {QSize(300, 600), 0.5, "150.0", "300.0"},
        {QSize(1, 7), 2, "2.0", "14.0"},
    };
    for (const Row &r : rows) {
        const PictureSizeTexts size = PictureSizeFromScale(r.pixels, r.mmPerPixel);
        EXPECT_EQ(size.width, r.width);
        EXPECT_EQ(size.height, r.height);
    }
}
} // namespace
