#pragma once
// Readable records in failure messages and a recording row sink for the encyclopedia tests.

#include "encyclopedia/Indexes.h"
#include "support/Records.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace krel {

// Readable records in failure messages.
inline void PrintTo(const T_EncEntry& r, std::ostream* out) {
    *out << "{" << int(r.Kind) << " T=" << r.Title << " I=" << r.Image << " K=" << r.Keywords
         << " R=" << r.Related << " C=" << r.Content << " Tag=" << r.Tag << "}";
}
inline void PrintTo(const T_RawEntry& r, std::ostream* out) {
    *out << "{" << r.Tag << " " << int(r.Kind) << " " << r.Text << "}";
}

} // namespace krel

namespace krel::test {

// Rows as (position in the encyclopedia, selectable), so they compare with plain vectors.
class RecordingSink : public RowSink {
public:
    explicit RecordingSink(const Encyclopedia& encyclopedia) : encyclopedia_(encyclopedia) {}
    void ClearRows() override { rows.clear(); }
    void AddRow(const T_EncEntry* record, bool selectable) override {
        rows.emplace_back(encyclopedia_.IndexOf(record), selectable);
    }
    std::vector<std::pair<size_t, bool>> rows;

private:
    const Encyclopedia& encyclopedia_;
};

} // namespace krel::test
