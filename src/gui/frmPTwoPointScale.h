#pragma once
// "两点定标": the slip's picture, on which the user places two points and types their true
// distance in millimetres; OK gives the picture's scale (millimetres per pixel).
#include <QDialog>
#include <QImage>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class TwoPointPicker;

class frmPTwoPointScale : public QDialog {
    Q_OBJECT
public:
    explicit frmPTwoPointScale(const QImage &picture, QWidget *parent = nullptr);

    // Millimetres per pixel of the picture once OK was accepted, 0 before.
    double MmPerPixel() const { return m_mmPerPixel; }

    TwoPointPicker &Picker() { return *m_picker; }
    QLineEdit &Distance() { return *m_distance; }
    QPushButton &OkButton() { return *m_ok; }
    // The picture as large as the visible part allows.
    void FitToWindow();

private:
    void cmdOK_Click();
    void showPoints();

    QSize m_pixels;
    double m_mmPerPixel = 0;
    TwoPointPicker *m_picker;
    QScrollArea *m_scroll;
    QLabel *m_points;
    QLabel *m_size;
    QLineEdit *m_distance;
    QPushButton *m_ok;
};
