// The widget tests' watchdog: a modal window left open fails the test that opened it, naming
// the window and its text, and is closed so that the test ends; one the test closes itself is
// no failure.
#include "ModalWatchdog.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {
// A shorter patience for these tests, restored afterwards.
class Patience {
public:
    explicit Patience(int ms) : m_old(ModalWatchdog::Instance().SetPatienceMs(ms)) {}
    ~Patience() { ModalWatchdog::Instance().SetPatienceMs(m_old); }

private:
    int m_old;
};
} // namespace

TEST(ModalWatchdog, AMessageBoxLeftOpenFailsTheTestWithItsTextAndIsClosed)
{
    Patience patience(300);
    const int closed = ModalWatchdog::Instance().Closed();
    QMessageBox box(QMessageBox::Information, QStringLiteral("VornPrn"), QStringLiteral("请输入合法值！"),
                    QMessageBox::Ok);
    QElapsedTimer clock;
    clock.start();
    EXPECT_NONFATAL_FAILURE(box.exec(), "QMessageBox | \"VornPrn\" | 请输入合法值！");
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_GE(clock.elapsed(), 300);
    EXPECT_EQ(ModalWatchdog::Instance().Closed(), closed + 1);
    EXPECT_FALSE(box.isVisible());
}

TEST(ModalWatchdog, ADialogIsNamedWithItsLabelsAndFields)
{
    Patience patience(300);
    QDialog dialog;
    dialog.setObjectName("frmPAddMark");
    dialog.setWindowTitle(QStringLiteral("添加附加填涂块"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("X(毫米)")));
    auto *x = new QLineEdit(QStringLiteral("12.5"));
    x->setObjectName("txtX");
    layout->addWidget(x);
    EXPECT_NONFATAL_FAILURE(dialog.exec(), "QDialog | frmPAddMark | \"添加附加填涂块\" | X(毫米) | txtX=12.5");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(ModalWatchdog, AWindowTheTestClosesInTimeIsNoFailure)
{
    Patience patience(1000);
    const int closed = ModalWatchdog::Instance().Closed();
    QMessageBox box(QMessageBox::Question, QStringLiteral("VornPrn"), QStringLiteral("是否继续？"),
                    QMessageBox::Yes | QMessageBox::No);
    QTimer::singleShot(400, &box, [&box] { box.done(QMessageBox::Yes); });
    EXPECT_EQ(box.exec(), QMessageBox::Yes);
    EXPECT_EQ(ModalWatchdog::Instance().Closed(), closed);
}
