#include "common/Conversions.h"
#include "common/ToNumber.h"
#include "common/VbFormat.h"

#include <QDateTime>
#include <cmath>

namespace {
bool isNumberType(int type)
{
    switch (type) {
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Int: case QMetaType::UInt:
    case QMetaType::LongLong: case QMetaType::ULongLong: case QMetaType::Short:
    case QMetaType::UShort: case QMetaType::Char: case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool isListType(int type)
{
    return type == QMetaType::QVariantList || type == QMetaType::QStringList;
}
} // namespace

QString VariantText(const QVariant &value, bool *ok)
{
    if (ok)
        *ok = true;
    const int type = value.typeId();
    if (!value.isValid())
        return QString();
    switch (type) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
        return GeneralDouble(value.toDouble());
    case QMetaType::Float:
        return GeneralSingle(value.toFloat());
    case QMetaType::QDateTime:
        return VbFormatDate(value.toDateTime(), QStringLiteral("yyyy-mm-dd HH:NN"));
    default:
        break;
    }
    if (isNumberType(type))
        return value.toString();
    if (isListType(type) || !value.canConvert<QString>()) {
        if (ok)
            *ok = false;
        return QString();
    }
    return value.toString();
}

bool ToBoolean(const QVariant &value, bool defaultValue)
{
    const int type = value.typeId();
    if (type == QMetaType::Bool)
        return value.toBool();
    if (isNumberType(type))
        return value.toDouble() != 0;
    if (type == QMetaType::QString) {
        const QString t = value.toString().trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        bool ok = false;
        const double d = t.toDouble(&ok);
        return ok ? d != 0 : defaultValue;
    }
    return defaultValue;
}

qint32 ToLong(const QVariant &value, qint32 defaultValue)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1 : 0;
    const double v = ToNumber(value, defaultValue, 0);
    if (!std::isfinite(v) || v < -2147483648.0 || v > 2147483647.0)
        return defaultValue;
    return qint32(v);
}

bool IsNullOrEmpty(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return true;
    return value.typeId() == QMetaType::QString && value.toString().isEmpty();
}

QString FormatValue(const QVariant &value, const QString &format, const QString &emptyText)
{
    if (IsNullOrEmpty(value))
        return emptyText;
    if (!format.isEmpty()) {
        const int type = value.typeId();
        if (type == QMetaType::QDateTime)
            return VbFormatDate(value.toDateTime(), format);
        if (type == QMetaType::QDate)
            return VbFormatDate(QDateTime(value.toDate(), QTime(0, 0)), format);
        if (type == QMetaType::Bool)
            return VbFormatNumber(value.toBool() ? -1 : 0, format);
        if (isNumberType(type))
            return VbFormatNumber(value.toDouble(), format);
        bool ok = false;
        const double d = value.toString().trimmed().toDouble(&ok);
        if (ok)
            return VbFormatNumber(d, format);
    }
    bool ok = false;
    const QString t = VariantText(value, &ok);
    return ok ? t : emptyText;
}

qint32 SafeUBound(const QVariant &array)
{
    if (array.typeId() == QMetaType::QVariantList)
        return qint32(array.toList().size()) - 1;
    if (array.typeId() == QMetaType::QStringList)
        return qint32(array.toStringList().size()) - 1;
    return -1;
}

qint32 SafeLBound(const QVariant &array)
{
    return isListType(array.typeId()) ? 0 : -1;
}
