#pragma once
// The designer window on a fake clock in a program folder of its own, with scripted save
// answers and a small template: a label, two blocks of different areas and a line.
#include "ElementBuilders.h"
#include "app/ProgramFolders.h"
#include "canvas/KdPLDesinger.h"
#include "common/DesignScale.h"
#include "common/clsRegIni.h"
#include "gui/frmPLDesigner.h"
#include "gui/kdPLControlProperties.h"
#include "TestSupport.h"

#include <QDir>
#include <QTableWidget>
#include <deque>
#include <gtest/gtest.h>
#include <memory>

inline clsPLControl labelAt(const QString &key, double left, double top)
{
    return elements::Shown(elements::Label(key, key, left, top, 10, 5));
}

inline clsPLControl blockAt(const QString &key, const QString &group, double left, double top)
{
    clsPLControl e = elements::Shown(elements::Block(key, group, "01", left, top));
    e.ApplyBlockStyle();
    return e;
}

inline clsPLControl lineFrom(const QString &key, double left, double top, double dx, double dy)
{
    return elements::Shown(elements::Line(key, left, top, dx, dy, 1, 1, 0));
}

// A designer on a fake clock in a program folder of its own, with scripted save answers.
class DesignerTest : public ::testing::Test {
protected:
    DesignerTest()
    {
        m_program = makeTempDir();
        QDir().mkpath(m_program + "/投注单文件");
        SetFolders(ProgramFolders::ForProgramFolder(m_program, m_program + "/docs"));
        clsRegIni::SetStoreFile(makeTempDir() + "/registry.ini");
        SetDesignScale(0);
        w = std::make_unique<frmPLDesigner>(nullptr, [this] { return m_now; });
        w->windows().saveFile = [this](const QString &, const QString &) {
            ++m_saveDialogs;
            if (m_saveAnswers.empty())
                return QString();
            const QString next = m_saveAnswers.front();
            m_saveAnswers.pop_front();
            return next;
        };
        w->windows().lottProperty = [](colPLControls &, bool) { return frmPLDesigner::PropertiesRun::Cancelled; };
        m_layout.setLayoutName("测试");
        // Two fill areas of one number each: the template has nothing the template check finds.
        m_layout.setGroupLottNumberCountStr("1,1");
        m_layout.Add(labelAt("L1", 20, 20));
        m_layout.Add(blockAt("B1", "1", 40, 40));
        m_layout.Add(blockAt("B2", "2", 50, 40));
        m_layout.Add(lineFrom("N1", 10, 20, 5, -4));
    }
    ~DesignerTest() override { SetDesignScale(0); }

    QString templates() const { return Folders().templates; }
    static QPointF at(double xMm, double yMm) { return {xMm * 85.05, yMm * 85.05}; }
    void click(QPointF p, int shift = 0)
    {
        w->Canvas().MouseDownAt(KdPLDesinger::LeftButton, shift, p);
        w->Canvas().MouseUpAt(KdPLDesinger::LeftButton, shift, p);
    }
    void drag(QPointF from, QPointF to)
    {
        w->Canvas().MouseDownAt(KdPLDesinger::LeftButton, 0, from);
        m_now += 100;
        w->Canvas().MouseMoveAt(KdPLDesinger::LeftButton, 0, to);
        w->Canvas().MouseUpAt(KdPLDesinger::LeftButton, 0, to);
    }
    const clsPLControl &element(const QString &key)
    {
        const clsPLControl *e = w->Canvas().GetOneControlByKeyName(key);
        EXPECT_NE(e, nullptr) << key.toStdString();
        static const clsPLControl none;
        return e ? *e : none;
    }
    // The title as the window shows it: "[*]" is a star while the template is modified.
    QString shownTitle() const
    {
        QString t = w->windowTitle();
        return t.replace("[*]", w->isWindowModified() ? "*" : "");
    }
    QStringList visibleCaptions()
    {
        QStringList out;
        QTableWidget *grid = w->Properties().Grid();
        for (int r = 0; r < grid->rowCount(); ++r)
            if (!grid->isRowHidden(r))
                out << grid->item(r, 0)->text();
        return out;
    }

    QString m_program;
    quint32 m_now = 1000;
    std::deque<QString> m_saveAnswers;
    int m_saveDialogs = 0;
    colPLControls m_layout;
    std::unique_ptr<frmPLDesigner> w;
};

