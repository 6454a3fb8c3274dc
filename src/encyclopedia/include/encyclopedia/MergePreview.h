#pragma once
// A merge the user sees before it happens: every record of the incoming encyclopedia, in the
// order the merge handles it, classified against the current one as new, identical or
// conflicting, each with a choice. Applying the choices changes the encyclopedia as the merge
// of the Merge button would with those answers: taking every new record and keeping mine for
// every conflict is that merge with "Current Encyclopedia Overwrites Merged" on; taking
// theirs for all is the merge with it off and no confirmation. Nothing changes before Apply.

#include "encyclopedia/Completion.h"
#include "encyclopedia/Encyclopedia.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace krel {

enum class IncomingKind : std::uint8_t {
    New,       // no entry has its tag, no header its title (letter case ignored)
    Identical, // the record it meets equals it (an entry in all fields, a header in its text)
    Conflict,  // the record it meets differs
    Skipped,   // an untitled header right after another untitled one, which the merge leaves out
};

struct IncomingRecord {
    IncomingKind Kind = IncomingKind::New;
    T_EncEntry Theirs;
    // Identical and conflicting records: the one it meets. That is the current encyclopedia's
    // record, or an earlier incoming one with the same tag or title when the incoming
    // encyclopedia repeats it (the earlier one is added first).
    std::optional<T_EncEntry> Mine;
    // New: add it. Conflict: replace mine by theirs (for a header, its text). New records start
    // taken, the others not.
    bool Take = false;
};

struct MergePreview {
    // Entries by title, then headers by number: the merge's order, in which records are added.
    std::vector<IncomingRecord> Records;
};

// Throws EEncEditorError "PreviewMerge()\r..." when an incoming header's number is not a
// decimal integer, as the merge fails then.
MergePreview PreviewMerge(const Encyclopedia& current, const std::vector<T_EncEntry>& incoming);

// The bulk choices for every conflict. Identical records follow along: they matter only when
// the incoming encyclopedia repeats a tag, so that taking an earlier one changed what they meet.
void TakeTheirsForAll(MergePreview& preview);
void KeepMineForAll(MergePreview& preview);

// Applies the taken records in order. A record whose tag (a header: whose title, unless it is
// untitled) the encyclopedia holds by then replaces that record (a header only its text) and
// counts as changed when that changes it; any other is added and counted as added. Records not
// taken and skipped headers change nothing. Unlike the merge of the Merge button, replacing a
// record by an equal one is not counted as a change.
MergeResult ApplyMerge(Encyclopedia& encyclopedia, const MergePreview& preview);

} // namespace krel
