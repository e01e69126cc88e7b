#pragma once
// Undo and redo for the slip designer: a QUndoStack of template snapshots. A snapshot is the
// whole template, its properties and its elements, both plain values; consecutive steps share
// the snapshot between them. The canvas's finished gestures become steps by themselves; the
// window records the steps of its dialogs and its property grid. Arrow keys pressed one after
// another on the same selection make one step.
#include "model/colPLControls.h"

#include <QObject>
#include <QUndoStack>
#include <memory>

class KdPLDesinger;

class TemplateUndoStack : public QObject {
    Q_OBJECT
public:
    using Snapshot = std::shared_ptr<const colPLControls>;

    // How many steps are kept; each holds one copy of the template.
    static constexpr int StepLimit = 100;

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
    friend class TemplateSnapshotCommand;
    void setProperties(const colPLControls &templateProperties);
    Snapshot takeSnapshot() const;
    void push(const QString &text, Snapshot after, int mergeId, quint64 burst);
    void restore(const Snapshot &snapshot);

    KdPLDesinger &m_canvas;
    QUndoStack m_stack;
    Snapshot m_current;
    // The template properties of the current state, without elements.
    colPLControls m_properties;
};
