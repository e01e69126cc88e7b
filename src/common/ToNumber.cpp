#include "common/ToNumber.h"
#include "common/CEval.h"
#include "common/VbFormat.h"

#include <QRegularExpression>
#include <cmath>

namespace {
bool plainNumber(const QString &text, double &out)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    if (text.size() > 400 || !re.match(text).hasMatch())
        return false;
    QString t = text.trimmed();
    // "5." and ".5" are numbers to the user; QString::toDouble wants digits on both sides.
    t.replace(QRegularExpression(QStringLiteral("\\.(?=$|[eE])")), QStringLiteral(".0"));
    bool ok = false;
    out = t.toDouble(&ok);
    return ok;
}
} // namespace

double ToNumber(const QVariant &value, double defaultValue, int decimals)
{
    try {
        double v = 0;
        const int type = value.typeId();
        if (type == QMetaType::Bool) {
            v = value.toBool() ? -1 : 0;
        } else if (type == QMetaType::Double || type == QMetaType::Float || type == QMetaType::Int
                   || type == QMetaType::LongLong || type == QMetaType::UInt
                   || type == QMetaType::ULongLong || type == QMetaType::Short) {
            v = value.toDouble();
        } else {
            const QString text = value.toString();
            if (!plainNumber(text, v)) {
                CEval eval;
                v = eval.Evaluate(text, defaultValue);
            }
        }
        if (!std::isfinite(v))
            return defaultValue;
        if (decimals >= 0)
            v = RoundHalfAway(v, decimals);
        return v;
    } catch (...) {
        return defaultValue;
    }
}
