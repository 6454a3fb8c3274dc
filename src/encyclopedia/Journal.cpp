// The encyclopedia's journal: every change written down while it is kept, and undoing and
// redoing what it wrote.

#include "ListChangeSteps.h"
#include "Lookups.h"
#include "encyclopedia/Encyclopedia.h"

#include <stdexcept>

namespace krel {
namespace {

// Sets a flag for as long as it lives.
class Raised {
public:
    explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
    ~Raised() { flag_ = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& flag_;
};

} // namespace

ListChange::ListChange() = default;
ListChange::~ListChange() = default;
ListChange::ListChange(ListChange&& other) noexcept = default;
ListChange& ListChange::operator=(ListChange&& other) noexcept = default;

void ListChange::Append(ListChange&& later) {
    if (!later.Empty())
        sortedAfter_ = later.sortedAfter_;
    steps_.reserve(steps_.size() + later.steps_.size());
    for (Step& step : later.steps_)
        steps_.push_back(std::move(step));
    later.steps_.clear();
}

void Encyclopedia::KeepJournal(bool keep) {
    journaling_ = keep;
    journal_ = ListChange();
    journalStartSorted_ = knownSorted();
}

Encyclopedia::JournalMark Encyclopedia::MarkJournal() const {
    return {journal_.steps_.size(), knownSorted()};
}

ListChange Encyclopedia::TakeJournal(const JournalMark& from) {
    ListChange taken;
    auto first = journal_.steps_.begin() + static_cast<std::ptrdiff_t>(from.Steps);
    taken.steps_.assign(std::make_move_iterator(first),
                        std::make_move_iterator(journal_.steps_.end()));
    journal_.steps_.erase(first, journal_.steps_.end());
    taken.sortedBefore_ = from.Sorted;
    taken.sortedAfter_ = knownSorted();
    return taken;
}

ListChange Encyclopedia::TakeJournal() {
    ListChange taken = TakeJournal({0, journalStartSorted_});
    journalStartSorted_ = knownSorted();
    return taken;
}

ListChange Encyclopedia::TakeJournalUpTo(const JournalMark& mark) {
    ListChange taken = TakeJournal();
    taken.sortedAfter_ = mark.Sorted;
    return taken;
}

void Encyclopedia::journal(ListChange::Step&& step) {
    if (journaling_ && !replaying_)
        journal_.steps_.push_back(std::move(step));
}

// The list is then exactly as it stood where the change began or ended, in order or not as it
// was there.
void Encyclopedia::Undo(ListChange& change) {
    Raised replaying(replaying_);
    for (auto step = change.steps_.rbegin(); step != change.steps_.rend(); ++step)
        replayStep(*step, false);
    orderKnown_ = change.sortedBefore_;
    unsorted_.clear();
    replayed();
}

void Encyclopedia::Redo(ListChange& change) {
    Raised replaying(replaying_);
    for (ListChange::Step& step : change.steps_)
        replayStep(step, true);
    orderKnown_ = change.sortedAfter_;
    unsorted_.clear();
    replayed();
}

// What the journal writes next begins where the replay left the list.
void Encyclopedia::replayed() {
    if (journal_.steps_.empty())
        journalStartSorted_ = knownSorted();
}

// Undo and redo alike swap a value or a list; they differ in which way a record crosses the
// list's edge and which way a sort goes.
void Encyclopedia::replayStep(ListChange::Step& step, bool forward) {
    if (auto* value = std::get_if<ValueStep>(&step.What))
        swapValue(*value);
    else if (auto* presence = std::get_if<PresenceStep>(&step.What))
        presence->Added == forward ? putBack(*presence) : takeOut(*presence);
    else if (auto* order = std::get_if<OrderStep>(&step.What))
        reorder(*order, forward);
    else
        swapList(std::get<ListStep>(step.What));
}

void Encyclopedia::swapValue(ValueStep& step) {
    T_EncEntry* stored = mutableRecord(Find(step.Id));
    lookups_->Changing(*stored, *step.Other);
    std::swap(*stored, *step.Other);
    lookups_->Changed(stored, *step.Other);
}

// The record at the step's place leaves the list, kept by the step.
void Encyclopedia::takeOut(PresenceStep& step) {
    const T_EncEntry* record = list_.at(step.Index).get();
    if (IdOf(record) != step.Id)
        throw std::logic_error("The list does not stand as the change expects");
    lookups_->Leaving(*record);
    forget(record);
    step.Held = std::move(list_[step.Index]);
    list_.erase(list_.begin() + static_cast<std::ptrdiff_t>(step.Index));
}

// The record the step keeps comes back to its place, with its identity.
void Encyclopedia::putBack(PresenceStep& step) {
    const T_EncEntry* record = step.Held.get();
    list_.insert(list_.begin() + static_cast<std::ptrdiff_t>(step.Index), std::move(step.Held));
    identify(record, step.Id);
    if (step.Index + 1 == list_.size())
        lookups_->Appended(record);
    else
        lookups_->Inserted(record);
}

// Forward the list becomes the runs of its positions in order; backward each run goes back
// where it came from.
void Encyclopedia::reorder(const OrderStep& step, bool forward) {
    EntryList reordered(list_.size());
    size_t at = 0;
    for (const OrderRun& run : step.Runs) {
        for (size_t i = run.From; i < run.From + run.Length; ++i, ++at) {
            if (forward)
                reordered[at] = std::move(list_[i]);
            else
                reordered[i] = std::move(list_[at]);
        }
    }
    list_ = std::move(reordered);
    lookups_->Reordered();
}

void Encyclopedia::swapList(ListStep& step) {
    std::vector<RecordId> ids = idsInOrder();
    list_.swap(step.Other);
    identifyAll(step.Ids);
    step.Ids = std::move(ids);
    lookups_->Replaced();
}

} // namespace krel
