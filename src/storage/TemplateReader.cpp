#include "storage/TemplateText.h"

#include "common/ElementLimit.h"
#include "common/PathFile.h"
#include "common/ToNumber.h"
#include "model/ElementFields.h"
#include "storage/StrictConvert.h"

#include <QRegularExpression>
#include <cmath>
#include <optional>

namespace {
// Values come back as a private-profile read gives them: cut to 1999 characters, cut before a
// NUL, trimmed. A missing key gives nullopt, so the caller keeps its current value.
class SectionReader {
public:
    SectionReader(const IniSections &doc, const QString &section)
        : m_doc(doc), m_name(section), m_section(doc.FindSection(section))
    {
    }

    bool exists() const { return m_section >= 0; }
    bool has(QLatin1String key) const { return m_doc.Value(m_section, key).has_value(); }
    // Why the last number that did not convert was refused.
    QString failure() const
    {
        return QStringLiteral("[%1] 节中 %2 的值 %3 不能转换为数值").arg(m_name, m_failedKey, m_failedValue);
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
        if (v->size() < 1999 && !v->contains(QChar(0)) ? convert(*v, &value)
                                                       : convert(cut(v->toString()), &value))
            return true;
        m_failedKey = key;
        m_failedValue = cut(v->left(40).toString());
        return false;
    }

private:
    static QString cut(QString v)
    {
        if (v.size() > 1999)
            v.truncate(1999);
        return StripNull(v, true);
    }

    const IniSections &m_doc;
    QString m_name;
    int m_section;
    mutable QString m_failedKey, m_failedValue;
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

// The first of the fields stored as `storage` that the section lacks, or "".
QString missingField(const SectionReader &r, ElementFieldStorage storage)
{
    for (const ElementField &f : ElementFields())
        if (f.Storage == storage && !r.has(QLatin1String(f.Name)))
            return QString::fromLatin1(f.Name);
    return QString();
}

// The outcome of reading one element section.
enum class ElementRead { Whole, Damaged, Unconvertible };

// Reads an element; a section that lacks a key the writer always writes for that kind of
// element (a file cut short, a section edited by hand) is damage: `damage` says which key.
ElementRead readElement(const SectionReader &r, clsPLControl &c, QString &damage)
{
    damage = missingField(r, ElementFieldStorage::Always);
    if (!damage.isEmpty())
        return ElementRead::Damaged;
    if (!readFields(r, ElementFieldStorage::Always, c))
        return ElementRead::Unconvertible;
    if (c.IsBlockOrMark()) {
        c.ApplyBlockStyle();
        return ElementRead::Whole;
    }
    damage = missingField(r, ElementFieldStorage::LabelStyle);
    if (!damage.isEmpty())
        return ElementRead::Damaged;
    if (!readFields(r, ElementFieldStorage::LabelStyle, c))
        return ElementRead::Unconvertible;
    c.setIsAllowResize(true);
    return ElementRead::Whole;
}

QString controlsSection(long long n) { return QStringLiteral("Controls") + QString::number(n); }

// The element count of section "Base": a whole number from 0 to kMaxTemplateElements, or -1
// with the reason in `reason`.
int elementCount(const SectionReader &base, const IniSections &doc, QString &reason)
{
    const std::optional<QStringView> text = doc.Value(doc.FindSection(QStringLiteral("Base")),
                                                      QLatin1String("ControlCount"));
    double count = 0;
    if (!text)
        reason = QStringLiteral("[Base] 节缺少元素个数 ControlCount");
    else if (!base.number(QLatin1String("ControlCount"), count, StrictDouble))
        reason = base.failure();
    else if (count < 0 || count != std::floor(count))
        reason = QStringLiteral("元素个数 ControlCount=%1 不是非负整数").arg(text->toString());
    else if (count > kMaxTemplateElements)
        reason = TooManyElementsMessage();
    else
        return int(count);
    return -1;
}

// An element section numbered past the count, or "".
QString sectionBeyond(const IniSections &doc, int count)
{
    static const QRegularExpression numbered(QStringLiteral("^controls(\\d+)$"));
    for (const QString &name : doc.SectionNames()) {
        const QRegularExpressionMatch m = numbered.match(name);
        bool ok = false;
        const long long n = m.hasMatch() ? m.captured(1).toLongLong(&ok) : 0;
        if (m.hasMatch() && (!ok || n > count))
            return QStringLiteral("[Controls%1]").arg(m.captured(1));
    }
    return QString();
}
} // namespace

bool TemplateFromIni(const IniSections &doc, colPLControls &layout, QString *reason)
{
    QString why;
    const auto fail = [&](const QString &text) {
        if (reason)
            *reason = text;
        return false;
    };
    const SectionReader base(doc, QStringLiteral("Base"));
    if (!readBase(base, layout))
        return fail(base.failure());
    // Nothing at all (a missing or empty file) gives the defaults; anything else must be a
    // whole template. Where the file's elements do not match its count, the file is damaged
    // (cut short, edited by hand): it is reported, and no element is made up for a missing
    // section, since the next save would write it back as a real one.
    if (doc.IsBlank())
        return true;
    const int count = elementCount(base, doc, why);
    if (count < 0)
        return fail(why);
    layout.Reserve(layout.Count() + count);
    QString damage;
    for (int n = 1; n <= count; ++n) {
        const SectionReader r(doc, controlsSection(n));
        if (!r.exists()) {
            if (damage.isEmpty())
                damage = QStringLiteral("缺少元素节 [%1]（元素个数为 %2）").arg(controlsSection(n)).arg(count);
            continue;
        }
        clsPLControl c;
        QString missing;
        switch (readElement(r, c, missing)) {
        case ElementRead::Unconvertible:
            return fail(r.failure());
        case ElementRead::Damaged:
            if (damage.isEmpty())
                damage = QStringLiteral("元素节 [%1] 缺少 %2").arg(controlsSection(n), missing);
            continue;
        case ElementRead::Whole:
            // A second element with the same KeyName is not stored; reading goes on.
            layout.Add(c);
            break;
        }
    }
    if (damage.isEmpty()) {
        const QString beyond = sectionBeyond(doc, count);
        if (!beyond.isEmpty())
            damage = QStringLiteral("元素节 %1 超出了元素个数 %2").arg(beyond).arg(count);
    }
    return damage.isEmpty() || fail(damage);
}
