#include "canvas/TemplateUndoStack.h"

#include "canvas/KdPLDesinger.h"

#include <QUndoCommand>

namespace {
// Steps of one burst of arrow keys merge; no other step does.
constexpr int KeysMergeId = 1;

QString stepText(KdPLDesinger::StepKind kind)
{
    switch (kind) {
    case KdPLDesinger::StepKind::Drag: return QStringLiteral("移动");
    case KdPLDesinger::StepKind::Keys: return QStringLiteral("微调");
    case KdPLDesinger::StepKind::AddByMouse: return QStringLiteral("添加");
    case KdPLDesinger::StepKind::Delete: return QStringLiteral("删除");
    case KdPLDesinger::StepKind::Alignment: return QStringLiteral("对齐");
    }
    return {};
}
} // namespace

class TemplateSnapshotCommand : public QUndoCommand {
public:
    TemplateSnapshotCommand(TemplateUndoStack &owner, TemplateUndoStack::Snapshot before,
                            TemplateUndoStack::Snapshot after, const QString &text, int mergeId,
                            quint64 burst)
        : QUndoCommand(text), m_owner(owner), m_before(std::move(before)),
          m_after(std::move(after)), m_mergeId(mergeId), m_burst(burst)
    {
    }

    // The change is already on the canvas when the step is pushed.
    void redo() override
    {
        if (m_pushed)
            m_owner.restore(m_after);
        m_pushed = true;
    }
    void undo() override { m_owner.restore(m_before); }
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const TemplateSnapshotCommand *>(other);
        if (next->m_burst != m_burst)
            return false;
        m_after = next->m_after;
        return true;
    }

private:
    TemplateUndoStack &m_owner;
    TemplateUndoStack::Snapshot m_before;
    TemplateUndoStack::Snapshot m_after;
    int m_mergeId;
    quint64 m_burst;
    bool m_pushed = false;
};

TemplateUndoStack::TemplateUndoStack(KdPLDesinger &canvas, QObject *parent)
    : QObject(parent), m_canvas(canvas), m_current(std::make_shared<colPLControls>())
{
    m_stack.setUndoLimit(StepLimit);
    connect(&canvas, &KdPLDesinger::StepFinished, this,
            [this](KdPLDesinger::StepKind kind, quint64 burst) {
                push(stepText(kind), takeSnapshot(),
                     kind == KdPLDesinger::StepKind::Keys ? KeysMergeId : -1, burst);
            });
}

void TemplateUndoStack::setProperties(const colPLControls &templateProperties)
{
    m_properties = templateProperties;
    m_properties.NewEnum().Clear();
}

TemplateUndoStack::Snapshot TemplateUndoStack::takeSnapshot() const
{
    // The properties come without elements, so only the canvas's elements are copied.
    auto snapshot = std::make_shared<colPLControls>(m_properties);
    m_canvas.GetAllControls(*snapshot);
    return snapshot;
}

colPLControls TemplateUndoStack::Template() const
{
    return *takeSnapshot();
}

void TemplateUndoStack::SetPathFile(const QString &path)
{
    m_properties.setPathFile(path);
}

void TemplateUndoStack::Reset(const colPLControls &templateProperties)
{
    m_stack.clear();
    setProperties(templateProperties);
    m_current = takeSnapshot();
    m_stack.setClean();
}

void TemplateUndoStack::Record(const QString &text, const colPLControls &templateProperties)
{
    setProperties(templateProperties);
    Record(text);
}

void TemplateUndoStack::Record(const QString &text) { push(text, takeSnapshot(), -1, 0); }

void TemplateUndoStack::push(const QString &text, Snapshot after, int mergeId, quint64 burst)
{
    Snapshot before = m_current;
    m_current = after;
    m_stack.push(new TemplateSnapshotCommand(*this, std::move(before), std::move(after), text,
                                             mergeId, burst));
}

void TemplateUndoStack::restore(const Snapshot &snapshot)
{
    // Undo and redo bring back the template's settings, never where it is saved.
    const QString path = m_properties.PathFile();
    m_current = snapshot;
    setProperties(*snapshot);
    m_properties.setPathFile(path);
    m_canvas.RestoreControls(*snapshot);
    emit PropertiesRestored(*snapshot);
}
