#pragma once
// A pop-up menu built at run time from captions and text keys: items are found by key to be
// greyed, checked or renamed, and the chosen item is reported by its key. It also offers a
// drop-down button (cmdPopUpMenu with the arrow picArrow) that shows the menu under itself;
// a host that only wants the menu hides it.
#include "common/KeyedCollection.h"

#include <QFont>
#include <QWidget>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QToolButton;

class KdPopupMenu : public QWidget {
    Q_OBJECT
public:
    explicit KdPopupMenu(QWidget *parent = nullptr);
    ~KdPopupMenu() override;

    static long TwipToPixelX(double twips);
    static long TwipToPixelY(double twips);

    // Shows the menu at (x, y) twips from the top-left corner of the window and returns the
    // chosen key, or an empty text when the menu was dismissed or BeforePopmenu cancelled it.
    QString PopUpMenu(double x, double y, QWidget *window, bool raiseClick);

    QString Caption() const;
    void setCaption(const QString &caption);
    QFont Font() const;
    void setFont(const QFont &font);

    // A caption "-" makes a separator; its key still names it.
    void AddMenu(const QString &caption, const QString &key, const QString &parentKey = QString());
    // Puts the arrow picture at the right edge of the drop-down button, centred vertically.
    void SetPicArrowPosition();
    void SetEnable(const QString &key, bool enabled);
    bool GetEnable(const QString &key) const;
    void SetChecked(const QString &key, bool checked);
    bool GetChecked(const QString &key) const;
    void SetMenuCaption(const QString &key, const QString &caption);
    QString GetMenuCaption(const QString &key) const;
    void RemoveAllMenus();

    // The native menu, for hosts and tests that look at it.
    QMenu *TopMenu() const { return m_top.get(); }
    int ItemCount() const { return int(m_items.size()) - 1; }

signals:
    void mnuClick(const QString &key);
    void BeforePopmenu(bool *cancel);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Item {
        QString key;        // with the "A" prefix
        QString caption;    // "/separator/" for a separator
        QString parentKey;  // with the "A" prefix; empty at the top level
        QMenu *subMenu = nullptr;
        QAction *action = nullptr;
        bool enabled = true;
        bool checked = false;
        int commandId = 0;
    };
    Item *find(const QString &key);
    const Item *find(const QString &key) const;
    QString chooseAt(const QPoint &globalPos);
    void cmdPopUpMenu_Click();

    QToolButton *m_button = nullptr;
    QLabel *m_arrow = nullptr;
    std::unique_ptr<QMenu> m_top;
    std::vector<Item> m_items;              // record 0 stands for the top-level menu
    KeyedCollection<int> m_byKey;           // "A" + key -> position in m_items
};
