#pragma once
// Calibrating a printer from a scan of its printed calibration page: the user opens the scan,
// sees each mark's error drawn on it and the measured figures, and OK adds the correction to
// the printer's stored offset.
#include "app/PrinterOffsets.h"
#include "detect/CalibrationMeasurement.h"

#include <QDialog>

class CalibrationScanView;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class frmCalibrationScan : public QDialog {
    Q_OBJECT
public:
    frmCalibrationScan(const QString &printer, const QString &templatePath, QWidget *parent = nullptr);

    // Measures the scan at `path` (the resolution box's value, or the file's own); false with
    // the reason shown in the window when it cannot.
    bool Measure(const QString &path);
    const CalibrationMeasurement &Measurement() const { return m_measurement; }
    // The printer's offset with the measured correction added.
    PrinterOffset NewOffset() const;
    QLabel *Warning() const { return m_warning; }
    QLabel *Figures() const { return m_figures; }
    QLineEdit *DpiBox() const { return m_dpi; }

public slots:
    void accept() override;

private:
    void openScan();
    void showMeasurement(const QString &path);

    QString m_printer, m_templatePath, m_scanPath;
    PrinterOffset m_old;
    CalibrationTarget m_target;
    bool m_templateRead = false;
    CalibrationMeasurement m_measurement;
    bool m_measured = false;
    QLineEdit *m_dpi = nullptr;
    QLabel *m_scanName = nullptr, *m_figures = nullptr, *m_warning = nullptr;
    CalibrationScanView *m_view = nullptr;
    QTableWidget *m_marks = nullptr;
    QPushButton *m_ok = nullptr;
};
