#pragma once
// The logic of the extra mark dialogs: frmPAddMark (one mark, drawn with the mouse or at typed
// coordinates) and frmPAddBatchMark (an evenly spaced run, such as a slip's locating marks).
#include "dialogs/LottNumberDialogs.h"

struct AddMarkFields {
    bool optPosByInput = false; // false: optPosByMouse
    QString txtX;
    QString txtY;
    QString txtWidth = QStringLiteral("5");
    QString txtHeight = QStringLiteral("5");
};

struct AddBatchMarkFields {
    QString txtFirstX;
    QString txtFirstY;
    QString txtFirstWidth;
    QString txtFirstHeight;
    QString txtStepX;
    QString txtStepY;
    QString txtCount;
};

DialogCheck CheckAddMark(const AddMarkFields &f);
// With typed coordinates the mark is added and made current; with the mouse option the canvas
// waits for the mark to be drawn.
DialogRun RunAddMark(const AddMarkFields &f, DialogCanvas &canvas, const QString &fontName);

DialogCheck CheckAddBatchMark(const AddBatchMarkFields &f);
// The count of the run, held as a 16-bit integer; a count beyond it is refused on txtCount.
DialogCheck PlanMarkRun(const AddBatchMarkFields &f, qint16 *count);
DialogRun RunAddBatchMark(const AddBatchMarkFields &f, DialogCanvas &canvas, const QString &fontName);
