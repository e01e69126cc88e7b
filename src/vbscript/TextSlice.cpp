#include "vbscript/TextSlice.h"

namespace vbs {

QString sharedSlice(const QString &text, qsizetype pos, qsizetype len)
{
    if (len <= 0)
        return QString();
    if (pos == 0 && len == text.size())
        return text;
    // A copy of the text's data pointer holds a reference to its storage; pointing it at the
    // part makes a string of that part. Qt keeps the storage until the last such string goes,
    // and copies the characters first when one of them is changed while another holds them.
    QString::DataPointer part = text.data_ptr();
    part.ptr += pos;
    part.size = len;
    return QString(std::move(part));
}

QString sharedSlice(QString &&text, qsizetype pos, qsizetype len)
{
    if (len <= 0)
        return QString();
    QString::DataPointer &d = text.data_ptr();
    d.ptr += pos;
    d.size = len;
    return std::move(text);
}

} // namespace vbs
