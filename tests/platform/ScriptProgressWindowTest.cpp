#include "platform/ScriptProgressWindow.h"

#include "common/MsgBox.h"

#include <QApplication>
#include <QProgressDialog>
#include <gtest/gtest.h>

namespace {

QProgressDialog *ShownWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *d = qobject_cast<QProgressDialog *>(w); d && d->isVisible())
            return d;
    return nullptr;
}

TEST(ScriptProgressWindow, AQuickRunShowsNothing)
{
    ScriptProgressWindow progress(60000);
    EXPECT_TRUE(progress.Update(false));
    EXPECT_TRUE(progress.Update(false));
    EXPECT_EQ(ShownWindow(), nullptr);
    EXPECT_TRUE(progress.Update(true));
}

// A long run shows the modal window with its stop button; stopping makes the next question
// answer no, and the end of the run closes the window so the next run starts quiet again.
TEST(ScriptProgressWindow, ALongRunCanBeStoppedAndTheWindowGoesAtTheEnd)
{
    ScriptProgressWindow progress(0);
    EXPECT_TRUE(progress.Update(false)); // the run starts
    EXPECT_TRUE(progress.Update(false));
    QProgressDialog *window = ShownWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), AppTitle());
    EXPECT_EQ(window->labelText(), QStringLiteral("正在运行转换脚本，请稍候……"));
    EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
    window->cancel(); // as the 中止 button does
    EXPECT_FALSE(progress.Update(false));
    EXPECT_TRUE(progress.Update(true));
    EXPECT_EQ(ShownWindow(), nullptr);
    EXPECT_TRUE(progress.Update(false)); // a new run: quiet again until its window shows
    EXPECT_TRUE(progress.Update(false));
    ASSERT_NE(ShownWindow(), nullptr);
    EXPECT_FALSE(ShownWindow()->wasCanceled());
    progress.Update(true);
}

} // namespace
