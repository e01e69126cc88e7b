#pragma once
// The slip template: page settings, the geometry that repeats one stake on a ticket, the
// background picture of the scanned slip, and the ordered, keyed list of elements that make up
// the layout of the first stake.
//
// Elements are stored under "A" + KeyName, compared without regard to letter case. Add, Item,
// Find and range-for hand out the stored element itself; a pointer or reference to it stays
// valid until that element is removed (Remove, RemoveAll) or the template is destroyed or
// assigned: adding and removing other elements does not move it. Copies of the template hold
// copies of the elements. Whoever keeps an element across an edit of the list that might
// remove it (the designer's current element and selection) keeps its key instead.
#include "common/KeyedCollection.h"
#include "model/clsPLControl.h"

#include <QString>

class colPLControls {
public:
    using Elements = KeyedCollection<clsPLControl>;

    // Copies the page setup (paper, orientation, margins, columns and rows, body line flag);
    // not the header and footer texts, not the layout shift.
    void CopyPaperSettingFrom(const colPLControls &other);

    // Stores a copy under "A" + KeyName at the end; nullptr (nothing stored) when that key is
    // already present.
    clsPLControl *Add(const clsPLControl &element);
    // By 1-based position or by key ("A" + KeyName); throws KeyedCollectionError when absent.
    clsPLControl &Item(int position);
    const clsPLControl &Item(int position) const;
    clsPLControl &Item(const QString &key);
    const clsPLControl &Item(const QString &key) const;
    // By key ("A" + KeyName); nullptr when absent.
    clsPLControl *Find(const QString &key);
    const clsPLControl *Find(const QString &key) const;
    qint32 Count() const { return m_Elements.Count(); }
    // Throws KeyedCollectionError when absent. Removing by key is O(1); the order closes up
    // on the next access by position.
    void Remove(int position);
    void Remove(const QString &key);
    // O(n).
    void RemoveAll();
    // The element list in order (what NewEnum enumerates).
    Elements &NewEnum() { return m_Elements; }
    const Elements &NewEnum() const { return m_Elements; }
    Elements::iterator begin() { return m_Elements.begin(); }
    Elements::iterator end() { return m_Elements.end(); }
    Elements::const_iterator begin() const { return m_Elements.begin(); }
    Elements::const_iterator end() const { return m_Elements.end(); }
    void Reserve(int n) { m_Elements.Reserve(n); }

    // The key an element is stored under.
    static QString KeyOf(const QString &keyName) { return QStringLiteral("A") + keyName; }

    QString PackNameNoUse() const { return m_PackNameNoUse; }
    void setPackNameNoUse(const QString &v) { m_PackNameNoUse = v; }
    QString LayoutName() const { return m_LayoutName; }
    void setLayoutName(const QString &v) { m_LayoutName = v; }
    // Paper size and margins are twips.
    float PaperWidth() const { return m_PaperWidth; }
    void setPaperWidth(float v) { m_PaperWidth = v; }
    float PaperHeight() const { return m_PaperHeight; }
    void setPaperHeight(float v) { m_PaperHeight = v; }
    float PaperMarginLeft() const { return m_PaperMarginLeft; }
    void setPaperMarginLeft(float v) { m_PaperMarginLeft = v; }
    float PaperMarginRight() const { return m_PaperMarginRight; }
    void setPaperMarginRight(float v) { m_PaperMarginRight = v; }
    float PaperMarginTop() const { return m_PaperMarginTop; }
    void setPaperMarginTop(float v) { m_PaperMarginTop = v; }
    float PaperMarginBottom() const { return m_PaperMarginBottom; }
    void setPaperMarginBottom(float v) { m_PaperMarginBottom = v; }
    qint32 PaperColumns() const { return m_PaperColumns; }
    void setPaperColumns(qint32 v) { m_PaperColumns = v; }
    qint32 PaperColumnSpace() const { return m_PaperColumnSpace; }
    void setPaperColumnSpace(qint32 v) { m_PaperColumnSpace = v; }
    qint32 PaperRows() const { return m_PaperRows; }
    void setPaperRows(qint32 v) { m_PaperRows = v; }
    qint32 PaperRowSpace() const { return m_PaperRowSpace; }
    void setPaperRowSpace(qint32 v) { m_PaperRowSpace = v; }
    QString PaperHeaderText() const { return m_PaperHeaderText; }
    void setPaperHeaderText(const QString &v) { m_PaperHeaderText = v; }
    QString PaperFooterText() const { return m_PaperFooterText; }
    void setPaperFooterText(const QString &v) { m_PaperFooterText = v; }
    // 0 portrait, 1 landscape.
    qint32 PaperOrientation() const { return m_PaperOrientation; }
    void setPaperOrientation(qint32 v) { m_PaperOrientation = v; }
    qint32 IsPrintBodyLine() const { return m_IsPrintBodyLine; }
    void setIsPrintBodyLine(qint32 v) { m_IsPrintBodyLine = v; }
    // The print surface's paper-size code; 0 leaves the surface's paper as it is.
    qint32 PaperSize() const { return m_PaperSize; }
    void setPaperSize(qint32 v) { m_PaperSize = v; }
    // The template file this object was last loaded from or saved to.
    QString PathFile() const { return m_PathFile; }
    void setPathFile(const QString &v) { m_PathFile = v; }
    double LottNumberWidth() const { return m_LottNumberWidth; }
    void setLottNumberWidth(double v) { m_LottNumberWidth = v; }
    double LottNumberHeight() const { return m_LottNumberHeight; }
    void setLottNumberHeight(double v) { m_LottNumberHeight = v; }
    // Comma lists of the stakes' positions on a ticket; full-width commas become ",".
    QString StakeLocateOffsetStrX() const { return m_StakeLocateOffsetStrX; }
    void setStakeLocateOffsetStrX(const QString &v);
    QString StakeLocateOffsetStrY() const { return m_StakeLocateOffsetStrY; }
    void setStakeLocateOffsetStrY(const QString &v);
    // The larger entry count of the two offset lists, at least 1.
    qint16 StakeCountPerTicket() const { return m_StakeCountPerTicket; }
    // One entry per fill area: how many numbers are marked in it ("6,1").
    QString GroupLottNumberCountStr() const { return m_GroupLottNumberCountStr; }
    void setGroupLottNumberCountStr(const QString &v);
    // The picture path resolved against the template's folder: a bare file name is found
    // beside the template file, a stored path with a folder is returned as it is.
    QString BackPicPathFile() const;
    void setBackPicPathFile(const QString &v) { m_BackPicPathFile = v; }
    // The text as it was set, before resolving.
    QString BackPicPathFileStored() const { return m_BackPicPathFile; }
    double BackPicLeft() const { return m_BackPicLeft; }
    void setBackPicLeft(double v) { m_BackPicLeft = v; }
    double BackPicTop() const { return m_BackPicTop; }
    void setBackPicTop(double v) { m_BackPicTop = v; }
    double BackPicWidth() const { return m_BackPicWidth; }
    void setBackPicWidth(double v) { m_BackPicWidth = v; }
    double BackPicHeight() const { return m_BackPicHeight; }
    void setBackPicHeight(double v) { m_BackPicHeight = v; }
    // Number of fill areas per stake, at least 1.
    qint16 GroupCount() const { return m_GroupCount; }
    double LayoutLeft() const { return m_LayoutLeft; }
    void setLayoutLeft(double v) { m_LayoutLeft = v; }
    double LayoutTop() const { return m_LayoutTop; }
    void setLayoutTop(double v) { m_LayoutTop = v; }
    // 1 marks a chosen number with a cross, anything else with a filled rectangle.
    qint16 MarkStyle() const { return m_MarkStyle; }
    void setMarkStyle(qint16 v) { m_MarkStyle = v; }

private:
    static QString ReplaceFullWidthComma(const QString &text);
    void recountStakes();

    Elements m_Elements;

    QString m_PackNameNoUse;
    QString m_LayoutName;
    float m_PaperWidth = 0;
    float m_PaperHeight = 0;
    float m_PaperMarginLeft = 0;
    float m_PaperMarginRight = 0;
    float m_PaperMarginTop = 0;
    float m_PaperMarginBottom = 0;
    qint32 m_PaperColumns = 0;
    qint32 m_PaperColumnSpace = 0;
    qint32 m_PaperRows = 0;
    qint32 m_PaperRowSpace = 0;
    QString m_PaperHeaderText;
    QString m_PaperFooterText;
    qint32 m_PaperOrientation = 0;
    qint32 m_IsPrintBodyLine = 0;
    qint32 m_PaperSize = 0;
    QString m_PathFile;
    double m_LottNumberWidth = 3.0;
    double m_LottNumberHeight = 1.5;
    QString m_StakeLocateOffsetStrX = QStringLiteral("0,0,0,0,0");
    QString m_StakeLocateOffsetStrY = QStringLiteral("0,28.5,57,85.5,114");
    qint16 m_StakeCountPerTicket = 5;
    QString m_GroupLottNumberCountStr = QStringLiteral("7");
    QString m_BackPicPathFile;
    double m_BackPicLeft = 0;
    double m_BackPicTop = 0;
    double m_BackPicWidth = 100;
    double m_BackPicHeight = 100;
    qint16 m_GroupCount = 1;
    double m_LayoutLeft = 0;
    double m_LayoutTop = 0;
    qint16 m_MarkStyle = 0;
};
