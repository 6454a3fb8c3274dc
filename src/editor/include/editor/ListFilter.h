#pragma once
// Filter as you type over the editor window's list: each keystroke in the filter field narrows
// the table of contents or the subject index to the titles holding its text, each kept row
// under its header or letter row; Escape clears the field and the whole list returns.

#include "encyclopedia/Filter.h"

#include <QObject>
#include <string>

class QLineEdit;

namespace krel {

class EntryListModel;
struct EditorSession;

class ListFilter : public QObject {
    Q_OBJECT
public:
    ListFilter(EditorSession& session, EntryListModel& rows, QLineEdit& field);

    // The list has just been built for mode: narrows it again while a filter is set.
    void ListBuilt(ViewMode mode, const std::string& searchText);
    // The list was emptied before a load: nothing of the old view may be used again.
    void Forget() { stale_ = true; }
    // Narrows the list to the field's text.
    void FilterTextChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void narrow();

    EditorSession& session_;
    EntryListModel& rows_;
    QLineEdit& field_;
    FilterableView view_;
    bool stale_ = true;
    ViewMode mode_ = ViewMode::TableOfContents;
    std::string searchText_;
};

} // namespace krel
