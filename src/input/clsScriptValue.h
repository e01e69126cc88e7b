#pragma once
// What a conversion script sees of the import, under the name "obj": the whole input file as
// `Source`, and the output lines it fills with `SetArrayReturn`.
#include <QString>
#include <QStringList>

class clsScriptValue {
public:
    // More output lines than this are refused (the script fails with a subscript error), so a
    // wild index cannot eat the machine's memory.
    static constexpr qint32 kMaxOutputLines = 10'000'000;

    QString Source() const { return m_Source; }
    void setSource(const QString &v) { m_Source = v; }
    // Spare: the program neither sets nor reads it.
    QString Result() const { return m_Result; }
    void setResult(const QString &v) { m_Result = v; }

    // A copy of the output lines, element 0 first.
    QStringList GetArrayReturn() const { return m_Lines; }
    // Grows the output to elements 0 .. Index when Index is beyond the last one (new elements
    // empty), then sets element Index. False for an index below 0 or beyond kMaxOutputLines - 1.
    bool SetArrayReturn(qint64 Index, const QString &Value);

private:
    QString m_Source;
    QString m_Result;
    QStringList m_Lines;
};
