// The pictures of the shipped slips give back their templates: blocks with their areas and
// numbers, marks, block size and stake offsets, within 0.1 mm.
#include "TestSupport.h"
#include "detect/SlipDetector.h"
#include "model/colPLControls.h"
#include "storage/clsPLStoreINI.h"

#include <gtest/gtest.h>
#include <algorithm>

namespace {
struct Shipped {
    const char *name;
    AreasBy areasBy;
    int firstNumber;
};

const Shipped kShipped[] = {
    {"福彩3D", AreasBy::Columns, 0},
    {"七乐彩", AreasBy::Gaps, 1},
    {"陕西－双色球", AreasBy::Gaps, 1},
    {"体彩－超级大乐透", AreasBy::Gaps, 1},
};

constexpr double kTolerance = 0.1;

QList<double> offsetsOf(const QString &list)
{
    QList<double> v;
    for (const QString &t : list.split(','))
        v.append(t.trimmed().toDouble());
    for (qsizetype i = v.size() - 1; i >= 0; --i)
        v[i] -= v[0];
    return v;
}

class ShippedSlip : public ::testing::TestWithParam<Shipped> {};

TEST_P(ShippedSlip, GivesBackItsTemplate)
{
    const Shipped &s = GetParam();
    const QString folder = sourceDir() + "/resources/投注单文件/";
    colPLControls t;
    ASSERT_TRUE(clsPLStoreINI().LoadFromINI(folder + QString::fromUtf8(s.name) + ".tzd", t));
    DetectOptions options;
    options.areasBy = s.areasBy;
    const SlipFileDetection r = DetectSlipFile(folder + QString::fromUtf8(s.name) + ".bmp", 0, options);
    ASSERT_EQ(r.problem, PictureProblem::None);
    const SlipDetection &d = r.detection;
    EXPECT_NEAR(d.dpi, 152.4, 1e-9);
    EXPECT_EQ(d.angle, 0);
    EXPECT_NEAR(d.block.width(), t.LottNumberWidth(), kTolerance);
    EXPECT_NEAR(d.block.height(), t.LottNumberHeight(), kTolerance);

    int blocks = 0;
    QList<QRectF> marks;
    for (const clsPLControl &c : t) {
        if (c.ShowType() == "LocateMark")
            marks.append(QRectF(c.Left(), c.Top(), c.Width(), c.Height()));
        if (c.ShowType() != "LottNumber")
            continue;
        ++blocks;
        const int area = c.GroupID().toInt(), index = c.FieldValue().toInt() - s.firstNumber + 1;
        const auto it = std::find_if(d.blocks.begin(), d.blocks.end(), [&](const DetectedBlock &b) {
            return b.stake == 1 && b.area == area && b.index == index;
        });
        ASSERT_NE(it, d.blocks.end()) << "area " << area << " number " << qPrintable(c.FieldValue());
        EXPECT_NEAR(it->rect.left(), c.Left(), kTolerance) << qPrintable(c.KeyName());
        EXPECT_NEAR(it->rect.top(), c.Top(), kTolerance) << qPrintable(c.KeyName());
    }
    EXPECT_EQ(std::count_if(d.blocks.begin(), d.blocks.end(), [](const DetectedBlock &b) { return b.stake == 1; }),
              blocks);
    EXPECT_EQ(d.blocks.size(), blocks * t.StakeCountPerTicket());

    ASSERT_EQ(d.marks.size(), marks.size());
    for (qsizetype i = 0; i < marks.size(); ++i) {
        EXPECT_NEAR(d.marks[i].left(), marks[i].left(), kTolerance);
        EXPECT_NEAR(d.marks[i].top(), marks[i].top(), kTolerance);
        EXPECT_NEAR(d.marks[i].width(), marks[i].width(), kTolerance);
        EXPECT_NEAR(d.marks[i].height(), marks[i].height(), kTolerance);
    }

    const QList<double> xs = offsetsOf(t.StakeLocateOffsetStrX()), ys = offsetsOf(t.StakeLocateOffsetStrY());
    ASSERT_EQ(d.stakeCount(), t.StakeCountPerTicket());
    for (int k = 0; k < d.stakeCount(); ++k) {
        EXPECT_NEAR(d.stakeOffsets[k].x(), xs.value(k), kTolerance);
        EXPECT_NEAR(d.stakeOffsets[k].y(), ys.value(k), kTolerance);
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, ShippedSlip, ::testing::ValuesIn(kShipped));
} // namespace
