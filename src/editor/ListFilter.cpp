#include "editor/ListFilter.h"

#include "editor/EditorGuard.h"
#include "editor/EditorSession.h"
#include "editor/EntryListModel.h"
#include "kit/GuiGuard.h"
#include "kit/QtText.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace krel {

ListFilter::ListFilter(EditorSession& session, EntryListModel& rows, QLineEdit& field)
    : QObject(&field), session_(session), rows_(rows), field_(field) {
    field_.installEventFilter(this);
    connectGuarded(&field_, &QLineEdit::textEdited, &session_.Window,
                   [this] { FilterTextChanged(); });
}

void ListFilter::ListBuilt(ViewMode mode, const std::string& searchText) {
    mode_ = mode;
    searchText_ = searchText;
    stale_ = true;
    if (!field_.text().isEmpty())
        narrow();
}

void ListFilter::FilterTextChanged() {
    editorGuard("FilterTextChanged()", [this] { narrow(); });
}

// The view is built once after each change to the list; keystrokes only narrow it.
void ListFilter::narrow() {
    if (stale_) {
        view_.Build(session_.Records, mode_, searchText_);
        stale_ = false;
    }
    const std::string text = FromQt(field_.text());
    rows_.Rebuild(mode_, [&](RowSink& rows) { view_.Narrow(text, rows); });
}

bool ListFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &field_ || event->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape || field_.text().isEmpty())
        return false;
    field_.clear();
    guiGuard(&session_.Window, [this] { FilterTextChanged(); });
    return true;
}

} // namespace krel
