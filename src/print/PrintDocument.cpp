#include "print/PrintDocument.h"

QStringView PrintDocument::Text(quint32 i) const
{
    const quint32 begin = m_textStarts[i];
    return QStringView(m_textPool.data() + begin, qsizetype(m_textStarts[i + 1] - begin));
}

void PrintDocument::Clear()
{
    m_docName.clear();
    m_ops.clear();
    m_pageStarts.clear();
    m_states.clear();
    m_stateIndex.clear();
    m_textPool.clear();
    m_textStarts.assign(1, 0);
    m_textIndex.clear();
    m_pictures.clear();
}

void PrintDocument::AddOp(const DrawOp &op)
{
    if (m_pageStarts.empty())
        AddPage();
    m_ops.push_back(op);
}

quint32 PrintDocument::AddState(const DrawState &s)
{
    auto it = m_stateIndex.constFind(s);
    if (it != m_stateIndex.constEnd())
        return *it;
    const quint32 index = quint32(m_states.size());
    m_states.push_back(s);
    m_stateIndex.insert(s, index);
    return index;
}

quint32 PrintDocument::AddText(QStringView text)
{
    const size_t h = qHash(text);
    for (auto it = m_textIndex.constFind(h); it != m_textIndex.constEnd() && it.key() == h; ++it) {
        if (Text(*it) == text)
            return *it;
    }
    const quint32 index = quint32(m_textStarts.size() - 1);
    m_textPool.insert(m_textPool.end(), text.utf16(), text.utf16() + text.size());
    m_textStarts.push_back(quint32(m_textPool.size()));
    m_textIndex.insert(h, index);
    return index;
}

quint32 PrintDocument::AddPicture(const PrintPicture &p)
{
    for (size_t i = 0; i < m_pictures.size(); ++i) {
        if (m_pictures[i].identity() == p.identity() && m_pictures[i].path() == p.path())
            return quint32(i);
    }
    m_pictures.push_back(p);
    return quint32(m_pictures.size() - 1);
}

size_t PrintDocument::MemoryBytes() const
{
    // A hash node costs its key and value plus about two pointers of bookkeeping.
    const size_t hashNode = sizeof(size_t) + sizeof(quint32) + 2 * sizeof(void *);
    return m_ops.capacity() * sizeof(DrawOp) + m_pageStarts.capacity() * sizeof(quint32)
           + m_states.capacity() * (sizeof(DrawState) + hashNode)
           + m_textPool.capacity() * sizeof(char16_t) + m_textStarts.capacity() * sizeof(quint32)
           + size_t(m_textIndex.size()) * hashNode + m_pictures.capacity() * sizeof(PrintPicture);
}
