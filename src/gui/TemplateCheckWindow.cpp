#include "gui/TemplateCheckWindow.h"

#include "common/FormatMsg.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

TemplateCheckWindow::TemplateCheckWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTemplateCheck"));
    setWindowTitle(QStringLiteral("检查模板"));
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_table = new QTableWidget(0, 2, this);
    m_table->setObjectName(QStringLiteral("grdFindings"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("元素"), QStringLiteral("问题")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    auto *tip = new QLabel(QStringLiteral("双击一行，在设计区中选中该元素。"), this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addWidget(tip);
    resize(640, 360);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (const QTableWidgetItem *item = m_table->item(row, 0))
            emit ElementChosen(item->text());
    });
}

void TemplateCheckWindow::Show(const std::vector<TemplateFinding> &findings)
{
    m_table->setRowCount(int(findings.size()));
    for (int r = 0; r < int(findings.size()); ++r) {
        m_table->setItem(r, 0, new QTableWidgetItem(findings[size_t(r)].key));
        m_table->setItem(r, 1, new QTableWidgetItem(findings[size_t(r)].reason));
    }
    m_table->resizeColumnToContents(0);
    m_summary->setText(findings.empty()
                           ? QStringLiteral("模板没有发现问题。")
                           : FormatMsg(QString(), QStringLiteral("模板有 {1} 处问题："),
                                       {int(findings.size())}));
}

QString TemplateCheckWindow::Summary() const
{
    return m_summary->text();
}
