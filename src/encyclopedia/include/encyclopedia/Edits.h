#pragma once
// The editing rules of the encyclopedia: what editing, adding and reordering entries and headers
// do to the records. The editor's commands call these and nothing else changes the records for
// them, so the command-line tool and the tests reach the same rules without a window. Every
// change goes through the encyclopedia's own members; no view is rebuilt here.

#include "encyclopedia/Compare.h"
#include "encyclopedia/Encyclopedia.h"

#include <string>
#include <string_view>
#include <vector>

namespace krel {

// The header choice that puts an entry in no header (letter case ignored).
inline constexpr std::string_view kNoHeader = "(none)";

// An entry as the entry editor hands it back: its fields (Kind is ignored; Content keeps line
// breaks as "/p") and the title of the header it is to belong to.
struct EntryDraft {
    T_EncEntry Fields;
    std::string Header{kNoHeader};
};

// A header as the header editor hands it back: its number, its title and its members' tags.
struct HeaderDraft {
    std::string Tag;
    std::string Title;
    std::vector<std::string> Members;
};

// A header's text: the bare title without members, else the title, ":" and the members' tags as
// a comma list.
std::string HeaderText(std::string_view title, const std::vector<std::string>& members);
// The draft the header editor starts from: the header's number and title, and the tags of the
// entries its members name, in its order (members that name no entry are left out).
HeaderDraft DraftOfHeader(const Encyclopedia& encyclopedia, const T_EncEntry& header);
// The number a new header gets: one above the largest, four digits at least.
std::string NextHeaderTag(const Encyclopedia& encyclopedia);

// Puts an entry into the headers titled title (letter case ignored) and takes it out of every
// header whose text holds its tag; kNoHeader leaves it in none. Nothing changes when title is
// exactly the trimmed title of the entry's header ("(none)" when it has none).
void MoveToHeader(Encyclopedia& encyclopedia, const T_EncEntry* entry, std::string_view title);
// Replaces the tag from by to wherever it stands as a whole item (exact bytes) of a header's
// member list or an entry's related list; the other items stay as they are written.
void RenameTag(Encyclopedia& encyclopedia, std::string_view from, std::string_view to);
// An edited entry: its header (MoveToHeader), its tag followed into every list that names it
// (RenameTag), then its fields.
void ApplyEntryDraft(Encyclopedia& encyclopedia, const T_EncEntry* entry, const EntryDraft& draft);
// A new entry at the end of the list, listed last by the header its draft names.
const T_EncEntry* AddEntry(Encyclopedia& encyclopedia, const EntryDraft& draft);
// An edited header's text from the draft's title and members; its number stays.
void ApplyHeaderDraft(Encyclopedia& encyclopedia, const T_EncEntry* header,
                      const HeaderDraft& draft);
// A new header at the end of the list, numbered as the draft says.
const T_EncEntry* AddHeader(Encyclopedia& encyclopedia, const HeaderDraft& draft);

// Reordering the table of contents by dropping one record on another.
enum class DropKind {
    None,         // the drop changes nothing
    IntoHeader,   // an entry becomes the last member of the target header
    AfterEntry,   // an entry lands right after the target entry, in that entry's header
    BeforeHeader, // a header lands right before the target header
};
struct DropPlan {
    DropKind Kind = DropKind::None;
    const T_EncEntry* Target = nullptr; // the header or entry the drop acts on
};

// What dropping dragged on target would do. A header dropped on an entry aims at that entry's
// header; a record dropped on itself, or a header on its own member, does nothing.
DropPlan PlanDrop(const Encyclopedia& encyclopedia, const T_EncEntry* dragged,
                  const T_EncEntry* target);
// Carries the plan out. A header takes the target's number and every header from the target on
// moves one up (plain numbers: the next table of contents numbers them 0001, 0002, ... again).
// A header number that is not a decimal integer throws std::invalid_argument; the numbers
// changed before it stay changed.
void ApplyDrop(Encyclopedia& encyclopedia, const T_EncEntry* dragged, const DropPlan& plan);

// Takes one record of a comparison back to its version before, where the comparison's after
// side is this encyclopedia. A changed entry gets its fields back and sits again where the
// headers before listed it (at the same place among their members, headers of those titles
// that still exist); an added entry leaves the list and every header; a removed one is
// appended and listed as before. A changed header gets its text back, an added one leaves the
// list, a removed one returns numbered after the others. A record the encyclopedia no longer
// holds as the comparison saw it (already reverted, or changed since) is left alone; returns
// whether anything changed.
bool RevertChange(Encyclopedia& encyclopedia, const RecordChange& change);

} // namespace krel
