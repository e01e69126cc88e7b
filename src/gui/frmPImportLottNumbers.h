#pragma once
// The import dialog "导入投注号码": which file, in which format (standard with or without the
// stake index, or through a conversion script), and a test action for script authors. The work
// itself is BetImporter's; the dialog only holds the choices.
#include "input/BetImporter.h"

#include <QDialog>
#include <functional>
#include <memory>

class BetList;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmPImportLottNumbers : public QDialog {
    Q_OBJECT
public:
    frmPImportLottNumbers(const ImportFolders &folders, QWidget *parent = nullptr);
    ~frmPImportLottNumbers() override;

    // Shows the dialog modally for the list; true when it closed on a successful import.
    bool ShowMe(BetList &list);
    // The file the last showing imported (or was asked to import).
    QString ImportedPathFile() const;

    // The open-file dialog; tests replace it. Returns the chosen path or "" when cancelled.
    using FileChooser = std::function<QString(const QString &startFolder)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    void cmdBrowse_Click();
    void cmdOK_Click();
    void lblTest_Click();
    void OptionChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void pushStateToImporter();

    ImportFolders m_folders;
    std::unique_ptr<BetImporter> m_importer;
    FileChooser m_chooseFile;

    QLineEdit *txtPathFile;
    QPushButton *cmdBrowse;
    QRadioButton *optNotIncludeIndex, *optIncludeIndex, *optSpecial;
    QComboBox *icboScript;
    QLabel *lblTest;
    QPushButton *cmdOK, *cmdCancel;
};
