#pragma once
// The "计算器" button of the dialogs: starts the system calculator. A dialog does not care
// whether one started (its fields take arithmetic themselves), so a failure says nothing.
#include <QString>
#include <QStringList>
#include <functional>

// The calculators tried, in order.
QStringList CalculatorPrograms();

// Starts a program without waiting for it; true when it started.
using ProgramStarter = std::function<bool(const QString &program)>;

// Starts the first calculator of CalculatorPrograms() that starts (with `start`, or detached
// from this process when it is empty) and returns its name; "" when none started.
QString StartCalculator(const ProgramStarter &start = {});
