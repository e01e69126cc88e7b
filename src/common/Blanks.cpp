#include "common/Blanks.h"

QStringView TrimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QString TrimBlanks(const QString &text)
{
    const QStringView t = TrimBlanks(QStringView(text));
    return t.size() == text.size() ? text : t.toString();
}
