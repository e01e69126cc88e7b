#include "canvas/CanvasKeyNames.h"

namespace {
// The leading whole number of the key's text after `skip` characters (blanks before it are
// passed over); 0 when it does not start with a digit.
qint64 KeyNameTail(const QString &key, int skip)
{
    int i = skip;
    while (i < key.size() && (key[i] == QLatin1Char(' ') || key[i] == QLatin1Char('\t')))
        ++i;
    qint64 n = 0;
    // Eighteen digits keep the number inside 64 bits; longer runs are cut there.
    for (int digits = 0; i < key.size() && key[i].isDigit() && key[i].unicode() < 128 && digits < 18;
         ++i, ++digits)
        n = n * 10 + (key[i].unicode() - '0');
    return n;
}
} // namespace

void CanvasKeyNames::Add(const QString &keyName)
{
    ++m_after3[KeyNameTail(keyName, 3)];
    ++m_after4[KeyNameTail(keyName, 4)];
}

void CanvasKeyNames::drop(std::map<qint64, int> &counts, qint64 n)
{
    auto it = counts.find(n);
    if (it != counts.end() && --it->second == 0)
        counts.erase(it);
}

void CanvasKeyNames::Remove(const QString &keyName)
{
    drop(m_after3, KeyNameTail(keyName, 3));
    drop(m_after4, KeyNameTail(keyName, 4));
}

void CanvasKeyNames::Clear()
{
    m_after3.clear();
    m_after4.clear();
}

qint64 CanvasKeyNames::largest(const std::map<qint64, int> &counts)
{
    return counts.empty() ? 0 : counts.rbegin()->first;
}

QString CanvasKeyNames::Next(bool line) const
{
    if (line)
        return QStringLiteral("Line") + QString::number(largest(m_after4) + 1);
    return QStringLiteral("lbl") + QString::number(largest(m_after3) + 1);
}
