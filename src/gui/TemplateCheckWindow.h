#pragma once
// The designer's "检查模板" window: what the template check found, one row per finding (the
// element's key and what is wrong with it). A double-click on a row asks the designer to select
// that element.
#include "print/TemplateCheck.h"

#include <QDialog>
#include <vector>

class QLabel;
class QTableWidget;

class TemplateCheckWindow : public QDialog {
    Q_OBJECT
public:
    explicit TemplateCheckWindow(QWidget *parent = nullptr);

    void Show(const std::vector<TemplateFinding> &findings);
    QTableWidget *Findings() const { return m_table; }
    QString Summary() const;

signals:
    // A row was double-clicked: the key of its element ("-" for the template's settings).
    void ElementChosen(const QString &key);

private:
    QTableWidget *m_table = nullptr;
    QLabel *m_summary = nullptr;
};
