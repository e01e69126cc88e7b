#include "gui/KdPopupMenu.h"

#include "common/VbFormat.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QToolButton>

namespace {
const QString kSeparator = QStringLiteral("/separator/");

QString prefixed(const QString &key)
{
    return QLatin1Char('A') + key;
}

double screenDpi(bool horizontal)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 96.0;
    return horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
}

long twipsToPixels(double twips, double dpi)
{
    return long(RoundHalfEven(twips * dpi / 1440.0));
}
} // namespace

KdPopupMenu::KdPopupMenu(QWidget *parent) : QWidget(parent), m_top(std::make_unique<QMenu>())
{
    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("cmdPopUpMenu"));
    m_button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_arrow = new QLabel(QStringLiteral("▾"), m_button);
    m_arrow->setObjectName(QStringLiteral("picArrow"));
    m_arrow->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_items.push_back(Item{}); // the top-level menu
    connect(m_button, &QToolButton::clicked, this, &KdPopupMenu::cmdPopUpMenu_Click);
    SetPicArrowPosition();
}

KdPopupMenu::~KdPopupMenu() = default;

long KdPopupMenu::TwipToPixelX(double twips)
{
    return twipsToPixels(twips, screenDpi(true));
}

long KdPopupMenu::TwipToPixelY(double twips)
{
    return twipsToPixels(twips, screenDpi(false));
}

QString KdPopupMenu::Caption() const
{
    return m_button->text();
}

void KdPopupMenu::setCaption(const QString &caption)
{
    m_button->setText(caption);
    SetPicArrowPosition();
}

QFont KdPopupMenu::Font() const
{
    return m_button->font();
}

void KdPopupMenu::setFont(const QFont &font)
{
    m_button->setFont(font);
    SetPicArrowPosition();
}

void KdPopupMenu::AddMenu(const QString &caption, const QString &key, const QString &parentKey)
{
    Item item;
    item.key = prefixed(key);
    item.parentKey = parentKey.isEmpty() ? QString() : prefixed(parentKey);
    item.caption = caption == QLatin1String("-") ? kSeparator : caption;
    item.commandId = int(m_items.size());

    QMenu *menu = m_top.get();
    if (!item.parentKey.isEmpty()) {
        const int *parentPos = m_byKey.Find(item.parentKey);
        if (!parentPos)
            return; // no such parent: nothing to hang the item on
        Item &parent = m_items[size_t(*parentPos)];
        if (!parent.subMenu) {
            parent.subMenu = new QMenu(parent.caption, m_top.get());
            if (parent.action)
                parent.action->setMenu(parent.subMenu);
        }
        menu = parent.subMenu;
    }
    if (m_byKey.Contains(item.key))
        return; // every key names one item
    item.action = item.caption == kSeparator ? menu->addSeparator() : menu->addAction(item.caption);
    item.action->setData(item.commandId);
    m_byKey.Add(item.key, item.commandId);
    m_items.push_back(item);
}

void KdPopupMenu::SetPicArrowPosition()
{
    m_arrow->adjustSize();
    const QSize b = m_button->size();
    m_arrow->move(b.width() - m_arrow->width() - 2, (b.height() - m_arrow->height()) / 2);
}

KdPopupMenu::Item *KdPopupMenu::find(const QString &key)
{
    const int *pos = m_byKey.Find(prefixed(key));
    return pos ? &m_items[size_t(*pos)] : nullptr;
}

const KdPopupMenu::Item *KdPopupMenu::find(const QString &key) const
{
    const int *pos = m_byKey.Find(prefixed(key));
    return pos ? &m_items[size_t(*pos)] : nullptr;
}

void KdPopupMenu::SetEnable(const QString &key, bool enabled)
{
    if (Item *item = find(key)) {
        item->enabled = enabled;
        item->action->setEnabled(enabled);
    }
}

bool KdPopupMenu::GetEnable(const QString &key) const
{
    const Item *item = find(key);
    return item && item->enabled;
}

void KdPopupMenu::SetChecked(const QString &key, bool checked)
{
    if (Item *item = find(key)) {
        item->checked = checked;
        item->action->setCheckable(checked || item->action->isCheckable());
        item->action->setChecked(checked);
    }
}

bool KdPopupMenu::GetChecked(const QString &key) const
{
    const Item *item = find(key);
    return item && item->checked;
}

void KdPopupMenu::SetMenuCaption(const QString &key, const QString &caption)
{
    if (Item *item = find(key)) {
        item->caption = caption;
        item->action->setText(caption);
    }
}

QString KdPopupMenu::GetMenuCaption(const QString &key) const
{
    const Item *item = find(key);
    return item ? item->caption : QString();
}

void KdPopupMenu::RemoveAllMenus()
{
    m_top = std::make_unique<QMenu>(); // the sub-menus are its children and go with it
    m_items.resize(1);
    m_byKey.Clear();
}

QString KdPopupMenu::chooseAt(const QPoint &globalPos)
{
    bool cancel = false;
    emit BeforePopmenu(&cancel);
    if (cancel)
        return QString();
    const QAction *chosen = m_top->exec(globalPos);
    if (!chosen)
        return QString();
    const int id = chosen->data().toInt();
    if (id <= 0 || id >= int(m_items.size()) || !m_items[size_t(id)].enabled)
        return QString();
    return m_items[size_t(id)].key.mid(1);
}

QString KdPopupMenu::PopUpMenu(double x, double y, QWidget *window, bool raiseClick)
{
    const QPoint offset(int(TwipToPixelX(x)), int(TwipToPixelY(y)));
    const QPoint origin = window ? window->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    const QString key = chooseAt(origin + offset);
    if (!key.isEmpty() && raiseClick)
        emit mnuClick(key);
    return key;
}

void KdPopupMenu::cmdPopUpMenu_Click()
{
    const QString key = chooseAt(m_button->mapToGlobal(QPoint(0, m_button->height())));
    if (!key.isEmpty())
        emit mnuClick(key);
}

void KdPopupMenu::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_button->resize(size());
    SetPicArrowPosition();
}
