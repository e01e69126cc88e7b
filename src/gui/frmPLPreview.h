#pragma once
// The print preview window "打印预览": shows a laid-out document and sends it to the printer.
// The print job lays each batch out and opens the window with ShowMe_Print; the test print
// of the main window and the designer use it with the test page of a template.
#include "print/PrintDocument.h"

#include <QDialog>
#include <QPointF>
#include <functional>

class PreviewWidget;
class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QPrinter;
class colPLControls;

// The template's test page: every block of every stake, with or without the background
// picture, on the template's paper.
PrintDocument TestLayoutDocument(const colPLControls &layout, bool withBackPicture);

class frmPLPreview : public QDialog {
    Q_OBJECT
public:
    explicit frmPLPreview(QWidget *parent = nullptr);

    // Shows the document modally with the message; true when it was printed.
    bool ShowMe_Print(bool closeAfterPrinting, const QString &message);
    // Lays out the template's test page (background picture on) and shows it modally; closes
    // without a question.
    void ShowMe_One(const colPLControls &layout);

    // The document the window shows (the caller lays it out before showing the window).
    void setDocument(PrintDocument doc);
    // The slip's picture that "显示底图" draws under the marks (never printed): the template's
    // background picture at its place with the job's layout offset. A template without a
    // readable picture leaves the box disabled.
    void setSlipPicture(const colPLControls &layout, double layoutLeft, double layoutTop);
    PreviewWidget *vsp() const { return m_vsp; }

    // The batch of a print job the window shows (1, 2, ...; 0 outside a job). The file name a
    // print-to-PDF proposes carries it, so batch 2 never overwrites batch 1.
    void setBatchNumber(int n) { m_batchNumber = n; }
    QString PrintDocName() const;

    // The printer the printer dialog offers first; after a print, the one the document went to
    // (a queue's name, or PdfPrinterName() for a file).
    void setTargetPrinter(const QString &printer) { m_targetPrinter = printer; }
    QString TargetPrinter() const { return m_targetPrinter; }
    // The printer whose offset the document was laid out with ("" for none). Printed on
    // another one, the pages are moved by the difference of the two offsets.
    void setLaidOutFor(const QString &printer) { m_laidOutFor = printer; }

    bool Printed() const { return m_printed; }
    void setPrinted(bool v) { m_printed = v; }

    // The printer dialog; tests replace it. Returns false when the user cancelled.
    using PrinterDialog = std::function<bool(QPrinter &printer, int pageCount)>;
    void setPrinterDialog(PrinterDialog dialog) { m_printerDialog = std::move(dialog); }

    // cmdPrint: the printer dialog, then the document to the printer.
    void cmdPrint_Click();

public slots:
    // Escape and the close button: asks before closing an unprinted document.
    void reject() override;
    // Every way of closing remembers the window's size and position.
    void done(int result) override;

private:
    bool printTo(QPrinter &printer, int first, int last, QPointF shiftMm);
    void updatePageControls(int page);
    bool mayClose();

    PreviewWidget *m_vsp;
    QLabel *m_lblMessage;
    QPushButton *m_cmdPrint;
    QCheckBox *m_chkShowBackPic;
    QSpinBox *m_pageBox;
    QLabel *m_pageCountLabel;
    bool m_printed = false;
    bool m_closeAfterPrinting = false;
    int m_batchNumber = 0;
    QString m_targetPrinter, m_laidOutFor;
    PrinterDialog m_printerDialog;
};
