#pragma once
// "彩票设置": the template-wide settings on four pages (general, stakes per slip, fill areas,
// background picture), as a wizard for a new template or as a settings dialog. OK and Apply
// check every page and write the fields into the template; the designer re-applies the template
// to its canvas through the callback it hands in.
#include "dialogs/LottPropertyDialog.h"
#include "print/DocumentSurface.h"

#include <QDialog>
#include <functional>
#include <vector>

class colPLControls;
class QLabel;
class QLineEdit;
class QPushButton;
class QCheckBox;
class QRadioButton;
class QTabWidget;
class TenthSpinner;

class frmPLottProperty : public QDialog {
    Q_OBJECT
public:
    // `templateFolder` is where "浏览" starts.
    explicit frmPLottProperty(const QString &templateFolder = QString(), QWidget *parent = nullptr);

    using UpdateControls = std::function<void()>;
    // Shows the dialog modally; true when it was closed by OK after the checks and the write.
    bool ShowMe(colPLControls &layout, bool blnIsWizard, UpdateControls DoUpdateControlsByProperty);

    // Choosing a picture and asking for the scan resolution; tests replace them.
    using FileChooser = std::function<QString(const QString &startFolder)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    using Prompt = std::function<QString(const QString &text, const QString &title, const QString &preset)>;
    void setPrompt(Prompt prompt) { m_prompt = std::move(prompt); }

    void cmdNext_Click();
    void cmdPrev_Click();
    void cmdOK_Click();
    void cmdApply_Click();
    void cmdBrowBackPicture_Click();
    void cmdLayoutWidthByDPI_Click();
    // "两点定标": the picture's size from two points on it and their true distance.
    void cmdLayoutWidthByTwoPoints_Click();

    int CurrentPage() const;
    // The wizard's offer, taken: find the blocks on the chosen picture once the wizard is done.
    bool DetectBlocksAfterFinish() const;
    LottPropertyFields Fields() const;

private:
    QWidget *buildGeneralPage();
    QWidget *buildStakePage();
    QWidget *buildAreaPage();
    QWidget *buildPicturePage();
    QLineEdit *field(const char *name, QWidget *parent);
    void SetWizardMode(bool wizard);
    void UpdatePageButtons();
    void LoadFromTemplate();
    // Each text field of LottPropertyFields and the box that shows it.
    struct TextField {
        QString LottPropertyFields::*text;
        QLineEdit *box;
    };
    std::vector<TextField> textFields() const;
    bool ValidateAllPages();
    bool ValidatePage(int page);
    bool refuse(const DialogCheck &check);
    void SaveToTemplate();
    void Apply();
    // The background picture's file as the template will read it.
    QString backPicturePath() const;
    void showPictureSize(const PictureSizeTexts &size);

    colPLControls *m_layout = nullptr;
    bool m_wizard = false;
    bool m_result = false;
    UpdateControls m_update;
    QString m_templateFolder;
    FileChooser m_chooseFile;
    Prompt m_prompt;
    DocumentSurface vspThis;

    QTabWidget *tabPages;
    QLineEdit *txtLayoutName, *txtLottNumberWidth, *txtLottNumberHeight, *txtLayoutLeft, *txtLayoutTop;
    QRadioButton *optMarkCross, *optMarkRect, *optLandscape, *optPortrait;
    QLineEdit *txtStakeCount, *txtStakeOffsetStrX, *txtStakeOffsetStrY;
    QLabel *lblStakeExample;
    QLineEdit *txtGroupCount, *txtGroupLottNumberCountStr;
    QLineEdit *txtBackPicturePathFile, *txtBackPictureWidth, *txtBackPictureHeight,
        *txtBackPictureLeft, *txtBackPictureTop;
    QPushButton *cmdPrev, *cmdNext, *cmdOK, *cmdApply, *cmdCancel, *cmdCalc;
    QPushButton *cmdBrowBackPicture, *cmdLayoutWidthByDPI, *cmdLayoutWidthByTwoPoints;
    QCheckBox *chkDetectBlocks;
};
