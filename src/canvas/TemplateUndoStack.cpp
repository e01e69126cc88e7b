#include "canvas/TemplateUndoStack.h"

#include "canvas/ElementListChange.h"
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

// One step: what changed in the elements, and the settings on either side (shared with the
// neighbouring steps when they did not change).
struct TemplateUndoStack::Step {
    ElementListChange elements;
    TemplateUndoStack::Snapshot propertiesBefore, propertiesAfter;
    qint64 bytes = 0;

    void count()
    {
        // The settings after the step are its own; those before belong to the step before.
        bytes = elements.Bytes() + qint64(sizeof(Step)) + qint64(sizeof(colPLControls));
    }
};

class TemplateStepCommand : public QUndoCommand {
public:
    TemplateStepCommand(TemplateUndoStack &owner, std::shared_ptr<TemplateUndoStack::Step> step,
                        const QString &text, int mergeId, quint64 burst)
        : QUndoCommand(text), m_owner(owner), m_step(std::move(step)), m_mergeId(mergeId),
          m_burst(burst)
    {
        m_owner.m_bytes += m_step->bytes;
    }
    ~TemplateStepCommand() override { m_owner.m_bytes -= m_step->bytes; }

    // The change is already on the canvas when the step is pushed.
    void redo() override
    {
        if (m_pushed)
            m_owner.apply(*m_step, false);
        m_pushed = true;
    }
    void undo() override { m_owner.apply(*m_step, true); }
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const TemplateStepCommand *>(other);
        if (next->m_burst != m_burst)
            return false;
        const qint64 before = m_step->bytes;
        if (!m_step->elements.Absorb(next->m_step->elements))
            return false;
        m_step->propertiesAfter = next->m_step->propertiesAfter;
        m_step->count();
        m_owner.m_bytes += m_step->bytes - before;
        return true;
    }

    const std::shared_ptr<TemplateUndoStack::Step> &step() const { return m_step; }
    quint64 burst() const { return m_burst; }

private:
    TemplateUndoStack &m_owner;
    std::shared_ptr<TemplateUndoStack::Step> m_step;
    int m_mergeId;
    quint64 m_burst;
    bool m_pushed = false;
};

TemplateUndoStack::TemplateUndoStack(KdPLDesinger &canvas, QObject *parent)
    : QObject(parent), m_canvas(canvas), m_current(std::make_shared<colPLControls>()),
      m_currentProperties(m_current)
{
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
    m_currentProperties = std::make_shared<const colPLControls>(m_properties);
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
    auto step = std::make_shared<Step>();
    step->elements = ElementListChange::Between(*m_current, *after);
    // The settings on either side, without elements (the elements are in the change): the
    // settings the snapshot was taken with.
    step->propertiesBefore = m_currentProperties;
    step->propertiesAfter = std::make_shared<const colPLControls>(m_properties);
    step->count();
    m_current = std::move(after);
    m_currentProperties = step->propertiesAfter;
    m_stack.push(new TemplateStepCommand(*this, std::move(step), text, mergeId, burst));
    trim();
}

void TemplateUndoStack::apply(const Step &step, bool undo)
{
    auto target = std::make_shared<colPLControls>(*(undo ? step.propertiesBefore : step.propertiesAfter));
    if (undo)
        step.elements.Undo(*m_current, *target);
    else
        step.elements.Redo(*m_current, *target);
    m_currentProperties = undo ? step.propertiesBefore : step.propertiesAfter;
    restore(target);
}

void TemplateUndoStack::trim()
{
    if (m_bytes <= m_budget || m_stack.count() <= 1)
        return;
    // The stack drops nothing from its bottom by itself: it is built again from the steps
    // that stay (pushing does not apply them: the canvas already shows the newest state).
    struct Kept {
        std::shared_ptr<Step> step;
        QString text;
        int id;
        quint64 burst;
    };
    std::vector<Kept> kept;
    qint64 bytes = m_bytes;
    int dropped = 0;
    for (int i = 0; i < m_stack.count(); ++i) {
        const auto *c = static_cast<const TemplateStepCommand *>(m_stack.command(i));
        if (bytes > m_budget && i < m_stack.count() - 1) {
            bytes -= c->step()->bytes;
            ++dropped;
            continue;
        }
        kept.push_back({c->step(), c->text(), c->id(), c->burst()});
    }
    const int clean = m_stack.cleanIndex() - dropped;
    m_stack.clear();
    for (size_t i = 0; i < kept.size(); ++i) {
        if (int(i) == clean)
            m_stack.setClean();
        m_stack.push(new TemplateStepCommand(*this, kept[i].step, kept[i].text, kept[i].id, kept[i].burst));
    }
    if (clean == int(kept.size()))
        m_stack.setClean();
    else if (clean < 0)
        m_stack.resetClean(); // the saved state is no longer within reach
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
