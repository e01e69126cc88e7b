// The detector over generated slip pictures of every kind: outline styles, inks, papers,
// resolutions, rotation, blur, noise, uneven light, JPEG, and a slip's usual distractors.
#include "DetectMatch.h"
#include "GeneratedKinds.h"
#include "SlipGenerator.h"
#include "detect/SlipDetector.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>

using namespace slipgen;

namespace {
class GeneratedSlip : public ::testing::TestWithParam<GeneratedKind> {};

TEST_P(GeneratedSlip, FindsEveryBlockAndMarkWhereItWasDrawn)
{
    const GeneratedKind &c = GetParam();
    const Slip slip = Generate(c.recipe);
    DetectOptions options;
    options.areasBy = slip.groupedByColumns ? AreasBy::Columns : AreasBy::Gaps;
    QElapsedTimer timer;
    timer.start();
    const SlipDetection d = DetectSlip(slip.picture, c.recipe.dpi, options);
    const double ms = timer.nsecsElapsed() / 1e6;
    const MatchReport r = Compare(slip, d);
    std::printf("%s\n", qPrintable(r.row(QString::fromUtf8(c.kind), ms)));

    const double px = 25.4 / c.recipe.dpi;
    EXPECT_EQ(r.found, r.truth) << "blocks not found once";
    EXPECT_EQ(r.twice, 0);
    EXPECT_EQ(r.invented, 0);
    EXPECT_LE(r.worstPosition, std::max(0.15, 0.6 * px));
    EXPECT_LE(r.worstSize, std::max(0.2, px));
    EXPECT_EQ(r.wrongGrouping, 0);
    EXPECT_TRUE(r.stakeCountRight) << d.stakeOffsets.size() << " stakes";
    EXPECT_LE(r.worstOffset, std::max(0.15, 0.6 * px));
    EXPECT_EQ(r.marksFound, r.marksTruth);
    EXPECT_EQ(r.marksInvented, 0);
    EXPECT_LE(r.worstMark, std::max(0.15, 0.6 * px));
    EXPECT_NEAR(d.angle, c.recipe.rotationDeg, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Kinds, GeneratedSlip, ::testing::ValuesIn(GeneratedKinds()));
} // namespace
