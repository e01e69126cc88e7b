#pragma once
// The main window: choose a slip template, see its test layout, adjust the print offset and
// orientation for this printer, fill the bet list, choose what to print, and print.
#include "app/MainSettings.h"
#include "app/clsFlyChar.h"
#include "model/colPLControls.h"
#include "print/TemplateCheck.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class BetList;
class PreviewWidget;
class frmPLPreview;
class NumberBoxGuard;
class TenthSpinner;
class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QMenu;
class QSplitter;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTableView;
class QTimer;
class MarkSample;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The load steps: theme, template list, settings, bet list, caption, flying characters.
    void Form_Load();

    void FillLayoutList(const QString &fileToSelect);
    void LoadLayout(const QString &templatePath, bool fromTemplate);
    void SyncLayoutSettings(bool fromTemplate);
    void ApplyLayoutChanges();
    void ShowLayoutTest(bool inMainWindow);
    void UpdateMarkColor();
    void UpdateRangeControls();
    void LoadMainSettings();
    void SaveMainSettings();
    void PrintLottNumbers(const QString &templatePath, bool useTemplateLayout);
    void RefreshLottNumberStatus();
    // Checks every stake against the current template, marks the faulty ones in the list and
    // counts them in the status line: after an import and whenever the template changes.
    void CheckLottNumbers();

    // Buttons and menu entries.
    void cmdSaveLayout_Click();
    // "打印机校准": the offsets of every printer.
    void cmdPrinterCalibration_Click();
    void cmdPrint_Click();
    void cmdPrintTest_Click();
    // "打印校准页": the template's calibration page, printed as "开始打印" prints.
    void cmdPrintCalibration_Click();
    void cmdLottNumbersImport_Click();
    void cmdLottNumberClear_Click();
    void cmdDelSelected_Click();
    void mnuFileExit_Click();

    // A bet file imported without the dialog: in the standard format (a file dropped on the
    // window), or with the mode and script chosen last (an entry of the recent files).
    void ImportBetFile(const QString &path, bool rememberedMode);
    // A template file copied into the template folder (asking before it replaces one), then
    // selected.
    void InstallTemplateFile(const QString &path);
    // A template named on the command line (or handed over by a later start): selected when it
    // lies in the user's or the shipped template folder, else installed as a dropped one is.
    void OpenTemplateFile(const QString &path);
    // The file of the command line: a template is opened (OpenTemplateFile), anything else
    // imported with the mode and script chosen last, without the dialog.
    void OpenStartupFile(const QString &path);
    // A file dropped on the window: a template (".tzd") is installed, anything else imported.
    void OpenDroppedFile(const QString &path);
    // "INDEX<TAB>BETLINE" lines of the selected stakes, as "复制" puts them on the clipboard.
    QString SelectedLottNumbersText() const;
    void cmdLottSetting_Click();
    void cmdLottNew_Click();
    // Runs the designer on a template and returns when it has closed: the designer window,
    // unless a test puts its own.
    using DesignerRunner = std::function<void(colPLControls &layout, bool isNew, bool loadedCompletely)>;
    void setDesignerRunner(DesignerRunner runner) { m_runDesigner = std::move(runner); }

    BetList &Bets() { return *m_bets; }
    const colPLControls &CurrentTemplate() const { return *m_layout; }
    frmPLPreview &PreviewWindow();
    QString TemplatePath() const;
    // The printer the next job goes to: the one printed on last, else the system's default.
    QString JobPrinter() const;
    // Shows that printer's offset beside the layout boxes.
    void RefreshPrinterOffset();
    // How many times the test layout was drawn (the preview redraws only on a change).
    int TestLayoutsShown() const { return m_testLayouts; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildUi();
    QWidget *buildTemplatePane();
    QWidget *buildOptionsPane();
    QGroupBox *buildLayoutBox(QWidget *pane);
    QHBoxLayout *buildTestRow(QWidget *pane);
    QGroupBox *buildPrintOptionsBox(QWidget *pane);
    QGroupBox *buildRangeBox(QWidget *pane);
    QGroupBox *buildBetListBox(QWidget *pane);
    QHBoxLayout *buildBottomRow(QWidget *pane);
    void connectSignals();
    void openHelp();
    void openHomePage();
    void showAbout();
    void showBetListMenu(const QPoint &pos);
    void copySelectedLottNumbers();
    void rememberImported(const QString &path);
    void fillRecentMenu();
    void fitOptionsPane();
    MainSettings currentSettings() const;
    // The offset and orientation in the layout boxes, and as the values the preview shows.
    void showLayoutValues(double left, double top, qint32 orientation);
    void rememberLayoutValues(double left, double top, qint32 orientation);

    std::unique_ptr<BetList> m_bets;
    std::unique_ptr<colPLControls> m_layout;
    std::unique_ptr<frmPLPreview> m_preview;
    int m_stakesPerTicket = 1;
    // What the template check finds on the selected template.
    std::vector<TemplateFinding> m_templateFindings;
    int m_testLayouts = 0;
    qint32 m_lastOrientation = 0;
    double m_lastLeft = 0, m_lastTop = 0;
    bool m_loaded = false;
    clsFlyChar m_fly;

    QComboBox *icboLottType = nullptr;
    PreviewWidget *vspPreview = nullptr;
    QPushButton *cmdZoomIn = nullptr, *cmdZoomOut = nullptr, *cmdZoomAll = nullptr;
    QPushButton *cmdLottSetting = nullptr, *cmdLottNew = nullptr;
    DesignerRunner m_runDesigner;
    void openDesigner(colPLControls &layout, bool isNew, bool loadedCompletely);
    QLineEdit *txtLayoutLeft = nullptr, *txtLayoutTop = nullptr;
    TenthSpinner *updLayoutLeft = nullptr, *updLayoutTop = nullptr;
    NumberBoxGuard *m_leftGuard = nullptr, *m_topGuard = nullptr;
    QRadioButton *optLandscape = nullptr, *optPortrait = nullptr;
    QPushButton *cmdSaveLayout = nullptr, *cmdPrintTest = nullptr;
    QLabel *lblPrinterLeft = nullptr, *lblPrinterTop = nullptr, *lblJobPrinter = nullptr;
    QPushButton *cmdPrinterCalibration = nullptr, *cmdPrintCalibration = nullptr;
    QCheckBox *chkPrintText = nullptr, *chkPrintMark = nullptr;
    QSlider *sldMarkGray = nullptr;
    MarkSample *lblMarkGray = nullptr;
    QLabel *lblMarkGrayValue = nullptr;
    QRadioButton *optPrintRangeAll = nullptr, *optPrintRangeByPage = nullptr, *optPrintRangeByStake = nullptr;
    QLineEdit *txtPaperStart = nullptr, *txtPaperEnd = nullptr;
    QLineEdit *txtLottNumberStart = nullptr, *txtLottNumberEnd = nullptr;
    QLineEdit *txtPrintPaustPaper = nullptr;
    QPushButton *cmdPrint = nullptr;
    QTableView *lvwLottNumbers = nullptr;
    QLabel *lblLottCountInfo = nullptr;
    QPushButton *cmdLottNumbersImport = nullptr, *cmdLottNumberClear = nullptr, *cmdDelSelected = nullptr;
    QPushButton *cmdExit = nullptr;
    QLabel *lblWeb = nullptr;
    QTimer *tmrFlyChar = nullptr;
    QMenu *mnuFileRecent = nullptr;
    QSplitter *m_splitter = nullptr;
};
