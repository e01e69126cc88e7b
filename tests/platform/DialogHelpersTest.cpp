#include "platform/AppIcon.h"
#include "platform/Calculator.h"
#include "platform/DialogInput.h"
#include "platform/TenthSpinner.h"
#include "TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

TEST(Calculator, TheFirstThatStartsIsTheOneAndFailureIsQuiet)
{
    struct Case {
        QStringList installed;
        QString started;
    };
    const Case cases[] = {
        {{"gnome-calculator", "xcalc"}, "gnome-calculator"},
        {{"galculator", "xcalc"}, "galculator"},
        {{"xcalc"}, "xcalc"},
        {{}, ""},
    };
    for (const Case &c : cases) {
        QStringList tried;
        const QString started = StartCalculator([&](const QString &program) {
            tried << program;
            return c.installed.contains(program);
        });
        EXPECT_EQ(started, c.started);
        EXPECT_EQ(tried.last(), c.started.isEmpty() ? QString("xcalc") : c.started);
        EXPECT_EQ(tried.first(), "gnome-calculator");
    }
    EXPECT_EQ(CalculatorPrograms(), (QStringList{"gnome-calculator", "kcalc", "galculator", "xcalc"}));
}

TEST(EnterMovesFocus, EnterInAFieldActsAsTabButStillPressesButtons)
{
    QDialog dialog;
    auto *first = new QLineEdit(&dialog);
    auto *check = new QCheckBox("x", &dialog);
    auto *second = new QLineEdit(&dialog);
    auto *ok = new QPushButton("确定", &dialog);
    auto *layout = new QVBoxLayout(&dialog);
    for (QWidget *w : std::initializer_list<QWidget *>{first, check, second, ok})
        layout->addWidget(w);
    EnterMovesFocus(&dialog);
    int pressed = 0;
    QObject::connect(ok, &QPushButton::clicked, [&] { ++pressed; });
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_TRUE(check->hasFocus());
    QTest::keyClick(check, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(second->hasFocus());
    EXPECT_FALSE(check->isChecked());
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Return);
    EXPECT_EQ(pressed, 1);
}

TEST(RejectField, ShowsTheMessageThenSelectsTheField)
{
    ScriptedMsgBox box;
    QDialog dialog;
    auto *field = new QLineEdit("12x", &dialog);
    auto *other = new QLineEdit(&dialog);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(field);
    layout->addWidget(other);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    other->setFocus();
    EXPECT_FALSE(RejectField(field, "请输入合法值！"));
    EXPECT_EQ(box.texts(), QStringList{"请输入合法值！"});
    EXPECT_EQ(box.shown()[0].style, MsgStyle::Information);
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(field->selectedText(), "12x");
    field->setText("3*4");
    EXPECT_TRUE(CheckNumberField(field));
    EXPECT_EQ(box.texts().size(), 1);
}

TEST(NumberBoxGuard, ATextThatIsNotANumberGoesBackToTheLastNumber)
{
    ScriptedMsgBox box;
    QDialog dialog;
    auto *field = new QLineEdit("1.50", &dialog);
    int accepted = 0;
    auto *guard = new NumberBoxGuard(field, [&] { ++accepted; });
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(field);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    field->setFocus();
    struct Step {
        QString typed;
        QString after;
        int accepted;
    };
    const Step steps[] = {{"abc", "1.50", 0}, {"2+1", "2+1", 1}, {"", "2+1", 1}, {"1,5", "2+1", 1}, {"-0.5", "-0.5", 2}};
    for (const Step &s : steps) {
        field->setText(s.typed);
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(field->text(), s.after) << s.typed.toStdString();
        EXPECT_EQ(accepted, s.accepted) << s.typed.toStdString();
    }
    EXPECT_EQ(box.texts().size(), 3);
    field->setText("x");
    EXPECT_FALSE(guard->Check());
    EXPECT_EQ(field->text(), "-0.5");
}

TEST(TenthSpinner, StepsByATenthAndLeavesATypoAlone)
{
    struct Case {
        QString text;
        int direction;
        QString after;
    };
    const Case cases[] = {{"1.00", 1, "1.1"}, {"1.3", -1, "1.2"}, {"0.05", -1, "-0.05"}, {"2*3", 1, "6.1"}, {"abc", 1, "abc"}};
    for (const Case &c : cases)
        EXPECT_EQ(TenthSpinner::Stepped(c.text, c.direction), c.after) << c.text.toStdString();

    QLineEdit box("1.00");
    TenthSpinner spinner(&box, "updLayoutLeft");
    int released = 0;
    QObject::connect(&spinner, &TenthSpinner::released, [&] { ++released; });
    for (int i = 0; i < 3; ++i)
        spinner.UpButton()->click();
    spinner.DownButton()->click();
    EXPECT_EQ(box.text(), "1.2");
    EXPECT_EQ(released, 4);
    EXPECT_EQ(spinner.DownButton()->objectName(), "updLayoutLeftDown");
}

TEST(AppIcon, HasEverySizeTheDesktopAsksFor)
{
    const QIcon icon = AppIcon();
    EXPECT_FALSE(icon.isNull());
    EXPECT_GE(icon.availableSizes().size(), 4);
}
