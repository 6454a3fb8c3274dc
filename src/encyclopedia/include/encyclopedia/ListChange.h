#pragma once
// A stretch of changes to an encyclopedia's list as its journal wrote them down, to be undone and
// redone exactly (Encyclopedia::Undo, Encyclopedia::Redo). It holds only what the changes
// touched: the other value of each changed record, the records that left or entered the list
// (while they are out of it) with their places, and the order the records stood in before a
// sort. Records keep their identities through undo and redo.

#include <memory>
#include <vector>

namespace krel {

class ListChange {
public:
    ListChange();
    ~ListChange();
    ListChange(ListChange&& other) noexcept;
    ListChange& operator=(ListChange&& other) noexcept;

    bool Empty() const { return steps_.empty(); }
    // Adds the changes made after these (they are undone before these, redone after them).
    void Append(ListChange&& later);

private:
    friend class Encyclopedia;
    struct Step;

    std::vector<Step> steps_;
    // Whether the list was known to be in order where the changes began and where they ended.
    bool sortedBefore_ = false;
    bool sortedAfter_ = false;
};

} // namespace krel
