#pragma once
// TListAdd: the pop-up list from which the header and entry editors pick one header or one
// entry. Row 0 is always "(none)"; a click (or Return or Space) on a row hands its record's
// identity back in Selected and closes the picker, Escape closes it with no choice. The opener
// places it on the screen and looks the chosen record up: one that has left the encyclopedia
// meanwhile is gone.

#include "encyclopedia/Encyclopedia.h"

#include <QDialog>
#include <string>

class QListWidgetItem;

namespace krel {

class TRecordList;

enum TListMode : int { lmHeaders = 0, lmEntries = 1 };

class TListAdd : public QDialog {
    Q_OBJECT
public:
    explicit TListAdd(QWidget* parent = nullptr);

    // The record clicked; None for "(none)" or when the picker closed without a click.
    RecordId Selected = RecordId::None;
    // The encyclopedia whose records are offered, in list order; not owned. The default is an
    // empty one.
    const Encyclopedia* Entries;
    TListMode Mode = lmHeaders;
    // Text of the row to pre-select (letter case ignored; the last match wins).
    std::string Current;
    // Entry mode only: leave out the entries that IsReferenced finds a record for.
    bool HideReferenced = false;

    TRecordList* SSListBox1;

    // Puts the picker at a screen position with the given width; its height stays.
    void PlaceAt(int left, int top, int width);

    // The first record of Entries whose Content holds the entry's Tag (case-sensitive);
    // nullptr when none does or when entry is not an entry record.
    const T_EncEntry* IsReferenced(const T_EncEntry* entry) const;
    // The record a row stands for; None for "(none)".
    RecordId RecordAt(int row) const;

    // Rebuilds the rows; runs each time the picker is shown.
    void FormShow();
    void SSListBox1ItemClick(QListWidgetItem* item);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int fillHeaders();
    int fillEntries();
};

} // namespace krel
