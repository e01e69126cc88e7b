// "两点定标" as the user does it: two points clicked (or placed and moved with the keys) on the
// zoomed picture, the distance typed, OK; the settings dialog then shows the picture's size.
#include "gui/TwoPointPicker.h"
#include "gui/frmPLottProperty.h"
#include "gui/frmPTwoPointScale.h"
#include "dialogs/TwoPointScale.h"
#include "model/colPLControls.h"
#include "TestSupport.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>

namespace {
// A picture twice as wide as high, so that a swapped axis shows.
QImage slipPicture()
{
    QImage image(600, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The dialog shown at a known zoom (once its own fitting has run).
struct ShownDialog {
    explicit ShownDialog(double zoom) : dialog(slipPicture())
    {
        dialog.show();
        QApplication::processEvents();
        dialog.Picker().setZoom(zoom);
    }
    void click(QPoint at) { QTest::mouseClick(&dialog.Picker(), Qt::LeftButton, {}, at); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(&dialog.Picker(), k, m); }
    frmPTwoPointScale dialog;
};

void expectPoint(const TwoPointPicker &p, int index, QPointF at)
{
    ASSERT_TRUE(p.point(index).has_value()) << index;
    EXPECT_DOUBLE_EQ(p.point(index)->x(), at.x()) << index;
    EXPECT_DOUBLE_EQ(p.point(index)->y(), at.y()) << index;
}

TEST(frmPTwoPointScale, ClicksOnTheZoomedPictureAndTheTypedDistanceGiveTheScale)
{
    struct Row {
        double zoom;
        QPoint first, second; // screen pixels
        const char *distance;
        double mmPerPixel;
    } rows[] = {
        // at 2× a screen pixel is half a picture pixel: 600 screen pixels are 300 picture pixels
        {2, QPoint(200, 100), QPoint(800, 100), "150", 0.5},
        {2, QPoint(100, 50), QPoint(100, 450), "40", 0.2},
        {4, QPoint(4, 4), QPoint(1204, 904), "37.5", 0.1}, // 300 × 225 pixels: 375 apart
        {0.5, QPoint(10, 10), QPoint(160, 10), "30", 0.1},
    };
    for (const Row &r : rows) {
        ShownDialog d(r.zoom);
        d.click(r.first);
        d.click(r.second);
        expectPoint(d.dialog.Picker(), 0, (QPointF(r.first) + QPointF(0.5, 0.5)) / r.zoom);
        expectPoint(d.dialog.Picker(), 1, (QPointF(r.second) + QPointF(0.5, 0.5)) / r.zoom);
        QTest::keyClicks(&d.dialog.Distance(), QString::fromLatin1(r.distance));
        d.dialog.OkButton().click();
        EXPECT_EQ(d.dialog.result(), QDialog::Accepted) << r.distance;
        EXPECT_NEAR(d.dialog.MmPerPixel(), r.mmPerPixel, 1e-12) << r.distance;
    }
}

TEST(frmPTwoPointScale, AThirdClickMovesTheNearerPoint)
{
    ShownDialog d(1);
    d.click(QPoint(10, 10));
    d.click(QPoint(500, 200));
    d.click(QPoint(480, 190));
    expectPoint(d.dialog.Picker(), 0, QPointF(10.5, 10.5));
    expectPoint(d.dialog.Picker(), 1, QPointF(480.5, 190.5));
    d.click(QPoint(30, 5));
    expectPoint(d.dialog.Picker(), 0, QPointF(30.5, 5.5));
    EXPECT_EQ(d.dialog.Picker().chosen(), 0);
}

TEST(frmPTwoPointScale, TheKeysPlaceAndMoveThePointsByPixelsOfThePicture)
{
    ShownDialog d(4);
    d.click(QPoint(40, 80)); // point 1 at (10.125, 20.125)
    d.key(Qt::Key_Right);
    d.key(Qt::Key_Down, Qt::ShiftModifier);
    expectPoint(d.dialog.Picker(), 0, QPointF(11.125, 30.125));
    d.key(Qt::Key_2); // placed in view, then moved
    ASSERT_TRUE(d.dialog.Picker().point(1).has_value());
    const QPointF placed = *d.dialog.Picker().point(1);
    d.key(Qt::Key_Left, Qt::ShiftModifier);
    d.key(Qt::Key_Left);
    d.key(Qt::Key_Up);
    expectPoint(d.dialog.Picker(), 1, placed + QPointF(-11, -1));
    d.key(Qt::Key_1);
    d.key(Qt::Key_Left);
    expectPoint(d.dialog.Picker(), 0, QPointF(10.125, 30.125));
    // "+" and "-" zoom by one step each
    d.key(Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(d.dialog.Picker().zoom(), 4 * TwoPointPicker::kZoomStep);
    d.key(Qt::Key_Minus);
    d.key(Qt::Key_Minus);
    EXPECT_DOUBLE_EQ(d.dialog.Picker().zoom(), 4 / TwoPointPicker::kZoomStep);
    // a point cannot leave the picture
    d.key(Qt::Key_1);
    for (int i = 0; i < 3; ++i)
        d.key(Qt::Key_Left, Qt::ShiftModifier);
    expectPoint(d.dialog.Picker(), 0, QPointF(0, 30.125));
}

TEST(frmPTwoPointScale, RefusalsKeepTheDialogOpen)
{
    struct Row {
        std::vector<QPoint> clicks;
        const char *distance;
        QString message;
    } rows[] = {
        {{QPoint(10, 10)}, "10", TwoPointsMissingMessage()},
        {{QPoint(10, 10), QPoint(10, 10)}, "10", TwoPointsTooCloseMessage()},
        {{QPoint(10, 10), QPoint(110, 10)}, "0", TwoPointDistanceMessage()},
        {{QPoint(10, 10), QPoint(110, 10)}, "十", TwoPointDistanceMessage()},
    };
    for (const Row &r : rows) {
        ScriptedMsgBox msg;
        ShownDialog d(1);
        for (QPoint at : r.clicks)
            d.click(at);
        d.dialog.Distance().insert(QString::fromUtf8(r.distance));
        d.dialog.OkButton().click();
        EXPECT_EQ(msg.texts(), QStringList{r.message});
        EXPECT_TRUE(d.dialog.isVisible());
        EXPECT_EQ(d.dialog.MmPerPixel(), 0);
    }
}

TEST(frmPLottProperty, TwoPointScaleSetsThePictureSize)
{
    const QString dir = makeTempDir();
    ASSERT_TRUE(slipPicture().save(dir + "/slip.png"));
    colPLControls layout;
    layout.setLayoutName("x");
    layout.setPathFile(dir + "/a.tzd");
    layout.setBackPicPathFile("slip.png");
    frmPLottProperty dialog;
    int scaleDialogs = 0;
    QTimer::singleShot(0, &dialog, [&] {
        auto *watch = new QTimer(&dialog);
        QObject::connect(watch, &QTimer::timeout, [&, watch] {
            for (QWidget *top : QApplication::topLevelWidgets())
                if (auto *s = qobject_cast<frmPTwoPointScale *>(top); s && s->isVisible()) {
                    watch->stop();
                    ++scaleDialogs;
                    s->Picker().setZoom(1);
                    QTest::mouseClick(&s->Picker(), Qt::LeftButton, {}, QPoint(100, 20));
                    QTest::mouseClick(&s->Picker(), Qt::LeftButton, {}, QPoint(100, 220));
                    QTest::keyClicks(&s->Distance(), "25.4");
                    s->OkButton().click();
                }
        });
        watch->start(10);
        dialog.findChild<QPushButton *>("cmdLayoutWidthByTwoPoints")->click();
        // 200 pixels are 25.4 mm: the 600 × 300 picture is 76.2 × 38.1 mm
        EXPECT_EQ(dialog.findChild<QLineEdit *>("txtBackPictureWidth")->text(), "76.2");
        EXPECT_EQ(dialog.findChild<QLineEdit *>("txtBackPictureHeight")->text(), "38.1");
        dialog.reject();
    });
    dialog.ShowMe(layout, false, {});
    EXPECT_EQ(scaleDialogs, 1);
}

TEST(frmPLottProperty, TwoPointScaleWithoutAPictureSaysSo)
{
    ScriptedMsgBox msg;
    colPLControls layout;
    layout.setLayoutName("x");
    frmPLottProperty dialog;
    QTimer::singleShot(0, &dialog, [&] {
        dialog.cmdLayoutWidthByTwoPoints_Click();
        dialog.reject();
    });
    dialog.ShowMe(layout, false, {});
    EXPECT_EQ(msg.texts(), QStringList{QStringLiteral("请先选择背景图文件！")});
}
} // namespace
