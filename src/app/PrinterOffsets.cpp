#include "app/PrinterOffsets.h"
#include "common/VbFormat.h"
#include "common/clsRegIni.h"
#include "model/colPLControls.h"

#include <QLocale>

namespace {
clsRegIni printerStore()
{
    clsRegIni reg;
    reg.Init(clsRegIni::HKEY_CURRENT_USER, QStringLiteral("SOFTWARE\\VornPrn\\PrinterOffsets"));
    return reg;
}

// A printer's name as a key of the settings file: the characters that end or start a key, or
// that blanks trimming would lose, are written as %XX.
QString keyOf(const QString &printer)
{
    QString key;
    for (const QChar c : printer) {
        const ushort u = c.unicode();
        if (u < 0x20 || u == ' ' || u == '%' || u == '=' || u == '[' || u == ']' || u == ';')
            key += QStringLiteral("%%1").arg(u, 2, 16, QLatin1Char('0')).toUpper();
        else
            key += c;
    }
    return key;
}

// Stored numbers are plain C-locale decimals, whatever the user's locale.
QString numberText(double v) { return QString::number(v, 'g', 15); }

bool readNumber(const QString &text, double *v)
{
    bool ok = false;
    *v = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok;
}
} // namespace

PrinterOffset ReadPrinterOffset(const QString &printer)
{
    PrinterOffset offset;
    if (printer.isEmpty())
        return offset;
    const QStringList parts = printerStore().ReadReg(keyOf(printer), QString()).split(QLatin1Char(','));
    double left = 0, top = 0;
    // A damaged entry counts as none: the template's offset alone, never a guess.
    if (parts.size() == 2 && readNumber(parts[0], &left) && readNumber(parts[1], &top))
        offset = {left, top};
    return offset;
}

bool SavePrinterOffset(const QString &printer, const PrinterOffset &offset)
{
    if (printer.isEmpty())
        return false;
    return printerStore().SaveReg(keyOf(printer), numberText(offset.left) + QLatin1Char(',') + numberText(offset.top));
}

QString ReadLastPrinter()
{
    return printerStore().ReadReg(QStringLiteral("%LastPrinter"), QString());
}

bool SaveLastPrinter(const QString &printer)
{
    // A printer's "%" is written %25, so no printer's key reads "%LastPrinter".
    return printerStore().SaveReg(QStringLiteral("%LastPrinter"), printer);
}

void ApplyPrinterOffset(colPLControls &layout, const PrinterOffset &offset)
{
    layout.setLayoutLeft(layout.LayoutLeft() + offset.left);
    layout.setLayoutTop(layout.LayoutTop() + offset.top);
}

QString PrinterOffsetText(double millimetres) { return VbFormatNumber(millimetres, QStringLiteral("#0.00")); }
