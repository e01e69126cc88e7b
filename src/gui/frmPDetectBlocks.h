#pragma once
// "识别填涂块": finds the number blocks, timing marks and stakes on the slip's picture and shows
// them over the straightened picture; the user picks the grouping and the stake count, types
// each area's first number or leaves an area out, and OK puts it all into the template.
#include "detect/SlipDetector.h"
#include "dialogs/SlipFromPicture.h"

#include <QDialog>

class KdPLDesinger;
class colPLControls;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

class frmPDetectBlocks : public QDialog {
    Q_OBJECT
public:
    // `templateCounts`: the template's count list, the first guess of each area's "选号个数".
    frmPDetectBlocks(const QString &picturePath, double dpi, QWidget *parent = nullptr,
                     const QString &templateCounts = QString());

    // The designer's command: the template's background picture (or one the user picks), the
    // dialog, and on OK the template changed through the canvas. True when it was changed.
    static bool ShowMe(KdPLDesinger &canvas, colPLControls &layout, QWidget *parent);

    // Finds again at the resolution in the DPI field.
    void Detect();
    const SlipDetection &Detection() const { return m_detection; }
    QComboBox &AreasChoice() { return *m_areasBy; }
    QComboBox &StakeCount() { return *m_stakes; }
    QTableWidget &Areas() { return *m_areas; }
    QLineEdit &Dpi() { return *m_dpi; }

    // Saves the straightened picture as PNG in `folder` and writes the template through the
    // canvas. False (the failure shown) when the picture could not be saved: nothing changed.
    bool Apply(colPLControls &layout, KdPLDesinger &canvas, const QString &folder);

private:
    void regroup();
    void fillAreas();
    void redraw();
    QList<SlipAreaChoice> choices() const;

    QString m_picturePath;
    QString m_templateCounts;
    QImage m_picture;
    SlipDetection m_detection;
    QLabel *m_view = nullptr;
    QLabel *m_info = nullptr;
    QLineEdit *m_dpi = nullptr;
    QComboBox *m_areasBy = nullptr;
    QComboBox *m_stakes = nullptr;
    QTableWidget *m_areas = nullptr;
    QPushButton *m_ok = nullptr;
};
