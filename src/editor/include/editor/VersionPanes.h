#pragma once
// Two versions of one record side by side, the fields that differ marked and the changed words
// of the body texts highlighted: what the changes window and the merge preview show for the
// selected row.

#include "encyclopedia/Entry.h"

#include <QWidget>
#include <optional>
#include <string>

class QTextEdit;

namespace krel {

// One side: the record as that side holds it and, for an entry, where its headers list it
// when that is known.
struct RecordSide {
    T_EncEntry Record;
    std::optional<std::string> Listing; // "Worlds (2), Ships (1)"
};

class VersionPanes : public QWidget {
    Q_OBJECT
public:
    VersionPanes(const QString& leftCaption, const QString& rightCaption, QWidget* parent);

    // A missing side is a record that side does not hold.
    void Show(const std::optional<RecordSide>& left, const std::optional<RecordSide>& right);
    void Clear();

    QTextEdit* Left() const { return left_; }
    QTextEdit* Right() const { return right_; }

private:
    QTextEdit* left_;
    QTextEdit* right_;
};

} // namespace krel
