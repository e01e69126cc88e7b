#pragma once
// Where each printer puts its marks. Printers do not feed a slip alike, so each one (by the name
// the system lists it under; PdfPrinterName() for PDF output) has its own left/top offset in
// millimetres, kept in the user's settings and added to the template's layout offset when a job
// goes to that printer. The template's offset keeps its meaning: where the slip sits.
#include <QString>

class colPLControls;

struct PrinterOffset {
    double left = 0; // millimetres to the right
    double top = 0;  // millimetres down
    bool operator==(const PrinterOffset &) const = default;
};

// The stored offset of the printer; 0, 0 when it has none.
PrinterOffset ReadPrinterOffset(const QString &printer);
// Stores the printer's offset; false when the settings could not be written.
bool SavePrinterOffset(const QString &printer, const PrinterOffset &offset);

// The printer the user printed on last (the one a job goes to unless another is chosen), or ""
// before the first print.
QString ReadLastPrinter();
bool SaveLastPrinter(const QString &printer);

// Adds the printer's offset to the template's layout offset.
void ApplyPrinterOffset(colPLControls &layout, const PrinterOffset &offset);

// The offset as the boxes show it ("#0.00").
QString PrinterOffsetText(double millimetres);
