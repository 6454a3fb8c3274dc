#include "cli/Views.h"

#include "common/TextCodec.h"
#include "encyclopedia/TocLayout.h"

namespace krel::cli {
namespace {

class RowCollector : public RowSink {
public:
    std::vector<Row> Rows;

    void ClearRows() override { Rows.clear(); }
    void AddRow(const T_EncEntry* record, bool selectable) override {
        Rows.push_back({record, selectable});
    }
};

} // namespace

std::vector<Row> BuildRows(Encyclopedia& book, ViewMode mode, std::string_view searchText) {
    RowCollector collector;
    BuildList(book, mode, searchText, collector, [](const std::string&) {});
    return std::move(collector.Rows);
}

// Each group of the table of contents is a header row followed by its member rows; counting
// them tells a group's header from a header listed as a member.
std::string OutlineText(const Encyclopedia& book, const std::vector<Row>& rows) {
    std::string text;
    size_t membersLeft = 0;
    for (const Row& row : rows) {
        bool member = membersLeft > 0;
        membersLeft = member ? membersLeft - 1 : MemberRowCount(book, *row.Record);
        text += member ? "  " : "";
        text += Cp1252ToUtf8(RowText(*row.Record)) + "\n";
    }
    return text;
}

} // namespace krel::cli
