#pragma once
// "打印机校准": every printer the system knows, and PDF output, with the offset it adds to a
// template's; the user edits them and OK stores them.
#include <QDialog>
#include <QList>
#include <QPair>
#include <QStringList>

class QLineEdit;
class QPushButton;
class frmCalibrationScan;

class frmPrinterCalibration : public QDialog {
    Q_OBJECT
public:
    // `printers` in the order shown (PrinterList() in the program).
    explicit frmPrinterCalibration(const QStringList &printers, QWidget *parent = nullptr);

    QStringList Printers() const { return m_printers; }
    QLineEdit *LeftBox(int row) const { return m_left.value(row); }
    QLineEdit *TopBox(int row) const { return m_top.value(row); }
    // The template whose calibration page a scan shows ("按扫描图校准..." of each row); none:
    // the buttons are disabled.
    void setTemplatePath(const QString &path);
    QPushButton *ScanButton(int row) const { return m_scan.value(row); }
    // Opens the scan window for the row's printer; after OK there, the row shows the stored offset.
    void calibrateFromScan(int row);

signals:
    // The scan window of a row was opened (for tests and the walk-through to drive it).
    void scanWindowOpened(frmCalibrationScan *window);

public slots:
    // Checks every box (the offset boxes' check), then stores the offsets; a box that holds no
    // number keeps the window open with the box focused, and nothing is stored.
    void accept() override;

private:
    QStringList m_printers;
    QList<QLineEdit *> m_left, m_top;
    QList<QPushButton *> m_scan;
    QString m_templatePath;
    QList<QPair<QString, QString>> m_shown; // the boxes' texts when the window opened
};
