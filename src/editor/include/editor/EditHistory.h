#pragma once
// Every command that changes the encyclopedia is one step on the window's undo stack. A step
// keeps only what the command changed, as the encyclopedia's journal wrote it down (the other
// values of the records it changed, the records it added or removed, the order a sort found),
// so it costs what the command changed, and undoing or redoing it puts back exactly the list
// before or after the command, with the same record identities. The window's "modified" marker
// is simply "the stack is not clean".
//
// Changes made outside any step (the table of contents sorts and numbers the list whenever it
// is built) belong to the state the stack stands at: before the stack moves they are taken
// back, so undo and redo find the list as their steps left it; a new step gives them to the
// step before it, whose redo then repeats them.

#include "encyclopedia/Encyclopedia.h"

#include <QObject>
#include <QString>
#include <functional>

class QUndoStack;

namespace krel {

class EditHistory : public QObject {
    Q_OBJECT
public:
    // refresh shows the list again after undo or redo changed it (rebuild the list, keep the
    // display on its record while that record is still there).
    using RefreshFn = std::function<void()>;

    // Keeps the encyclopedia's journal from now on (and stops it when going).
    EditHistory(Encyclopedia& encyclopedia, RefreshFn refresh, QObject* parent = nullptr);
    ~EditHistory() override;

    QUndoStack& Stack() { return *stack_; }

    // Runs apply, which changes the encyclopedia (and rebuilds the list), and records the change
    // as one undoable step called name ("Edit Entry", "Move Entry", "Import", ...). When apply
    // throws, what it changed is undone, the list shown again, and the exception passes on;
    // when it changes nothing, no step is recorded.
    void PushStep(const QString& name, const std::function<void()>& apply);

    // The encyclopedia as last loaded or exported: clean. Reset also forgets all steps.
    void MarkClean();
    void Reset();
    bool IsModified() const;
    // Steps kept (at most 100; the oldest are forgotten first).
    size_t StepCount() const;

signals:
    void modifiedChanged(bool modified);

private:
    class Step;

    void move(ListChange& change, bool forward);
    void giveOutsideChangesToLastStep(const Encyclopedia::JournalMark& mark);

    Encyclopedia& encyclopedia_;
    RefreshFn refresh_;
    QUndoStack* stack_;
};

} // namespace krel
