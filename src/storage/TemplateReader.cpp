#include "storage/TemplateText.h"

#include "common/PathFile.h"
#include "common/ToNumber.h"
#include "model/ElementFields.h"
#include "storage/StrictConvert.h"

#include <optional>

namespace {
// Values come back as a private-profile read gives them: cut to 1999 characters, cut before a
// NUL, trimmed. A missing key gives nullopt, so the caller keeps its current value.
class SectionReader {
public:
    SectionReader(const IniSections &doc, const QString &section)
        : m_doc(doc), m_section(doc.FindSection(section))
    {
    }

    std::optional<QString> raw(QLatin1String key) const
    {
        const std::optional<QStringView> v = m_doc.Value(m_section, key);
        if (!v)
            return std::nullopt;
        return cut(v->toString());
    }

    QString text(QLatin1String key, const QString &current) const
    {
        std::optional<QString> v = raw(key);
        return v ? *v : cut(current);
    }

    // Strict numbers and flags: a missing key keeps `value`; a present one that does not
    // convert gives false.
    template <class T>
    bool number(QLatin1String key, T &value, bool (*convert)(QStringView, T *)) const
    {
        const std::optional<QStringView> v = m_doc.Value(m_section, key);
        if (!v)
            return true;
        // Numbers are short; only an odd value needs the full profile-read treatment.
        if (v->size() < 1999 && !v->contains(QChar(0)))
            return convert(*v, &value);
        return convert(cut(v->toString()), &value);
    }

private:
    static QString cut(QString v)
    {
        if (v.size() > 1999)
            v.truncate(1999);
        return StripNull(v, true);
    }

    const IniSections &m_doc;
    int m_section;
};

template <class T, class Get, class Set>
bool readNumber(const SectionReader &r, const char *key, colPLControls &t, Get get, Set set,
                bool (*convert)(QStringView, T *))
{
    T value = (t.*get)();
    if (!r.number(QLatin1String(key), value, convert))
        return false;
    (t.*set)(value);
    return true;
}

template <class Get, class Set>
void readText(const SectionReader &r, const char *key, colPLControls &t, Get get, Set set)
{
    (t.*set)(r.text(QLatin1String(key), (t.*get)()));
}

// The two sizes given to new number blocks are read tolerantly: an expression is evaluated,
// anything unreadable (or nothing at all) keeps the current size.
template <class Get, class Set>
void readTolerant(const SectionReader &r, const char *key, colPLControls &t, Get get, Set set)
{
    const std::optional<QString> v = r.raw(QLatin1String(key));
    if (v && !v->isEmpty())
        (t.*set)(ToNumber(*v, (t.*get)()));
}

bool readBase(const SectionReader &r, colPLControls &t)
{
    using T = colPLControls;
    readText(r, "PackName", t, &T::PackNameNoUse, &T::setPackNameNoUse);
    readText(r, "LayoutName", t, &T::LayoutName, &T::setLayoutName);
    if (!readNumber(r, "LayoutTop", t, &T::LayoutTop, &T::setLayoutTop, StrictDouble)
        || !readNumber(r, "LayoutLeft", t, &T::LayoutLeft, &T::setLayoutLeft, StrictDouble)
        || !readNumber(r, "MarkStyle", t, &T::MarkStyle, &T::setMarkStyle, StrictInt16))
        return false;
    readTolerant(r, "LottNumberWidth", t, &T::LottNumberWidth, &T::setLottNumberWidth);
    readTolerant(r, "LottNumberHeight", t, &T::LottNumberHeight, &T::setLottNumberHeight);
    readText(r, "StakeLocateOffsetStrX", t, &T::StakeLocateOffsetStrX, &T::setStakeLocateOffsetStrX);
    readText(r, "StakeLocateOffsetStrY", t, &T::StakeLocateOffsetStrY, &T::setStakeLocateOffsetStrY);
    readText(r, "GroupLottNumberCountStr", t, &T::GroupLottNumberCountStr,
             &T::setGroupLottNumberCountStr);
    readText(r, "BackPicPathFile", t, &T::BackPicPathFileStored, &T::setBackPicPathFile);
    if (!readNumber(r, "BackPicLeft", t, &T::BackPicLeft, &T::setBackPicLeft, StrictDouble)
        || !readNumber(r, "BackPicTop", t, &T::BackPicTop, &T::setBackPicTop, StrictDouble)
        || !readNumber(r, "BackPicWidth", t, &T::BackPicWidth, &T::setBackPicWidth, StrictDouble)
        || !readNumber(r, "BackPicHeight", t, &T::BackPicHeight, &T::setBackPicHeight, StrictDouble)
        || !readNumber(r, "PaperWidth", t, &T::PaperWidth, &T::setPaperWidth, StrictSingle)
        || !readNumber(r, "PaperHeight", t, &T::PaperHeight, &T::setPaperHeight, StrictSingle)
        || !readNumber(r, "PaperSize", t, &T::PaperSize, &T::setPaperSize, StrictInt32)
        || !readNumber(r, "PaperOrientation", t, &T::PaperOrientation, &T::setPaperOrientation,
                       StrictInt32)
        || !readNumber(r, "PaperMarginLeft", t, &T::PaperMarginLeft, &T::setPaperMarginLeft,
                       StrictSingle)
        || !readNumber(r, "PaperMarginRight", t, &T::PaperMarginRight, &T::setPaperMarginRight,
                       StrictSingle)
        || !readNumber(r, "PaperMarginTop", t, &T::PaperMarginTop, &T::setPaperMarginTop,
                       StrictSingle)
        || !readNumber(r, "PaperMarginBottom", t, &T::PaperMarginBottom, &T::setPaperMarginBottom,
                       StrictSingle)
        || !readNumber(r, "PaperColumns", t, &T::PaperColumns, &T::setPaperColumns, StrictInt32)
        || !readNumber(r, "PaperColumnSpace", t, &T::PaperColumnSpace, &T::setPaperColumnSpace,
                       StrictInt32)
        || !readNumber(r, "PaperRows", t, &T::PaperRows, &T::setPaperRows, StrictInt32)
        || !readNumber(r, "PaperRowSpace", t, &T::PaperRowSpace, &T::setPaperRowSpace, StrictInt32))
        return false;
    readText(r, "PaperHeaderText", t, &T::PaperHeaderText, &T::setPaperHeaderText);
    readText(r, "PaperFooterText", t, &T::PaperFooterText, &T::setPaperFooterText);
    // The flag's default is its current value as "0" or "1".
    qint32 bodyLine = t.IsPrintBodyLine() == 0 ? 0 : 1;
    if (!r.number(QLatin1String("IsPrintBodyLine"), bodyLine, StrictInt32))
        return false;
    t.setIsPrintBodyLine(bodyLine);
    return true;
}

template <class T, class Get, class Set>
bool readNumber(const SectionReader &r, const char *key, clsPLControl &c, Get get, Set set,
                bool (*convert)(QStringView, T *))
{
    T value = (c.*get)();
    if (!r.number(QLatin1String(key), value, convert))
        return false;
    (c.*set)(value);
    return true;
}

template <class Get, class Set>
void readText(const SectionReader &r, const char *key, clsPLControl &c, Get get, Set set)
{
    (c.*set)(r.text(QLatin1String(key), (c.*get)()));
}

// False when the value is there but does not convert; the element keeps its old value then.
bool readField(const SectionReader &r, const ElementField &f, clsPLControl &c)
{
    switch (f.Type) {
    case ElementFieldType::Text:
        readText(r, f.Name, c, f.GetText, f.SetText);
        return true;
    case ElementFieldType::Double: return readNumber(r, f.Name, c, f.GetDouble, f.SetDouble, StrictDouble);
    case ElementFieldType::Int32: return readNumber(r, f.Name, c, f.GetInt32, f.SetInt32, StrictInt32);
    case ElementFieldType::Bool: return readNumber(r, f.Name, c, f.GetBool, f.SetBool, StrictBoolean);
    }
    return true;
}

// The fields stored as `storage`, in the order of the file; false at the first that fails.
bool readFields(const SectionReader &r, ElementFieldStorage storage, clsPLControl &c)
{
    for (const ElementField &f : ElementFields()) {
        if (f.Storage == storage && !readField(r, f, c))
            return false;
    }
    return true;
}

bool readElement(const SectionReader &r, clsPLControl &c)
{
    if (!readFields(r, ElementFieldStorage::Always, c))
        return false;
    if (c.IsBlockOrMark()) {
        c.ApplyBlockStyle();
        return true;
    }
    if (!readFields(r, ElementFieldStorage::LabelStyle, c))
        return false;
    c.setIsAllowResize(true);
    return true;
}
} // namespace

bool TemplateFromIni(const IniSections &doc, colPLControls &layout)
{
    if (!readBase(SectionReader(doc, QStringLiteral("Base")), layout))
        return false;
    qint16 count = 0;
    if (!SectionReader(doc, QStringLiteral("Base")).number(QLatin1String("ControlCount"), count,
                                                           StrictInt16))
        return false;
    if (count > 0)
        layout.Reserve(layout.Count() + count);
    for (int n = 1; n <= count; ++n) {
        clsPLControl c;
        if (!readElement(SectionReader(doc, QStringLiteral("Controls") + QString::number(n)), c))
            return false;
        // A second element with the same KeyName is not stored; reading goes on.
        layout.Add(c);
    }
    return true;
}
