#include "print/printer/PrinterList.h"
#include "print/PdfPrinterName.h"

#include <QPrinter>
#include <QPrinterInfo>

QStringList PrinterList()
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    names << PdfPrinterName();
    return names;
}

QString DefaultPrinterName()
{
    const QString name = QPrinterInfo::defaultPrinterName();
    return name.isEmpty() ? PdfPrinterName() : name;
}

bool IsSystemPrinter(const QString &name)
{
    return !name.isEmpty() && QPrinterInfo::availablePrinterNames().contains(name);
}

QString DestinationName(const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty())
        return PdfPrinterName();
    return printer.printerName();
}
