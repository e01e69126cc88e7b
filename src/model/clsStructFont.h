#pragma once
#include <QString>

// A font choice carried between the property grid and the font chooser.
class clsStructFont {
public:
    bool FontBold() const { return m_FontBold; }
    void setFontBold(bool v) { m_FontBold = v; }
    bool FontItalic() const { return m_FontItalic; }
    void setFontItalic(bool v) { m_FontItalic = v; }
    QString FontName() const { return m_FontName; }
    void setFontName(const QString &v) { m_FontName = v; }
    qint32 FontSize() const { return m_FontSize; }
    void setFontSize(qint32 v) { m_FontSize = v; }
    bool FontStrikethru() const { return m_FontStrikethru; }
    void setFontStrikethru(bool v) { m_FontStrikethru = v; }
    bool FontUnderline() const { return m_FontUnderline; }
    void setFontUnderline(bool v) { m_FontUnderline = v; }
    qint32 FontColor() const { return m_FontColor; }
    void setFontColor(qint32 v) { m_FontColor = v; }

private:
    bool m_FontBold = false;
    bool m_FontItalic = false;
    QString m_FontName;
    qint32 m_FontSize = 0;
    bool m_FontStrikethru = false;
    bool m_FontUnderline = false;
    qint32 m_FontColor = 0;
};
