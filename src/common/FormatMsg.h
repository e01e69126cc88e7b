#pragma once
#include <QString>
#include <QVariantList>

// Expands "{crlf}" / "{CRLF}" to CR LF and "{1}", "{2}", ... to the texts of the values, in
// the order 1, 2, 3, ... on the text built so far. Placeholders without a value stay as they
// are. The message number is for reference only.
QString FormatMsg(const QString &msgNo, const QString &text, const QVariantList &values = {});
