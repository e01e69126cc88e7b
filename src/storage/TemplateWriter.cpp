#include "storage/TemplateText.h"
#include "model/ElementFields.h"

#include "common/PathFile.h"
#include "common/VbFormat.h"

namespace {
class Lines {
public:
    explicit Lines(qsizetype expected) { m_text.reserve(expected); }
    void line(QLatin1String text)
    {
        m_text += text;
        m_text += QLatin1String("\r\n");
    }
    void key(QLatin1String key, const QString &value)
    {
        m_text += key;
        m_text += QLatin1Char('=');
        m_text += value;
        m_text += QLatin1String("\r\n");
    }
    void key(QLatin1String k, double v) { key(k, GeneralDouble(v)); }
    void key(QLatin1String k, float v) { key(k, GeneralSingle(v)); }
    void key(QLatin1String k, qint32 v) { key(k, QString::number(v)); }
    void key(QLatin1String k, qint16 v) { key(k, QString::number(v)); }
    void key(QLatin1String k, bool v) { key(k, v ? QStringLiteral("True") : QStringLiteral("False")); }
    QString take() { return std::move(m_text); }
    QString &text() { return m_text; }

private:
    QString m_text;
};

QString storedPictureName(const colPLControls &layout, const QString &filePath)
{
    const QString picture = layout.BackPicPathFile();
    const PathParts pic = SplitPathFile(picture);
    // A picture stored by name must be found again beside the template.
    return SameFolder(pic.folder, SplitPathFile(filePath).folder) ? pic.fileName : picture;
}

void writeBase(Lines &out, const colPLControls &t, const QString &filePath)
{
    out.line(QLatin1String("[Base]"));
    out.key(QLatin1String("PackName"), t.PackNameNoUse());
    out.key(QLatin1String("LayoutName"), t.LayoutName());
    out.key(QLatin1String("LayoutLeft"), t.LayoutLeft());
    out.key(QLatin1String("LayoutTop"), t.LayoutTop());
    out.key(QLatin1String("MarkStyle"), t.MarkStyle());
    out.key(QLatin1String("LottNumberWidth"), t.LottNumberWidth());
    out.key(QLatin1String("LottNumberHeight"), t.LottNumberHeight());
    out.key(QLatin1String("StakeLocateOffsetStrX"), t.StakeLocateOffsetStrX());
    out.key(QLatin1String("StakeLocateOffsetStrY"), t.StakeLocateOffsetStrY());
    out.key(QLatin1String("GroupLottNumberCountStr"), t.GroupLottNumberCountStr());
    out.key(QLatin1String("BackPicPathFile"), storedPictureName(t, filePath));
    out.key(QLatin1String("BackPicLeft"), t.BackPicLeft());
    out.key(QLatin1String("BackPicTop"), t.BackPicTop());
    out.key(QLatin1String("BackPicWidth"), t.BackPicWidth());
    out.key(QLatin1String("BackPicHeight"), t.BackPicHeight());
    out.key(QLatin1String("PaperWidth"), t.PaperWidth());
    out.key(QLatin1String("PaperHeight"), t.PaperHeight());
    out.key(QLatin1String("PaperSize"), t.PaperSize());
    out.key(QLatin1String("PaperOrientation"), t.PaperOrientation());
    out.key(QLatin1String("PaperMarginLeft"), t.PaperMarginLeft());
    out.key(QLatin1String("PaperMarginRight"), t.PaperMarginRight());
    out.key(QLatin1String("PaperMarginTop"), t.PaperMarginTop());
    out.key(QLatin1String("PaperMarginBottom"), t.PaperMarginBottom());
    out.key(QLatin1String("PaperColumns"), t.PaperColumns());
    out.key(QLatin1String("PaperColumnSpace"), t.PaperColumnSpace());
    out.key(QLatin1String("PaperRows"), t.PaperRows());
    out.key(QLatin1String("PaperRowSpace"), t.PaperRowSpace());
    out.key(QLatin1String("PaperHeaderText"), t.PaperHeaderText());
    out.key(QLatin1String("PaperFooterText"), t.PaperFooterText());
    out.key(QLatin1String("IsPrintBodyLine"), t.IsPrintBodyLine() == 0 ? QStringLiteral("0")
                                                                        : QStringLiteral("1"));
    out.key(QLatin1String("ControlCount"), qint32(t.Count()));
}

void writeElement(Lines &out, const clsPLControl &c, int n)
{
    out.line(QLatin1String(""));
    out.text() += QLatin1String("[Controls");
    out.text() += QString::number(n);
    out.text() += QLatin1String("]\r\n");
    // A number block or mark has a fixed style that the reader derives.
    const bool styleStored = !c.IsBlockOrMark();
    for (const ElementField &f : ElementFields()) {
        if (f.Storage == ElementFieldStorage::Never
            || (f.Storage == ElementFieldStorage::LabelStyle && !styleStored))
            continue;
        const QLatin1String name(f.Name);
        switch (f.Type) {
        case ElementFieldType::Text: out.key(name, (c.*f.GetText)()); break;
        case ElementFieldType::Double: out.key(name, (c.*f.GetDouble)()); break;
        case ElementFieldType::Int32: out.key(name, (c.*f.GetInt32)()); break;
        case ElementFieldType::Bool: out.key(name, (c.*f.GetBool)()); break;
        }
    }
}
} // namespace

QString TemplateToText(const colPLControls &layout, const QString &filePath)
{
    Lines out(1200 + qsizetype(layout.Count()) * 260);
    writeBase(out, layout, filePath);
    int n = 0;
    for (const clsPLControl &c : layout)
        writeElement(out, c, ++n);
    return out.take();
}
