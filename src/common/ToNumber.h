#pragma once
#include <QVariant>

// The conversion of every numeric field: a boolean gives -1/0; a plain numeric text is taken
// directly; any other text is evaluated as an arithmetic expression (default on failure).
// decimals < 0 leaves the value as it is, 0 rounds to a whole number, n > 0 to n decimals,
// halves away from zero. Never fails: any failure gives the default. An empty text gives 0.
double ToNumber(const QVariant &value, double defaultValue = 0, int decimals = -1);

// True when a typed text reads as a number: a plain number or an arithmetic expression that
// evaluates. An empty (or blank) text is not a number here, unlike ToNumber's 0: a box the user
// emptied must not silently become 0 millimetres or 0 pages.
bool ConvertsToNumber(const QString &text);

// What every window says of a typed value it refuses.
inline QString InvalidValueMessage() { return QStringLiteral("请输入合法值！"); }
