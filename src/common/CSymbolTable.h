#pragma once
#include "common/VornEvalError.h"
#include <QHash>
#include <QString>
#include <QVariant>

// Names of an expression and their values; names match without regard to letter case.
class CSymbolTable {
public:
    void Add(const QString &name, const QVariant &value); // 1020 / 1021
    void Delete(const QString &name);
    bool IsSymbolDefined(const QString &name) const;
    double Value(const QString &name) const;               // 1022
    void SetValue(const QString &name, const QVariant &value); // 1022 / 1020
    int Count() const { return int(m_values.size()); }

private:
    QHash<QString, double> m_values;
};
