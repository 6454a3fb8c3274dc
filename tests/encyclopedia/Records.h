#pragma once
// Small builders and a recording row sink shared by the encyclopedia tests.

#include "encyclopedia/Encyclopedia.h"
#include "encyclopedia/Indexes.h"

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

inline T_EncEntry Header(std::string tag, std::string content) {
    return {ekHeader, {}, {}, {}, {}, std::move(content), std::move(tag)};
}

inline T_EncEntry Entry(std::string tag, std::string title, std::string keywords = {},
                        std::string content = {}) {
    return {ekEntry,       std::move(title), {}, std::move(keywords), {}, std::move(content),
            std::move(tag)};
}

inline T_EncEntry Letter(char letter) {
    return {ekLetter, std::string(1, letter), {}, {}, {}, {}, {}};
}

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
