#include "platform/Calculator.h"

#include <QProcess>

QStringList CalculatorPrograms()
{
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
            QStringLiteral("galculator"), QStringLiteral("xcalc")};
}

QString StartCalculator(const ProgramStarter &start)
{
    for (const QString &program : CalculatorPrograms()) {
        const bool started =
            start ? start(program) : QProcess::startDetached(program, QStringList());
        if (started)
            return program;
    }
    return QString();
}
