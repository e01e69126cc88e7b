#include "model/colPLControls.h"

#include "common/PathFile.h"

#include <algorithm>
#include <limits>

namespace {
// Pieces of a comma list: an empty text has none, every "," adds one.
qint64 commaPieces(const QString &text)
{
    return text.isEmpty() ? 0 : text.count(QLatin1Char(',')) + 1;
}

qint16 atLeastOne(qint64 n)
{
    return qint16(std::clamp<qint64>(n, 1, std::numeric_limits<qint16>::max()));
}
} // namespace

void colPLControls::CopyPaperSettingFrom(const colPLControls &other)
{
    m_PaperWidth = other.m_PaperWidth;
    m_PaperHeight = other.m_PaperHeight;
    m_PaperSize = other.m_PaperSize;
    m_PaperOrientation = other.m_PaperOrientation;
    m_PaperMarginLeft = other.m_PaperMarginLeft;
    m_PaperMarginRight = other.m_PaperMarginRight;
    m_PaperMarginTop = other.m_PaperMarginTop;
    m_PaperMarginBottom = other.m_PaperMarginBottom;
    m_PaperColumns = other.m_PaperColumns;
    m_PaperColumnSpace = other.m_PaperColumnSpace;
    m_PaperRows = other.m_PaperRows;
    m_PaperRowSpace = other.m_PaperRowSpace;
    m_IsPrintBodyLine = other.m_IsPrintBodyLine;
}

clsPLControl *colPLControls::Add(const clsPLControl &element)
{
    return m_Elements.Add(KeyOf(element.KeyName()), element);
}

clsPLControl &colPLControls::Item(int position) { return m_Elements.Item(position); }
const clsPLControl &colPLControls::Item(int position) const { return m_Elements.Item(position); }
clsPLControl &colPLControls::Item(const QString &key) { return m_Elements.Item(key); }
const clsPLControl &colPLControls::Item(const QString &key) const
{
    const clsPLControl *found = m_Elements.Find(key);
    if (!found)
        throw KeyedCollectionError("key not found");
    return *found;
}
clsPLControl *colPLControls::Find(const QString &key) { return m_Elements.Find(key); }
const clsPLControl *colPLControls::Find(const QString &key) const { return m_Elements.Find(key); }
void colPLControls::Remove(int position) { m_Elements.Remove(position); }
void colPLControls::Remove(const QString &key) { m_Elements.Remove(key); }

void colPLControls::RemoveAll() { m_Elements.Clear(); }

QString colPLControls::ReplaceFullWidthComma(const QString &text)
{
    QString out = text;
    return out.replace(QChar(0xFF0C), QLatin1Char(','));
}

void colPLControls::setStakeLocateOffsetStrX(const QString &v)
{
    m_StakeLocateOffsetStrX = ReplaceFullWidthComma(v);
    recountStakes();
}

void colPLControls::setStakeLocateOffsetStrY(const QString &v)
{
    m_StakeLocateOffsetStrY = ReplaceFullWidthComma(v);
    recountStakes();
}

void colPLControls::recountStakes()
{
    const qint64 nX = commaPieces(m_StakeLocateOffsetStrX);
    const qint64 nY = commaPieces(m_StakeLocateOffsetStrY);
    m_StakeCountPerTicket = atLeastOne(nX > nY ? nX : nY);
}

void colPLControls::setGroupLottNumberCountStr(const QString &v)
{
    m_GroupLottNumberCountStr = ReplaceFullWidthComma(v);
    m_GroupCount = atLeastOne(commaPieces(m_GroupLottNumberCountStr));
}

QString colPLControls::BackPicPathFile() const
{
    const PathParts picture = SplitPathFile(m_BackPicPathFile);
    if (!picture.folder.isEmpty())
        return picture.folder + picture.fileName;
    return SplitPathFile(m_PathFile).folder + picture.fileName;
}
