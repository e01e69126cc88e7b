#pragma once
// Tolerant conversions: they never fail, they return the caller's default instead.
#include <QString>
#include <QVariant>

bool ToBoolean(const QVariant &value, bool defaultValue);
// Booleans give -1/0; anything else goes through ToNumber with 0 decimals.
qint32 ToLong(const QVariant &value, qint32 defaultValue);
// emptyText when the value is empty/null or cannot become text; the value formatted with the
// number/date pattern when one is given; otherwise the value's plain text.
QString FormatValue(const QVariant &value, const QString &format, const QString &emptyText);
bool IsNullOrEmpty(const QVariant &value);
// Bounds of a one-dimensional array (a QVariantList or QStringList); -1 for anything else.
// An empty list has the upper bound -1 and the lower bound 0.
qint32 SafeUBound(const QVariant &array);
qint32 SafeLBound(const QVariant &array);
// The text form of a value as the program writes it everywhere (numbers through VbFormat's
// general form, booleans as "True"/"False").
QString VariantText(const QVariant &value, bool *ok = nullptr);
