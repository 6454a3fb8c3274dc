#include "editor/EditHistory.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace krel {
namespace {

constexpr int kStepLimit = 100;

} // namespace

// One undoable command: its change to the list. The command has already been applied when the
// step is pushed, so the first redo does nothing.
class EditHistory::Step : public QUndoCommand {
public:
    Step(EditHistory& history, const QString& name, ListChange change)
        : QUndoCommand(name), history_(history), change_(std::move(change)) {}

    void undo() override { history_.move(change_, false); }
    void redo() override {
        if (applied_)
            history_.move(change_, true);
        applied_ = true;
    }
    // Changes made after the command, before the next step: redone after it, undone before it.
    void Extend(ListChange&& later) { change_.Append(std::move(later)); }

private:
    EditHistory& history_;
    ListChange change_;
    bool applied_ = false;
};

EditHistory::EditHistory(Encyclopedia& encyclopedia, RefreshFn refresh, QObject* parent)
    : QObject(parent), encyclopedia_(encyclopedia), refresh_(std::move(refresh)),
      stack_(new QUndoStack(this)) {
    stack_->setUndoLimit(kStepLimit);
    connect(stack_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
    encyclopedia_.KeepJournal(true);
}

EditHistory::~EditHistory() {
    encyclopedia_.KeepJournal(false);
}

void EditHistory::PushStep(const QString& name, const std::function<void()>& apply) {
    const Encyclopedia::JournalMark mark = encyclopedia_.MarkJournal();
    try {
        apply();
    } catch (...) {
        // A command is applied whole or not at all.
        ListChange failed = encyclopedia_.TakeJournal(mark);
        if (!failed.Empty()) {
            encyclopedia_.Undo(failed);
            refresh_();
        }
        throw;
    }
    ListChange change = encyclopedia_.TakeJournal(mark);
    giveOutsideChangesToLastStep(mark);
    if (!change.Empty())
        stack_->push(new Step(*this, name, std::move(change)));
}

// The changes made before the command but after the last step, which the step's redo repeats.
void EditHistory::giveOutsideChangesToLastStep(const Encyclopedia::JournalMark& mark) {
    ListChange outside = encyclopedia_.TakeJournalUpTo(mark);
    if (outside.Empty() || stack_->index() == 0)
        return;
    auto* last = static_cast<const Step*>(stack_->command(stack_->index() - 1));
    const_cast<Step*>(last)->Extend(std::move(outside));
}

// The changes made since the stack last moved are taken back first, so the step finds the list
// exactly as it left it.
void EditHistory::move(ListChange& change, bool forward) {
    ListChange outside = encyclopedia_.TakeJournal();
    encyclopedia_.Undo(outside);
    if (forward)
        encyclopedia_.Redo(change);
    else
        encyclopedia_.Undo(change);
    refresh_();
}

void EditHistory::MarkClean() {
    stack_->setClean();
}

void EditHistory::Reset() {
    const bool wasModified = IsModified();
    stack_->clear();
    stack_->setClean();
    encyclopedia_.TakeJournal();
    if (wasModified)
        emit modifiedChanged(false);
}

bool EditHistory::IsModified() const {
    return !stack_->isClean();
}

size_t EditHistory::StepCount() const {
    return static_cast<size_t>(stack_->count());
}

} // namespace krel
