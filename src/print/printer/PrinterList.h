#pragma once
// The printers a job can go to, by the names the system lists them under, and the entry of
// PDF output beside them.
#include <QString>
#include <QStringList>

class QPrinter;

// Every print queue the system knows, then PdfPrinterName().
QStringList PrinterList();
// The system's default printer, or PdfPrinterName() when it has none.
QString DefaultPrinterName();
// True when the system lists a print queue of that name.
bool IsSystemPrinter(const QString &name);
// The entry a set-up printer prints to: its queue, or PdfPrinterName() when it writes a file.
QString DestinationName(const QPrinter &printer);
