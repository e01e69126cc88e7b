#pragma once
#include <QString>

// The printer entry that stands for PDF output (the PDF file of the command line, "print to
// file" in the printer dialog). Its parentheses and blank make it a name no print queue can have.
inline QString PdfPrinterName() { return QStringLiteral("(PDF 文件)"); }
