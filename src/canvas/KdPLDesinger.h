#pragma once
// The design canvas of the slip designer, without widgets: its own copy of the template's
// elements with one control state per element, the current element and the multi-selection
// (both by key), the add-by-mouse mode, the design area and the background picture; and the
// gestures of the mouse and the keyboard, fed with buttons, shift states, key codes and
// drawing-surface positions in twips. A view shows it and feeds it; tests drive it directly.
#include "canvas/CanvasGeometry.h"
#include "canvas/CanvasKeyNames.h"
#include "canvas/CanvasLimits.h"
#include "canvas/MillimetreGrid.h"
#include "common/KeyedCollection.h"
#include "common/clsTimerLock.h"
#include "common/colStringValueWithKey.h"
#include "model/ControlState.h"
#include "model/clsPLControl.h"
#include "model/colPLControls.h"

#include <QImage>
#include <QLineF>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QTimer>
#include <array>
#include <optional>
#include <set>
#include <vector>

class KdPLDesinger : public QObject {
    Q_OBJECT
public:
    // Mouse buttons and shift states as the canvas's events carry them.
    enum Button : qint16 { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
    enum Shift : qint16 { ShiftKey = 1, CtrlKey = 2, AltKey = 4 };
    // Mouse pointers by their usual numbers.
    enum Pointer { ArrowPointer = 1, CrossPointer = 2, SizeNESW = 6, SizeNS = 7, SizeNWSE = 8,
                   SizeWE = 9, SizeAllPointer = 15 };
    // What an undo step was made of.
    enum class StepKind { Drag, Keys, AddByMouse, Delete, Alignment };
    Q_ENUM(StepKind)

    // One element on the canvas and what is shown of it. While a gesture runs the state is ahead
    // of the element; the element takes it when the gesture ends.
    struct Item {
        clsPLControl element;
        ControlState state;
    };
    using Items = KeyedCollection<Item>;

    // A control by its kind and number, as an element's TempIndex names it.
    struct CtlRef {
        bool line = false;
        qint32 index = 0;
    };

    // The clock drives the move lock; tests pass their own.
    explicit KdPLDesinger(QObject *parent = nullptr, clsTimerLock::TickSource ticks = {});

    // ---- public operations
    void BeginAddControlByMouse(const clsPLControl &element);
    // The current element, or nullptr. Valid until the canvas changes.
    const clsPLControl *GetCurrentControl() const;
    void SetCurrentControl(const clsPLControl &element, int shift);
    // No element: the canvas has no current control afterwards (CtrlClick with none).
    void SetCurrentControl(std::nullptr_t, int shift);
    void AddControls(const colPLControls &collection);
    void ClearAllControls();
    // Empties the collection and adds copies of every element, in the canvas's order.
    void GetAllControls(colPLControls &collection) const;
    void DoAlignmentSelectMul(int mode);
    // Spreads three or more selected elements so that the gaps between them are equal, across
    // (Qt::Horizontal) or down (Qt::Vertical); the outermost two stay where they are. One step.
    void DistributeSelectMul(Qt::Orientation orientation);
    // Every selected element's key: the multi-selection and the current element, canvas order.
    QStringList SelectedKeys() const;
    // How many elements are selected (the multi-selection and the current element), without
    // listing them.
    int SelectionCount() const;
    // Makes these elements the selection, the last of them current.
    void SelectKeys(const QStringList &keyNames);
    // Generates a key into the argument when it has none. nullptr when the key is taken.
    const clsPLControl *AddOneControl(clsPLControl &element);
    void UpdateOneControl(const clsPLControl &element);
    // Gives several elements their new values at once (by key; unknown keys are passed over):
    // one repaint and no change notices, however many there are.
    void UpdateControls(const std::vector<clsPLControl> &elements);
    const clsPLControl *GetOneControlByKeyName(const QString &keyName) const;
    const clsPLControl *GetOneControlByCtl(CtlRef control) const;
    std::optional<CtlRef> GetOneCtlByControl(const clsPLControl &element) const;
    void DeleteSelectedControls();
    void DeleteOneControl(const QString &keyName);
    void RedrawAllContols();
    double VirtualHeight() const { return m_area.heightMm; }
    void setVirtualHeight(double mm);
    double VirtualWidth() const { return m_area.widthMm; }
    void setVirtualWidth(double mm);
    void SetBackPicture(const QString &path, double left, double top, double width, double height);
    // ---- the millimetre grid, the measuring tool and the background picture's lock; each is
    // kept for the next time the designer opens.
    const MillimetreGrid &Grid() const { return m_grid; }
    void SetGrid(const MillimetreGrid &grid);
    // While measuring, a drag of the left button measures from where it began to where it is,
    // and selects, moves and adds nothing. Escape ends it.
    bool IsMeasuring() const { return m_measuring; }
    void SetMeasuring(bool on);
    // The last measurement, surface millimetres from its start to its end; none outside the
    // measuring mode.
    std::optional<QLineF> Measurement() const { return m_measurement; }
    // An unlocked picture is dragged by a press on it where no element or line is; a locked one
    // lets the press draw a band as on an empty surface.
    bool IsBackPictureLocked() const { return m_pictureLocked; }
    void SetBackPictureLocked(bool locked);

    // Puts an earlier copy of the elements back (undo and redo); the current element and the
    // multi-selection keep the keys that are still there.
    void RestoreControls(const colPLControls &elements);

    // ---- gestures, in drawing-surface twips
    void MouseDownAt(int button, int shift, QPointF at);
    void MouseMoveAt(int button, int shift, QPointF at);
    void MouseUpAt(int button, int shift, QPointF at);
    // Qt key codes; shift as above.
    void KeyDown(int key, int shift);
    // Runs a move that waited for the pause after the previous step, once the pause is over.
    void FlushPendingMove();
    bool HasPendingMove() const { return m_pending.has_value(); }

    // ---- what a view shows
    const Items &AllItems() const { return m_items; }
    const Item *FindItem(const QString &keyName) const;
    bool IsInMultiSelection(const QString &keyName) const;
    QStringList MultiSelectionKeys() const;
    bool InAddMode() const { return m_addMode; }
    std::optional<QRectF> Band() const;
    // The eight handles around the current label, or none.
    std::optional<std::array<QRectF, 8>> Handles() const;
    // The two grips on the current line's end points, or none.
    std::optional<std::array<QRectF, 2>> Grips() const;
    // The pointer the mouse shows at a position.
    int PointerAt(QPointF at) const;
    // The design area in twips at the current scale.
    QSizeF AreaTwips() const;
    // Whether a surface position lies on the design area (not on a ruler, not beyond it).
    bool OnDesignArea(QPointF at) const;
    const QImage &BackPicture() const { return m_backPicture; }
    // The picture's rectangle, millimetres.
    QRectF BackPictureRect() const { return m_backRect; }
    // The rectangle a control covers on the surface, twips.
    static QRectF ControlRect(const ControlState &state);

signals:
    void CtrlClick(const clsPLControl *element);
    void MouseUp(qint16 Button, qint16 Shift, float X, float Y);
    void CtrlChanged(const clsPLControl &element);
    void EndAddControlByMouse(const clsPLControl &element);
    void CancelAddControlByMouse();
    void MouseMove(qint16 Button, qint16 Shift, float X, float Y);
    // An undo step is complete. Arrow keys pressed one after another on the same selection
    // carry the same burst number.
    void StepFinished(KdPLDesinger::StepKind kind, quint64 burst);
    // A part of the surface (twips) must be repainted; an empty rectangle means all of it.
    void Repaint(const QRectF &twips);
    // The design area or the scale changed.
    void LayoutChanged();
    // The view should scroll so that this rectangle (twips) is in sight.
    void ScrollTo(const QRectF &twips);
    // A measurement changed (surface millimetres), or ended when the line is empty.
    void Measured(const QLineF &mm);
    // A drag moved the background picture: its new top-left corner, millimetres.
    void BackPictureMoved(const QPointF &topLeftMm);

private:
    enum class Target { None, Element, Handle, Grip, LineBody, Band, Measure, Picture };
    struct Drag {
        Target target = Target::None;
        int part = 0; // handle or grip number
        QPointF pressRel; // press point relative to the dragged object
        QPointF bandStart, bandEnd;
        bool changed = false;
    };
    struct PendingMove {
        int button, shift;
        QPointF at;
    };
    struct Hit {
        Target target = Target::None;
        int part = 0;
        QString key;
    };

    Item *findItem(const QString &keyName);
    Item *currentItem();
    const Item *currentItem() const;
    double scale() const;
    DesignArea area() const;
    qint32 takeIndex(bool line);
    void freeIndex(bool line, qint32 index);
    void forgetItem(const Item &item);
    // AddOneControl without the repaint; nullptr when the key is taken.
    const Item *addItem(clsPLControl &element);

    // Selecting (clicks, SetCurrentControl, after every gesture).
    void SelectCtl(const QString *keyName, int shift);
    void clearCurrent();
    void repaintSelection();
    void newBurst() { ++m_burst; }

    Hit hitTest(QPointF at) const;
    const Item *pickLine(QPointF at) const;
    void placePending(QPointF at);
    void cancelAddMode();

    void runMove(const PendingMove &move);
    QRectF objectRect(Target target, int part) const;
    void applyObjectMove(Target target, int part, QPointF from, QPointF to, QRectF &dirty);
    void resizeFromHandle(Item &item, int handle, QPointF handlePos);
    void moveStateBy(Item &item, QPointF delta, QRectF &dirty);
    QPointF limitPosition(QPointF pos, QSizeF size) const;
    // Where a dragged object's top-left corner goes: onto the grid (the point of it that the
    // grid holds: an element's corner, the edge a handle drags, a line's end) when snapping is
    // on, else to the nearest handle unit.
    QPointF snapped(Target target, int part, QPointF to) const;
    // A surface position (twips) on the grid when snapping is on and the Shift key is up.
    QPointF snappedPoint(QPointF at, int shift) const;
    void measureTo(QPointF at, int shift, bool start);
    bool onUnlockedPicture(QPointF at) const;
    void dragPicture(QPointF at, int shift);
    void endPictureDrag();
    void loadGridAndLock();
    void storeGridAndLock() const;
    void endGesture();
    void endBand();
    void syncElement(Item &item);

    void arrowKey(int key, int shift);
    // Makes every label, or those sharing area with the band, the multi-selection in canvas
    // order; the first of them becomes current.
    void selectLabels(const std::optional<QRectF> &band);
    // Gives an element new values and refills its control, without a signal; returns the
    // surface it covered before and after.
    QRectF applyValues(Item &item, const clsPLControl &values);
    void updateItem(Item &item, const clsPLControl &values);
    // Alignment and distribution: the element takes its new values when they differ (true).
    bool updateIfMoved(Item &item, const clsPLControl &values);
    // Ends an alignment or distribution: one repaint and one step when anything moved, nothing
    // at all otherwise.
    void finishAlignment(bool changed);
    void removeItems(const QSet<QString> &keyNames);

    Items m_items;
    CanvasKeyNames m_keyNames;
    mutable colStringValueWithKey m_selMul;
    std::optional<QString> m_current;
    bool m_addMode = false;
    clsPLControl m_pending_element;
    DesignArea m_area;
    std::set<qint32> m_freeIndex[2];
    qint32 m_nextIndex[2] = {1, 1};
    QHash<qint32, QString> m_keyByIndex[2];

    Drag m_drag;
    std::optional<PendingMove> m_pending;
    clsTimerLock m_moveLock;
    QTimer m_moveTimer;
    quint64 m_burst = 0;

    QImage m_backPicture;
    QRectF m_backRect;
    MillimetreGrid m_grid;
    bool m_measuring = false;
    std::optional<QLineF> m_measurement;
    bool m_pictureLocked = true;
};
