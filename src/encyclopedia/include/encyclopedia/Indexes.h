#pragma once
// The three views of the entry list: table of contents, subject index and keyword search.
// Builders fill rows through a narrow interface and write their progress lines to a log.

#include "common/DebugOutput.h"
#include "encyclopedia/Encyclopedia.h"

#include <functional>
#include <string>
#include <string_view>

namespace krel {

// Receives the rows of a view: a reference to a record plus whether it can be selected.
class RowSink {
public:
    virtual ~RowSink() = default;
    virtual void ClearRows() = 0;
    virtual void AddRow(const T_EncEntry* record, bool selectable) = 0;
};

enum class ViewMode { TableOfContents, SubjectIndex, Search };

// "Building Index ..." then the view's build. Errors are chained as "BuildList()\r...".
void BuildList(Encyclopedia& encyclopedia, ViewMode mode, std::string_view searchText,
               RowSink& rows, const LogFn& log);
// Reorders the encyclopedia, then lists headers and their members.
void BuildTOC(Encyclopedia& encyclopedia, RowSink& rows, const LogFn& log);
void BuildSubjectIndex(const Encyclopedia& encyclopedia, RowSink& rows, const LogFn& log);
void BuildKeyword(const Encyclopedia& encyclopedia, std::string_view searchText, RowSink& rows);

} // namespace krel
