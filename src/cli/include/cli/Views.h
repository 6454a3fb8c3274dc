#pragma once
// The rows of the editor's three views, built by the store's own builders.

#include "cli/Json.h"
#include "encyclopedia/Indexes.h"

#include <string>
#include <string_view>
#include <vector>

namespace krel::cli {

// Builds a view as the window does (the table of contents reorders and renumbers the book).
std::vector<Row> BuildRows(Encyclopedia& book, ViewMode mode, std::string_view searchText = {});

// The rows of the table of contents just built from book as an indented outline: each header
// flush left, its members indented below it. UTF-8 text, one row a line.
std::string OutlineText(const Encyclopedia& book, const std::vector<Row>& rows);

} // namespace krel::cli
