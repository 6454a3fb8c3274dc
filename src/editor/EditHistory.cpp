#include "editor/EditHistory.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>

namespace krel {
namespace {

constexpr int kStepLimit = 100;

bool sameRecords(const ListSnapshot& a, const ListSnapshot& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

} // namespace

// One undoable command: the list before and after it. The command has already been applied
// when the step is pushed, so the first redo does nothing.
class EditHistory::Step : public QUndoCommand {
public:
    Step(EditHistory& history, const QString& name, SnapshotPtr before, SnapshotPtr after)
        : QUndoCommand(name), history_(history), before_(std::move(before)),
          after_(std::move(after)) {}

    void undo() override { history_.restore(before_); }
    void redo() override {
        if (applied_)
            history_.restore(after_);
        applied_ = true;
    }

private:
    EditHistory& history_;
    SnapshotPtr before_;
    SnapshotPtr after_;
    bool applied_ = false;
};

EditHistory::EditHistory(Encyclopedia& encyclopedia, RestoreFn restore, QObject* parent)
    : QObject(parent), encyclopedia_(encyclopedia), restore_(std::move(restore)),
      stack_(new QUndoStack(this)) {
    stack_->setUndoLimit(kStepLimit);
    connect(stack_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

EditHistory::~EditHistory() = default;

void EditHistory::PushStep(const QString& name, const std::function<void()>& apply) {
    const SnapshotPtr before = snapshot();
    try {
        apply();
    } catch (...) {
        // A command is applied whole or not at all.
        if (snapshot() != before)
            restore(before);
        throw;
    }
    SnapshotPtr after = snapshot();
    if (after != before)
        stack_->push(new Step(*this, name, before, std::move(after)));
}

void EditHistory::MarkClean() {
    stack_->setClean();
}

void EditHistory::Reset() {
    const bool wasModified = IsModified();
    stack_->clear();
    stack_->setClean();
    shared_.clear();
    latest_.reset();
    if (wasModified)
        emit modifiedChanged(false);
}

bool EditHistory::IsModified() const {
    return !stack_->isClean();
}

size_t EditHistory::StepCount() const {
    return static_cast<size_t>(stack_->count());
}

// Records equal to their copy in the latest snapshot are shared with it; the others are copied.
// A list that did not change at all gives the latest snapshot itself, so neighbouring steps
// share one.
EditHistory::SnapshotPtr EditHistory::snapshot() {
    ListSnapshot taken;
    taken.reserve(encyclopedia_.Count());
    SharedMap shared;
    shared.reserve(encyclopedia_.Count());
    for (const auto& record : encyclopedia_.GetEntryList()) {
        auto known = shared_.find(record.get());
        if (known != shared_.end() && *known->second == *record)
            taken.push_back(known->second);
        else
            taken.push_back(std::make_shared<const T_EncEntry>(*record));
        shared.emplace(record.get(), taken.back());
    }
    shared_ = std::move(shared);
    if (!latest_ || !sameRecords(*latest_, taken))
        latest_ = std::make_shared<const ListSnapshot>(std::move(taken));
    return latest_;
}

void EditHistory::restore(const SnapshotPtr& snapshot) {
    const ListSnapshot& records = *snapshot;
    restore_(records);
    SharedMap shared;
    shared.reserve(records.size());
    const size_t count = std::min(records.size(), encyclopedia_.Count());
    for (size_t i = 0; i < count; ++i)
        shared.emplace(encyclopedia_.At(i), records[i]);
    shared_ = std::move(shared);
    latest_ = snapshot;
}

} // namespace krel
