#include "common/CSymbolTable.h"

namespace {
QString fold(const QString &name) { return name.toCaseFolded(); }

bool numericValue(const QVariant &value, double &out)
{
    bool ok = false;
    switch (value.typeId()) {
    case QMetaType::Bool:
        out = value.toBool() ? -1 : 0;
        return true;
    case QMetaType::QString:
        out = value.toString().trimmed().toDouble(&ok);
        return ok;
    default:
        out = value.toDouble(&ok);
        return ok;
    }
}
} // namespace

void CSymbolTable::Add(const QString &name, const QVariant &value)
{
    double v = 0;
    if (!numericValue(value, v))
        throw VornEvalError(1020, QStringLiteral("Invalid symbol value"));
    if (m_values.contains(fold(name)))
        throw VornEvalError(1021, QStringLiteral("Symbol already defined"));
    m_values.insert(fold(name), v);
}

void CSymbolTable::Delete(const QString &name) { m_values.remove(fold(name)); }

bool CSymbolTable::IsSymbolDefined(const QString &name) const { return m_values.contains(fold(name)); }

double CSymbolTable::Value(const QString &name) const
{
    auto it = m_values.constFind(fold(name));
    if (it == m_values.constEnd())
        throw VornEvalError(1022, QStringLiteral("Symbol not defined"));
    return *it;
}

void CSymbolTable::SetValue(const QString &name, const QVariant &value)
{
    auto it = m_values.find(fold(name));
    if (it == m_values.end())
        throw VornEvalError(1022, QStringLiteral("Symbol not defined"));
    double v = 0;
    if (!numericValue(value, v))
        throw VornEvalError(1020, QStringLiteral("Invalid symbol value"));
    *it = v;
}
