#include "common/FormatMsg.h"
#include "common/Conversions.h"

QString FormatMsg(const QString &msgNo, const QString &text, const QVariantList &values)
{
    Q_UNUSED(msgNo);
    QString out = text;
    out.replace(QLatin1String("{crlf}"), QLatin1String("\r\n"));
    out.replace(QLatin1String("{CRLF}"), QLatin1String("\r\n"));
    for (int i = 0; i < values.size(); ++i) {
        bool ok = false;
        const QString v = VariantText(values[i], &ok);
        if (!ok)
            continue;
        out.replace(QLatin1Char('{') + QString::number(i + 1) + QLatin1Char('}'), v);
    }
    return out;
}
