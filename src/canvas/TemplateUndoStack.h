#pragma once
// Undo and redo for the slip designer: a QUndoStack whose steps hold what changed (the
// elements removed, added or changed, and the template's settings before and after), not whole
// copies; the template as the last step left it is kept once. The history is bounded by bytes:
// when it grows beyond its budget the oldest steps go first, the last one always stays. The
// canvas's finished gestures become steps by themselves; the window records the steps of its
// dialogs and its property grid. Arrow keys pressed one after another on the same selection
// make one step.
#include "model/colPLControls.h"

#include <QObject>
#include <QUndoStack>
#include <memory>

class KdPLDesinger;

class TemplateUndoStack : public QObject {
    Q_OBJECT
public:
    using Snapshot = std::shared_ptr<const colPLControls>;
    struct Step;

    // How many bytes the steps may hold together.
    static constexpr qint64 DefaultByteBudget = qint64(256) << 20;

    explicit TemplateUndoStack(KdPLDesinger &canvas, QObject *parent = nullptr);

    QUndoStack &Stack() { return m_stack; }
    // Starts afresh from the template as it is now (its properties; the elements as the canvas
    // holds them): no steps, and this is the clean state.
    void Reset(const colPLControls &templateProperties);
    // One step made outside the canvas's gestures: a dialog run (however many elements it
    // added through the canvas), a property edit, new template properties.
    void Record(const QString &text, const colPLControls &templateProperties);
    void Record(const QString &text);
    // The template as the last step left it.
    const colPLControls &Current() const { return *m_current; }
    // About how many bytes the steps hold, and how many they may.
    qint64 HistoryBytes() const { return m_bytes; }
    void SetByteBudget(qint64 bytes) { m_budget = bytes; }
    // The template's settings as they are now, without elements: the one copy the designer
    // keeps (the elements live on the canvas).
    const colPLControls &Properties() const { return m_properties; }
    // The template being designed: these settings with the canvas's elements as they are now.
    colPLControls Template() const;
    // Where the template is saved. Not a step: undo and redo never move the file.
    void SetPathFile(const QString &path);

signals:
    // Undo or redo put a snapshot back: the canvas already shows its elements, the owner of
    // the template properties takes them from here.
    void PropertiesRestored(const colPLControls &snapshot);

private:
    friend class TemplateStepCommand;
    void setProperties(const colPLControls &templateProperties);
    Snapshot takeSnapshot() const;
    void push(const QString &text, Snapshot after, int mergeId, quint64 burst);
    // Puts the template before (undo) or after (redo) a step back on the canvas.
    void apply(const Step &step, bool undo);
    void restore(const Snapshot &snapshot);
    // Drops the oldest steps while the history is over its budget, keeping the last.
    void trim();

    KdPLDesinger &m_canvas;
    // Declared before the stack: the steps give their bytes back as the stack deletes them.
    qint64 m_bytes = 0;
    qint64 m_budget = DefaultByteBudget;
    QUndoStack m_stack;
    Snapshot m_current;
    // The settings of m_current, shared with the steps.
    Snapshot m_currentProperties;
    // The template properties of the current state, without elements.
    colPLControls m_properties;
};
