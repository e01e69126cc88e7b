#include "canvas/KdPLDesinger.h"

#include "common/DesignScale.h"
#include "common/ToNumber.h"
#include "common/clsRegIni.h"
#include "model/ElementKind.h"

#include <QImageReader>
#include <algorithm>
#include <cmath>

namespace {
const QString StoreSection = QStringLiteral("Software\\VornPrn\\KdPLDesinger");
constexpr double AreaMinMm = 50;
constexpr double AreaMaxMm = 500;
constexpr double AreaDefaultMm = 300;

double limitArea(double mm) { return std::clamp(mm, AreaMinMm, AreaMaxMm); }

clsRegIni storedProperties()
{
    clsRegIni reg;
    reg.Init(clsRegIni::HKEY_CURRENT_USER, StoreSection);
    return reg;
}

double readArea(const QString &name)
{
    const QString text = storedProperties().ReadReg(name, QString::number(AreaDefaultMm));
    return limitArea(ToNumber(text, AreaDefaultMm));
}

// Label-type elements and lines have a control; anything else is only kept.
bool hasControl(const clsPLControl &e)
{
    const ElementKind kind = ElementKindOf(e);
    return kind == ElementKind::Line || IsLabelKind(kind);
}
} // namespace

KdPLDesinger::KdPLDesinger(QObject *parent, clsTimerLock::TickSource ticks)
    : QObject(parent), m_moveLock(std::move(ticks))
{
    // The lock is held for the pause after each move step and lets go by itself when the pause
    // is over; a move that comes sooner waits for the timer instead of the window sleeping.
    m_moveLock.setMaxTimeToClose(CanvasGeometry::MovePauseMs);
    m_moveTimer.setSingleShot(true);
    connect(&m_moveTimer, &QTimer::timeout, this, &KdPLDesinger::FlushPendingMove);
    m_area.widthMm = readArea(QStringLiteral("VirtualWidth"));
    m_area.heightMm = readArea(QStringLiteral("VirtualHeight"));
    loadGridAndLock();
    ClearAllControls();
}

double KdPLDesinger::scale() const { return GetDesignScale(); }

DesignArea KdPLDesinger::area() const
{
    DesignArea a = m_area;
    a.scale = scale();
    return a;
}

QSizeF KdPLDesinger::AreaTwips() const
{
    return QSizeF(m_area.widthMm * scale(), m_area.heightMm * scale());
}

bool KdPLDesinger::OnDesignArea(QPointF at) const
{
    const QSizeF area = AreaTwips() - QSizeF(CanvasGeometry::RulerTwips, CanvasGeometry::RulerTwips);
    return at.x() >= 0 && at.y() >= 0 && at.x() < area.width() && at.y() < area.height();
}

QRectF KdPLDesinger::ControlRect(const ControlState &s)
{
    if (s.isLine)
        return CanvasGeometry::Spanned({s.x1, s.y1}, {s.x2, s.y2});
    return QRectF(s.left, s.top, s.width, s.height);
}

KdPLDesinger::Item *KdPLDesinger::findItem(const QString &keyName)
{
    return m_items.Find(colPLControls::KeyOf(keyName));
}

const KdPLDesinger::Item *KdPLDesinger::FindItem(const QString &keyName) const
{
    return m_items.Find(colPLControls::KeyOf(keyName));
}

KdPLDesinger::Item *KdPLDesinger::currentItem()
{
    return m_current ? findItem(*m_current) : nullptr;
}

const KdPLDesinger::Item *KdPLDesinger::currentItem() const
{
    return m_current ? FindItem(*m_current) : nullptr;
}

qint32 KdPLDesinger::takeIndex(bool line)
{
    std::set<qint32> &free = m_freeIndex[line];
    if (!free.empty()) {
        const qint32 i = *free.begin();
        free.erase(free.begin());
        return i;
    }
    return m_nextIndex[line]++;
}

void KdPLDesinger::freeIndex(bool line, qint32 index)
{
    m_keyByIndex[line].remove(index);
    m_freeIndex[line].insert(index);
}

void KdPLDesinger::BeginAddControlByMouse(const clsPLControl &element)
{
    SelectCtl(nullptr, 0);
    m_pending_element = element;
    m_addMode = true;
}

const clsPLControl *KdPLDesinger::GetCurrentControl() const
{
    const Item *item = currentItem();
    return item ? &item->element : nullptr;
}

void KdPLDesinger::SetCurrentControl(const clsPLControl &element, int shift)
{
    if (!FindItem(element.KeyName()))
        return;
    const QString key = element.KeyName();
    SelectCtl(&key, shift);
    emit CtrlClick(GetCurrentControl());
}

void KdPLDesinger::SetCurrentControl(std::nullptr_t, int shift)
{
    SelectCtl(nullptr, shift);
}

void KdPLDesinger::AddControls(const colPLControls &collection)
{
    m_items.Reserve(m_items.Count() + collection.Count());
    // One repaint of everything afterwards instead of one per element.
    for (const clsPLControl &e : collection) {
        clsPLControl copy = e;
        addItem(copy);
    }
    newBurst();
    emit Repaint(QRectF());
}

void KdPLDesinger::ClearAllControls()
{
    m_items.Clear();
    m_keyNames.Clear();
    m_selMul.RemoveAll();
    for (int kind = 0; kind < 2; ++kind) {
        m_freeIndex[kind].clear();
        m_keyByIndex[kind].clear();
        m_nextIndex[kind] = 1;
    }
    m_current.reset();
    m_drag = Drag();
    m_pending.reset();
    newBurst();
    emit Repaint(QRectF());
}

void KdPLDesinger::GetAllControls(colPLControls &collection) const
{
    collection.NewEnum().Clear();
    collection.Reserve(m_items.Count());
    for (const Item &item : m_items)
        collection.Add(item.element);
}

const clsPLControl *KdPLDesinger::AddOneControl(clsPLControl &element)
{
    const Item *stored = addItem(element);
    if (!stored)
        return nullptr;
    emit Repaint(ControlRect(stored->state));
    return &stored->element;
}

const KdPLDesinger::Item *KdPLDesinger::addItem(clsPLControl &element)
{
    const bool line = ElementKindOf(element) == ElementKind::Line;
    if (element.KeyName().isEmpty())
        element.setKeyName(m_keyNames.Next(line));
    const QString key = colPLControls::KeyOf(element.KeyName());
    if (m_items.Contains(key))
        return nullptr;
    Item item;
    item.element = element;
    if (hasControl(element)) {
        item.state.index = takeIndex(line);
        item.element.setTempIndex(item.state.index);
        Cls2Ctl(item.element, item.state, scale());
        m_keyByIndex[line].insert(item.state.index, element.KeyName());
    }
    const Item *stored = m_items.Add(key, item);
    m_keyNames.Add(element.KeyName());
    return stored;
}

QRectF KdPLDesinger::applyValues(Item &item, const clsPLControl &values)
{
    const QRectF before = ControlRect(item.state);
    const bool hadControl = hasControl(item.element);
    const bool wasLine = item.state.isLine;
    item.element.CopyFrom(values);
    KeepUsable(item.element, area());
    if (hasControl(item.element)) {
        const bool line = ElementKindOf(item.element) == ElementKind::Line;
        if (!hadControl || line != wasLine) {
            if (hadControl)
                freeIndex(wasLine, item.state.index);
            item.state = ControlState();
            item.state.index = takeIndex(line);
            m_keyByIndex[line].insert(item.state.index, item.element.KeyName());
        }
        Cls2Ctl(item.element, item.state, scale());
    } else if (hadControl) {
        freeIndex(wasLine, item.state.index);
    }
    item.element.setTempIndex(item.state.index);
    return before.united(ControlRect(item.state));
}

bool KdPLDesinger::updateIfMoved(Item &item, const clsPLControl &values)
{
    if (values == item.element)
        return false;
    updateItem(item, values);
    return true;
}

void KdPLDesinger::finishAlignment(bool changed)
{
    if (!changed)
        return;
    newBurst();
    emit Repaint(QRectF());
    emit StepFinished(StepKind::Alignment, m_burst);
}

void KdPLDesinger::updateItem(Item &item, const clsPLControl &values)
{
    const QRectF dirty = applyValues(item, values);
    emit Repaint(dirty.adjusted(-CanvasGeometry::HandleSize, -CanvasGeometry::HandleSize,
                                CanvasGeometry::HandleSize, CanvasGeometry::HandleSize));
    emit CtrlChanged(item.element);
}

void KdPLDesinger::UpdateOneControl(const clsPLControl &element)
{
    Item *item = findItem(element.KeyName());
    if (!item)
        return;
    newBurst();
    updateItem(*item, element);
}

void KdPLDesinger::UpdateControls(const std::vector<clsPLControl> &elements)
{
    QRectF dirty;
    bool any = false;
    for (const clsPLControl &e : elements) {
        if (Item *item = findItem(e.KeyName())) {
            dirty = dirty.united(applyValues(*item, e));
            any = true;
        }
    }
    if (!any)
        return;
    newBurst();
    emit Repaint(dirty.adjusted(-CanvasGeometry::HandleSize, -CanvasGeometry::HandleSize,
                                CanvasGeometry::HandleSize, CanvasGeometry::HandleSize));
}

const clsPLControl *KdPLDesinger::GetOneControlByKeyName(const QString &keyName) const
{
    const Item *item = FindItem(keyName);
    return item ? &item->element : nullptr;
}

const clsPLControl *KdPLDesinger::GetOneControlByCtl(CtlRef control) const
{
    const auto it = m_keyByIndex[control.line].constFind(control.index);
    return it == m_keyByIndex[control.line].constEnd() ? nullptr : GetOneControlByKeyName(*it);
}

std::optional<KdPLDesinger::CtlRef> KdPLDesinger::GetOneCtlByControl(const clsPLControl &element) const
{
    if (!hasControl(element))
        return std::nullopt;
    return CtlRef{ElementKindOf(element) == ElementKind::Line, element.TempIndex()};
}

void KdPLDesinger::forgetItem(const Item &item)
{
    if (hasControl(item.element))
        freeIndex(item.state.isLine, item.state.index);
    m_keyNames.Remove(item.element.KeyName());
}

void KdPLDesinger::DeleteOneControl(const QString &keyName)
{
    Item *item = findItem(keyName);
    if (!item)
        return;
    if (m_current && m_current->compare(keyName, Qt::CaseInsensitive) == 0)
        clearCurrent();
    removeItems({keyName.toCaseFolded()});
}

void KdPLDesinger::DeleteSelectedControls()
{
    QSet<QString> doomed;
    for (const clsStringValueWithKey &r : m_selMul)
        doomed.insert(r.Key().toCaseFolded());
    const bool hadCurrent = currentItem() != nullptr;
    if (hadCurrent)
        doomed.insert(m_current->toCaseFolded());
    if (doomed.isEmpty())
        return;
    if (hadCurrent)
        clearCurrent();
    removeItems(doomed);
    m_selMul.RemoveAll();
    m_current.reset();
    newBurst();
    emit StepFinished(StepKind::Delete, m_burst);
}

// Removes the elements named (case-folded key names) in one pass over the list, so deleting a
// large selection stays linear.
void KdPLDesinger::removeItems(const QSet<QString> &keyNames)
{
    Items kept;
    kept.Reserve(m_items.Count());
    for (int i = 1; i <= m_items.Count(); ++i) {
        const Item &item = m_items.Item(i);
        if (keyNames.contains(item.element.KeyName().toCaseFolded())) {
            forgetItem(item);
            continue;
        }
        kept.Add(m_items.KeyAt(i), item);
    }
    m_items = std::move(kept);
    colStringValueWithKey selected;
    for (const clsStringValueWithKey &r : m_selMul)
        if (!keyNames.contains(r.Key().toCaseFolded()))
            selected.Add(r.Key());
    m_selMul = std::move(selected);
    emit Repaint(QRectF());
}

void KdPLDesinger::RedrawAllContols()
{
    const double s = scale();
    for (Item &item : m_items)
        if (hasControl(item.element))
            Cls2Ctl(item.element, item.state, s);
    emit LayoutChanged();
    emit Repaint(QRectF());
}

void KdPLDesinger::setVirtualHeight(double mm)
{
    m_area.heightMm = limitArea(mm);
    storedProperties().SaveReg(QStringLiteral("VirtualHeight"), QString::number(m_area.heightMm));
    emit LayoutChanged();
}

void KdPLDesinger::loadGridAndLock()
{
    clsRegIni reg = storedProperties();
    const double step = ToNumber(reg.ReadReg(QStringLiteral("GridStep"), QStringLiteral("1")), 1);
    // A step that is none of the three (an edited store) falls back to 1 mm.
    m_grid.step = MillimetreGrid::Steps[0];
    for (const double s : MillimetreGrid::Steps)
        if (std::abs(step - s) < 1e-9)
            m_grid.step = s;
    m_grid.shown = reg.ReadReg(QStringLiteral("GridShown"), QStringLiteral("0")) == QLatin1String("1");
    m_grid.snap = reg.ReadReg(QStringLiteral("GridSnap"), QStringLiteral("0")) == QLatin1String("1");
    m_pictureLocked = reg.ReadReg(QStringLiteral("BackPictureLocked"), QStringLiteral("1")) != QLatin1String("0");
}

void KdPLDesinger::storeGridAndLock() const
{
    clsRegIni reg = storedProperties();
    reg.SaveReg(QStringLiteral("GridStep"), QString::number(m_grid.step));
    reg.SaveReg(QStringLiteral("GridShown"), m_grid.shown ? QStringLiteral("1") : QStringLiteral("0"));
    reg.SaveReg(QStringLiteral("GridSnap"), m_grid.snap ? QStringLiteral("1") : QStringLiteral("0"));
    reg.SaveReg(QStringLiteral("BackPictureLocked"), m_pictureLocked ? QStringLiteral("1") : QStringLiteral("0"));
}

void KdPLDesinger::setVirtualWidth(double mm)
{
    m_area.widthMm = limitArea(mm);
    storedProperties().SaveReg(QStringLiteral("VirtualWidth"), QString::number(m_area.widthMm));
    emit LayoutChanged();
}

void KdPLDesinger::SetBackPicture(const QString &path, double left, double top, double width,
                                  double height)
{
    m_backRect = QRectF(left, top, width, height);
    // A missing file or one that is no picture leaves the surface without a picture.
    QImageReader reader(path);
    reader.setAutoTransform(true);
    m_backPicture = path.isEmpty() ? QImage() : reader.read();
    emit Repaint(QRectF());
}

bool KdPLDesinger::IsInMultiSelection(const QString &keyName) const
{
    return m_selMul.GetByKey(keyName) != nullptr;
}

QStringList KdPLDesinger::MultiSelectionKeys() const
{
    QStringList keys;
    for (const clsStringValueWithKey &r : m_selMul)
        keys << r.Key();
    return keys;
}

std::optional<QRectF> KdPLDesinger::Band() const
{
    if (m_drag.target != Target::Band)
        return std::nullopt;
    return CanvasGeometry::Spanned(m_drag.bandStart, m_drag.bandEnd);
}

std::optional<std::array<QRectF, 8>> KdPLDesinger::Handles() const
{
    const Item *item = currentItem();
    if (!item || item->state.isLine || !hasControl(item->element))
        return std::nullopt;
    return CanvasGeometry::HandleRects(ControlRect(item->state));
}

std::optional<std::array<QRectF, 2>> KdPLDesinger::Grips() const
{
    const Item *item = currentItem();
    if (!item || !item->state.isLine)
        return std::nullopt;
    const ControlState &s = item->state;
    return std::array<QRectF, 2>{CanvasGeometry::GripRect({s.x1, s.y1}),
                                 CanvasGeometry::GripRect({s.x2, s.y2})};
}

void KdPLDesinger::RestoreControls(const colPLControls &elements)
{
    const std::optional<QString> current = m_current;
    const QStringList selected = MultiSelectionKeys();
    ClearAllControls();
    AddControls(elements);
    for (const QString &key : selected)
        if (FindItem(key))
            m_selMul.Add(key);
    if (current && FindItem(*current))
        m_current = current;
    emit CtrlClick(GetCurrentControl());
}
