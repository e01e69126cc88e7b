#include "gui/DesignerCommands.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <gtest/gtest.h>

TEST(DesignerCommands, EveryCommandHasAnIconShippedWithTheProgramAndATooltip)
{
    const bool svgDrawable = QImageReader::supportedImageFormats().contains("svg");
    QSet<QString> names;
    for (const DesignerCommand &c : DesignerCommands()) {
        if (c.name.isEmpty())
            continue;
        EXPECT_FALSE(names.contains(c.name)) << c.name.toStdString();
        names.insert(c.name);
        EXPECT_FALSE(c.tip.isEmpty()) << c.name.toStdString();
        QFile file(c.icon);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.icon.toStdString();
        EXPECT_TRUE(file.readAll().startsWith("<svg")) << c.icon.toStdString();
        if (!svgDrawable)
            continue; // the set-up script installs the SVG plugin; without it icons stay blank
        const QImage image = QIcon(c.icon).pixmap(24, 24).toImage();
        ASSERT_FALSE(image.isNull()) << c.icon.toStdString();
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += qAlpha(image.pixel(x, y)) > 0;
        EXPECT_GT(inked, 20) << c.icon.toStdString();
    }
    // The texts the window must show for its commands.
    for (const char *name : {"cmdAddLottNumber", "cmdAddMark", "cmdAddLabel", "cmdAddLine",
                             "cmdBatchAddLottNumber", "cmdBatchAddMark", "cmdAlignmentLeft",
                             "cmdAlignmentCenter", "cmdAlignmentRight", "cmdAlignmentTop",
                             "cmdAlignmentMiddle", "cmdAlignmentBottom", "cmdSizeSameWidth",
                             "cmdSizeSameHeight", "cmdZoomIn", "cmdZoomOut", "cmdPLProperty",
                             "cmdPreview", "cmdSave", "cmdSaveAs", "cmdExit", "cmdUndo", "cmdRedo"})
        EXPECT_TRUE(names.contains(name)) << name;
}
