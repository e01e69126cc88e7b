#pragma once
// A recorded document: its name, page set-up and, per page, the drawing operations with the
// state in force. Kept compact for documents of tens of thousands of pages: operations are
// fixed-size records in one array, pages are ranges of it, states, texts and pictures are
// stored once and referred to by number.
#include "print/DrawState.h"
#include "print/PageSetup.h"
#include "print/PrintPicture.h"

#include <QMultiHash>
#include <QString>
#include <QStringView>
#include <vector>

enum class OpKind : quint8 { Rect, Line, Text, Picture };

struct DrawOp {
    OpKind Kind;
    bool Fill;      // text: fill the box with the brush, outline it with the pen
    quint32 State;  // index into the document's states
    // Rect and Line: x1, y1, x2, y2. Text and Picture: left, top, width, height.
    float A, B, C, D;
    quint32 Ref;    // Text: index of the text; Picture: index of the picture
};

class PrintDocument {
public:
    const QString &DocName() const { return m_docName; }
    void setDocName(const QString &v) { m_docName = v; }
    const PageSetup &Setup() const { return m_setup; }
    void setSetup(const PageSetup &s) { m_setup = s; }

    int PageCount() const { return int(m_pageStarts.size()); }
    const DrawOp *PageBegin(int page) const { return m_ops.data() + m_pageStarts[size_t(page)]; }
    const DrawOp *PageEnd(int page) const
    {
        return m_ops.data() + (size_t(page) + 1 < m_pageStarts.size() ? m_pageStarts[size_t(page) + 1]
                                                                       : m_ops.size());
    }
    int OpCount() const { return int(m_ops.size()); }
    const DrawState &State(quint32 i) const { return m_states[i]; }
    int StateCount() const { return int(m_states.size()); }
    QStringView Text(quint32 i) const;
    const PrintPicture &Picture(quint32 i) const { return m_pictures[i]; }

    // Recording.
    void Clear();
    void AddPage() { m_pageStarts.push_back(quint32(m_ops.size())); }
    void AddOp(const DrawOp &op);
    quint32 AddState(const DrawState &s);
    quint32 AddText(QStringView text);
    quint32 AddPicture(const PrintPicture &p);

    // Bytes held by the document's own storage (the shared pictures not counted).
    size_t MemoryBytes() const;

private:
    QString m_docName;
    PageSetup m_setup;
    std::vector<DrawOp> m_ops;
    std::vector<quint32> m_pageStarts;
    std::vector<DrawState> m_states;
    QHash<DrawState, quint32> m_stateIndex;
    // Texts one after another; text i is [m_textStarts[i], m_textStarts[i + 1]).
    std::vector<char16_t> m_textPool;
    std::vector<quint32> m_textStarts{0};
    QMultiHash<size_t, quint32> m_textIndex;
    std::vector<PrintPicture> m_pictures;
};
