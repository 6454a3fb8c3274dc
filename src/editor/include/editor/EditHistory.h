#pragma once
// Every command that changes the encyclopedia is one step on the window's undo stack. A step
// keeps the list as it was before and after the command; records that a step did not change are
// shared with the neighbouring snapshots, so a step costs a pointer per record plus the records
// it changed. The window's "modified" marker is simply "the stack is not clean".

#include "encyclopedia/Encyclopedia.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class QUndoStack;

namespace krel {

// The list at one moment: immutable records, shared between snapshots where unchanged.
using ListSnapshot = std::vector<std::shared_ptr<const T_EncEntry>>;

class EditHistory : public QObject {
    Q_OBJECT
public:
    // restore puts a snapshot back into the window (replace EntryList, keep the display on a
    // live record, rebuild the list for the current mode).
    using RestoreFn = std::function<void(const ListSnapshot&)>;

    EditHistory(Encyclopedia& encyclopedia, RestoreFn restore, QObject* parent = nullptr);
    ~EditHistory() override;

    QUndoStack& Stack() { return *stack_; }

    // Runs apply, which changes the encyclopedia (and rebuilds the list), and records the change
    // as one undoable step called name ("Edit Entry", "Move Entry", "Import", ...). When apply
    // throws, or changes nothing, no step is recorded and the exception passes on.
    void PushStep(const QString& name, const std::function<void()>& apply);

    // The encyclopedia as last loaded or exported: clean. Loading (a normal parse that is not an
    // undoable step, e.g. the first load) also forgets all steps: call Reset() then.
    void MarkClean();
    void Reset();
    bool IsModified() const;
    // Steps kept (at most 100; the oldest are forgotten first).
    size_t StepCount() const;

signals:
    void modifiedChanged(bool modified);

private:
    class Step;
    using SnapshotPtr = std::shared_ptr<const ListSnapshot>;
    using SharedMap = std::unordered_map<const T_EncEntry*, std::shared_ptr<const T_EncEntry>>;

    SnapshotPtr snapshot();
    void restore(const SnapshotPtr& snapshot);

    Encyclopedia& encyclopedia_;
    RestoreFn restore_;
    QUndoStack* stack_;
    // Live record address -> its shared copy in the latest snapshot, to share unchanged records.
    SharedMap shared_;
    SnapshotPtr latest_;
};

} // namespace krel
