#include "common/IniDocument.h"
#include "common/Blanks.h"
#include "common/LineEnds.h"
#include "common/TextFile.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
QString fold(QStringView s) { return TrimBlanks(s).toString().toCaseFolded(); }

// The section name of a header line ("[name]"), or nullopt when the line is no header.
std::optional<QStringView> headerName(QStringView line)
{
    const QStringView t = TrimBlanks(line);
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = t.indexOf(u']');
    return close < 0 ? t.mid(1) : t.mid(1, close - 1);
}

} // namespace

IniDocument::IniDocument(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        m_encoding = Encoding::Utf8;
        m_bom = bytes.left(3);
    } else if (bytes.startsWith("\xFF\xFE")) {
        m_encoding = Encoding::Utf16LE;
        m_bom = bytes.left(2);
    } else if (bytes.startsWith("\xFE\xFF")) {
        m_encoding = Encoding::Utf16BE;
        m_bom = bytes.left(2);
    }
    const QByteArray body = bytes.mid(m_bom.size());
    if (m_encoding == Encoding::Utf16LE || m_encoding == Encoding::Utf16BE) {
        // Two bytes a character: lines are found in the decoded text.
        const QString text = decode(body);
        ForEachLine(text, [&](const QString &line, const QString &end) {
            m_lines.push_back({encode(line), encode(end), line});
        });
    } else {
        m_lines.reserve(size_t(body.size() / 24));
        ForEachLine(body, [&](const QByteArray &raw, const QByteArray &end) {
            m_lines.push_back({raw, end, decode(raw)});
        });
    }
    rebuildIndex();
}

QString IniDocument::decode(const QByteArray &raw) const
{
    switch (m_encoding) {
    case Encoding::Utf8: return QString::fromUtf8(raw);
    case Encoding::Utf16LE: return QStringDecoder(QStringConverter::Utf16LE).decode(raw);
    case Encoding::Utf16BE: return QStringDecoder(QStringConverter::Utf16BE).decode(raw);
    case Encoding::Gbk: break;
    }
    return IsAscii(raw) ? QString::fromLatin1(raw) : DecodeGbk(raw);
}

QByteArray IniDocument::encode(const QString &text) const
{
    switch (m_encoding) {
    case Encoding::Utf8: return text.toUtf8();
    case Encoding::Utf16LE: return QStringEncoder(QStringConverter::Utf16LE).encode(text);
    case Encoding::Utf16BE: return QStringEncoder(QStringConverter::Utf16BE).encode(text);
    case Encoding::Gbk: break;
    }
    return EncodeGbk(text);
}

void IniDocument::rebuildIndex()
{
    m_sectionHeader.clear();
    m_keyLine.clear();
    m_sectionEnd.clear();
    QString current;
    bool inSection = false;
    bool firstOccurrence = false;
    for (int i = 0; i < int(m_lines.size()); ++i) {
        const QString &line = m_lines[size_t(i)].text;
        if (auto name = headerName(line)) {
            current = fold(*name);
            inSection = true;
            firstOccurrence = !m_sectionHeader.contains(current);
            if (firstOccurrence) {
                m_sectionHeader.insert(current, i);
                m_sectionEnd.insert(current, i);
            }
            continue;
        }
        if (!inSection || !firstOccurrence)
            continue;
        if (!TrimBlanks(QStringView(line)).isEmpty())
            m_sectionEnd[current] = i;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString key = current + QLatin1Char('\n') + fold(QStringView(line).left(eq));
        if (!m_keyLine.contains(key))
            m_keyLine.insert(key, i);
    }
}

std::optional<int> IniDocument::keyLine(const QString &section, const QString &key) const
{
    auto it = m_keyLine.constFind(fold(section) + QLatin1Char('\n') + fold(key));
    if (it == m_keyLine.constEnd())
        return std::nullopt;
    return *it;
}

std::optional<QString> IniDocument::RawValue(const QString &section, const QString &key) const
{
    const auto at = keyLine(section, key);
    if (!at)
        return std::nullopt;
    const QString &line = m_lines[size_t(*at)].text;
    return line.mid(line.indexOf(u'=') + 1);
}

std::optional<QString> IniDocument::Value(const QString &section, const QString &key) const
{
    const auto raw = RawValue(section, key);
    return raw ? std::optional<QString>(TrimBlanks(*raw)) : std::nullopt;
}

QString IniDocument::Value(const QString &section, const QString &key,
                           const QString &defaultValue) const
{
    auto v = Value(section, key);
    return v ? *v : defaultValue;
}

bool IniDocument::HasSection(const QString &section) const
{
    return m_sectionHeader.contains(fold(section));
}

IniDocument::Line IniDocument::makeLine(const QString &text) const
{
    return {encode(text), defaultEnd(), text};
}

// The line end the file already uses; CR LF for a file without one.
QByteArray IniDocument::defaultEnd() const
{
    for (const Line &l : m_lines)
        if (!l.end.isEmpty())
            return l.end;
    return encode(QStringLiteral("\r\n"));
}

// A last line without an end gets one before a line is added after it.
void IniDocument::endLine(int index)
{
    if (index >= 0 && m_lines[size_t(index)].end.isEmpty())
        m_lines[size_t(index)].end = defaultEnd();
}

void IniDocument::SetValue(const QString &section, const QString &key, const QString &value)
{
    const QString newLine = TrimBlanks(key) + QLatin1Char('=') + value;
    if (const auto at = keyLine(section, key)) {
        Line &line = m_lines[size_t(*at)];
        line.raw = encode(newLine);
        line.text = newLine;
        return;
    }
    auto end = m_sectionEnd.constFind(fold(section));
    if (end != m_sectionEnd.constEnd()) {
        const int after = *end;
        endLine(after);
        m_lines.insert(m_lines.begin() + after + 1, makeLine(newLine));
    } else {
        endLine(int(m_lines.size()) - 1);
        m_lines.push_back(makeLine(QLatin1Char('[') + TrimBlanks(section) + QLatin1Char(']')));
        m_lines.push_back(makeLine(newLine));
    }
    rebuildIndex();
}

bool IniDocument::RemoveKey(const QString &section, const QString &key)
{
    const auto at = keyLine(section, key);
    if (!at)
        return false;
    m_lines.erase(m_lines.begin() + *at);
    rebuildIndex();
    return true;
}

QByteArray IniDocument::ToBytes() const
{
    qsizetype total = m_bom.size();
    for (const Line &l : m_lines)
        total += l.raw.size() + l.end.size();
    QByteArray out;
    out.reserve(total);
    out += m_bom;
    for (const Line &l : m_lines) {
        out += l.raw;
        out += l.end;
    }
    return out;
}
