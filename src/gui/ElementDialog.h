#pragma once
// What the number block and mark dialogs share: they act on the designer's canvas and template
// given to ShowMe, check and run their logic on OK, show a refusal on its field, move on with
// Enter like Tab, and are only hidden when closed, so they keep their last values until the
// program quits.
#include "dialogs/DialogCheck.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPointer>

class DialogCanvas;
class KdPLDesinger;
class colPLControls;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class ElementDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the dialog modally for the canvas and its template.
    void ShowMe(KdPLDesinger &canvas, colPLControls &layout);
    void CloseMe();
    void cmdOK_Click();

    QPushButton *OkButton() const { return cmdOK; }

protected:
    ElementDialog(const QString &objectName, const QString &title);

    // The question before number blocks that repeat the template's go in (否 is the default).
    static bool AskAboutDuplicates(int duplicates);
    // The dialog's logic on the canvas; a refusal names the field.
    virtual DialogCheck RunOK(DialogCanvas &canvas, const colPLControls &layout) = 0;
    // The field that gets the focus whenever the dialog is shown.
    virtual QLineEdit *FirstField() const = 0;

    // A text box named as the dialog's field, with its caption, on a row of `grid`.
    QLineEdit *addField(QGridLayout *grid, int row, int column, const char *name,
                        const QString &caption, const QString &preset = QString());
    QRadioButton *addOption(const char *name, const QString &caption);
    // The link "提示：您可以使用“批量添加”功能。".
    QLabel *addBatchLink();
    // The "计算器" button.
    QPushButton *addCalculatorButton();
    // The arithmetic hint with the "计算器" button beside it.
    QHBoxLayout *addCalculatorHint();
    // "位置增量": the step between two blocks, X and Y in millimetres, on the first two rows of
    // its grid (handed back in `grid` for more rows).
    QGroupBox *addPositionStep(QLineEdit *&stepX, QLineEdit *&stepY, QGridLayout **grid = nullptr);
    // "填涂块位置": "用鼠标指定" (checked) with `mouseHint` under it, then "手工指定位置", on the
    // first three rows of its grid (handed back in `grid` for the position fields).
    QGroupBox *addPlacement(const QString &mouseHint, QRadioButton *&byMouse,
                            QRadioButton *&byInput, QGridLayout *&grid);
    // OK and Cancel under `body`; also themes the dialog and makes Enter move on.
    void finishLayout(QLayout *body);

    // The batch link: closes this dialog and shows the batch dialog `Next` for the same canvas
    // and template.
    template <class Next>
    void handOnTo()
    {
        KdPLDesinger *canvas = m_canvas;
        colPLControls *layout = m_layout;
        CloseMe();
        if (canvas && layout)
            Next::Instance().ShowMe(*canvas, *layout);
    }

    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The batch link was clicked.
    virtual void lblBatchAdd_Click() {}

    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    KdPLDesinger *m_canvas = nullptr;
    colPLControls *m_layout = nullptr;
    QLabel *m_batchLink = nullptr;
};

// The "确定(&O)" (default) and "取消(&C)" buttons of a dialog, named cmdOK and cmdCancel, at the
// right of a new row; `lead`, when given, takes the rest of the row on their left.
QHBoxLayout *OkCancelRow(QDialog *dialog, QPushButton *&ok, QPushButton *&cancel,
                         QWidget *lead = nullptr);

// The one instance of a kept dialog: made on first use, hidden when closed, destroyed when the
// program quits.
template <class Dialog>
Dialog &KeptDialog()
{
    static QPointer<Dialog> dialog;
    if (!dialog) {
        dialog = new Dialog();
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, dialog,
                         &QObject::deleteLater);
    }
    return *dialog;
}
