#pragma once
// Choosing another encyclopedia (a pair of text files, or an archive holding them) with the
// chooser that import and merge show, and reading one into memory without writing anything.

#include "encyclopedia/Entry.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace krel {

struct EditorSession;

// The chosen paths in the chooser's order; empty when the user cancelled or gave up. The chooser
// starts where the last choice was made (at first the game's folder), and one text file alone is
// completed by its partner beside it when the user agrees.
std::vector<std::filesystem::path> ChooseEncyclopediaSources(EditorSession& session,
                                                             QWidget* parent);

// An encyclopedia read into memory: its parsed records and how to name where it came from.
struct SourceRecords {
    std::vector<T_EncEntry> Records;
    std::string Name;
};

// Asks for a source and reads it; nothing when the user cancelled or the choice was refused
// (the refusal has been shown, as import shows it).
std::optional<SourceRecords> ReadChosenEncyclopedia(EditorSession& session, QWidget* parent);
// The game's own copy, read from its string archive.
SourceRecords ReadGameCopy(EditorSession& session);

} // namespace krel
