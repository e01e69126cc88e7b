#pragma once
// The straightened scan of a calibration page, fitted into the widget, with each mark's error
// drawn: its box (green), the printed mark as measured (blue), and an arrow from the box's
// centre to the mark's, drawn `exaggeration` times longer than it is.
#include "detect/CalibrationMeasurement.h"

#include <QImage>
#include <QWidget>

class CalibrationScanView : public QWidget {
    Q_OBJECT
public:
    explicit CalibrationScanView(QWidget *parent = nullptr);

    // picture: already straightened; mmPerPixel of it.
    void setScan(const QImage &picture, double mmPerPixel, const CalibrationMeasurement &m);
    void clear();
    static constexpr double exaggeration = 5;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    double m_mmPerPixel = 1;
    CalibrationMeasurement m_measurement;
};
