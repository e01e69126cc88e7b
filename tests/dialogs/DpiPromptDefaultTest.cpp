// "根据 DPI 得到" proposes the picture's own resolution when the file declares one.
#include "TestSupport.h"
#include "dialogs/LottPropertyDialog.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {
TEST(DpiPromptDefault, ThePicturesOwnResolutionElse150)
{
    const QString dir = makeTempDir();
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::white);
    img.setDotsPerMeterX(11811); // 300 dpi
    img.setDotsPerMeterY(11811);
    ASSERT_TRUE(img.save(dir + "/scan.jpg"));
    ASSERT_TRUE(img.save(dir + "/scan.png"));
    struct Row {
        QString path;
        QString answer;
    } rows[] = {
        {sourceDir() + QStringLiteral("/resources/投注单文件/福彩3D.bmp"), "152.4"},
        {dir + "/scan.jpg", "300"},
        {dir + "/scan.png", "300"},
        {dir + "/missing.png", "150"},
        {QString(), "150"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(DpiPromptDefaultFor(r.path), r.answer) << qPrintable(r.path);
}
} // namespace
