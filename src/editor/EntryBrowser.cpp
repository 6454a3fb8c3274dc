#include "editor/EntryBrowser.h"

#include "dialogs/GraphicForm.h"
#include "editor/EditorGuard.h"
#include "editor/EditorSession.h"
#include "editor/EditorWidgets.h"
#include "editor/EntryListModel.h"
#include "editor/ListFilter.h"
#include "encyclopedia/TextFormat.h"
#include "kit/GuiGuard.h"
#include "kit/QtText.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace krel {
namespace {

constexpr const char* kDefaultPageTag = "EROR";
// How long the current row must rest before its picture is read, so that holding an arrow key
// moves through the list without reading every picture on the way.
constexpr int kPictureDelayMs = 150;

// The body text as shown: every "/p" starts a new line.
QString bodyText(std::string_view content) {
    std::string text;
    text.reserve(content.size());
    for (size_t at = 0; at < content.size(); ++at) {
        if (content.substr(at, 2) == "/p") {
            text += "\r\n";
            ++at;
        } else {
            text += content[at];
        }
    }
    return ToQt(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

EntryBrowser::EntryBrowser(EditorSession& session, const EditorControls& controls)
    : session_(session), controls_(controls), rows_(new EntryListModel(session.Records, this)),
      filter_(new ListFilter(session, *rows_, *controls.FilterText)) {
    controls_.EntryListBox->setModel(rows_);
    controls_.EntryListBox->viewport()->installEventFilter(this);
    controls_.EntryListBox->installEventFilter(this);
    pictureTimer_.setSingleShot(true);
    pictureTimer_.setInterval(kPictureDelayMs);
    connectControls();
}

void EntryBrowser::connectControls() {
    QWidget* window = &session_.Window;
    // Any activation counts (a click, a mnemonic, a screen reader's toggle), so the view
    // buttons are followed by their state. The program sets them with their signals blocked,
    // so a change seen here is the user's: checking a mode chooses it, unchecking the mode in
    // force chooses it again.
    connectGuarded(controls_.TOC, &QPushButton::toggled, window, [this] { TOCClick(); });
    connectGuarded(controls_.SubjectIndex, &QPushButton::toggled, window,
                   [this] { SubjectIndexClick(); });
    connectGuarded(controls_.Find, &QPushButton::clicked, window, [this] { FindClick(); });
    connectGuarded(controls_.FindText, &QLineEdit::returnPressed, window,
                   [this] { FindTextKeyDown(); });
    connectGuarded(controls_.EntryListBox, &QListView::clicked, window,
                   [this](const QModelIndex& index) { EntryListBoxItemClick(index.row()); });
    connectGuarded(
        controls_.EntryListBox->selectionModel(), &QItemSelectionModel::currentChanged, window,
        [this](const QModelIndex& index, const QModelIndex&) { CurrentRowChanged(index.row()); });
    connectGuarded(&pictureTimer_, &QTimer::timeout, window, [this] { ShowPendingPicture(); });
    for (int i = 0; i < 4; ++i)
        connectGuarded(controls_.Links[static_cast<size_t>(i)], &TDisplayLink::clicked, window,
                       [this, i] { LinkClick(i); });
    connectGuarded(controls_.EntryImage, &TDisplayPicture::doubleClicked, window,
                   [this] { EntryImageDblClick(); });
}

// Tells a click from a key: a button is held from its press to its release, or until a key is
// typed (a context menu takes the release of the right button).
bool EntryBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == controls_.EntryListBox && event->type() == QEvent::KeyPress)
        pressed_ = Qt::NoButton;
    if (watched != controls_.EntryListBox->viewport())
        return false;
    if (event->type() == QEvent::MouseButtonRelease)
        pressed_ = Qt::NoButton;
    if (event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        pressed_ = press->button();
        guiGuard(&session_.Window, [&] {
            EntryListBoxMouseDown(press->button(), press->position().toPoint(),
                                  press->globalPosition().toPoint());
        });
    }
    return false;
}

ViewMode EntryBrowser::CurrentMode() const {
    if (controls_.TOC->isChecked())
        return ViewMode::TableOfContents;
    if (controls_.SubjectIndex->isChecked())
        return ViewMode::SubjectIndex;
    return ViewMode::Search;
}

void EntryBrowser::BuildList(const std::string& searchText) {
    const ViewMode mode = CurrentMode();
    rows_->Rebuild(mode, [&](RowSink& rows) {
        krel::BuildList(session_.Records, mode, searchText, rows,
                        [this](const std::string& line) { session_.Log(line); });
    });
    filter_->ListBuilt(mode, searchText);
}

void EntryBrowser::setViewButtons(bool toc, bool subjectIndex) {
    const QSignalBlocker tocQuiet(controls_.TOC);
    const QSignalBlocker indexQuiet(controls_.SubjectIndex);
    controls_.TOC->setChecked(toc);
    controls_.SubjectIndex->setChecked(subjectIndex);
}

void EntryBrowser::TOCClick() {
    editorGuard("SSButton1Click()", [this] {
        setViewButtons(true, false);
        BuildList("");
    });
}

void EntryBrowser::SubjectIndexClick() {
    editorGuard("SSButton2Click()", [this] {
        setViewButtons(false, true);
        BuildList("");
    });
}

void EntryBrowser::FindClick() {
    editorGuard("FindClick()", [this] {
        setViewButtons(false, false);
        const std::string keyword = FromQt(controls_.FindText->text());
        BuildList(keyword);
        SetStatus(rows_->rowCount() == 0 ? "No entries have the keyword \"" + keyword + "\""
                                         : "Status: Browsing Encyclopedia");
    });
}

void EntryBrowser::FindTextKeyDown() {
    editorGuard("FindTextKeyDown", [this] { FindClick(); });
}

// A click shows the row at once, picture included, even when the keys moved there just now.
void EntryBrowser::EntryListBoxItemClick(int row) {
    editorGuard("EntryListBoxItemClick()", [&] {
        if (!rows_->Selectable(row))
            return;
        SelectEntry(rows_->Record(row));
        ShowPendingPicture();
    });
}

// Whatever chose the current row (a left press, arrows, pages, type-ahead), its entry is shown;
// from the keyboard the picture follows once the row rests. A rebuilt list, a row made current
// without being chosen (on entering the list) and a right click change nothing.
void EntryBrowser::CurrentRowChanged(int row) {
    editorGuard("EntryListBoxItemClick()", [&] {
        if (!rows_->Selectable(row) || pressed_ == Qt::RightButton)
            return;
        if (pressed_ == Qt::LeftButton)
            return SelectEntry(rows_->Record(row));
        if (controls_.EntryListBox->selectionModel()->isSelected(rows_->index(row)))
            SelectEntry(rows_->Record(row), PictureTiming::Later);
    });
}

void EntryBrowser::ShowPendingPicture() {
    pictureTimer_.stop();
    if (!picturePending_)
        return;
    picturePending_ = false;
    if (const T_EncEntry* record = CurrentEntry(); record && !record->Image.empty())
        showPicture(*record);
}

void EntryBrowser::LinkClick(int link) {
    editorGuard("LinkClick()", [&] {
        if (const T_EncEntry* target = LinkTarget(link))
            SelectEntry(target);
    });
}

// The graphic browser only shows the archive's pictures here; its choice is not used.
void EntryBrowser::EntryImageDblClick() {
    editorGuard("EntryImageDblClick()", [this] {
        const T_General_Preferences& folders = session_.Context.Preferences.General;
        TGraphicForm browser(folders.BaseDir, folders.TempDir, &session_.Window);
        browser.exec();
    });
}

void EntryBrowser::EntryListBoxMouseDown(Qt::MouseButton button, QPoint position,
                                         QPoint screenPosition) {
    editorGuard("EntryListBoxMouseDown()", [&] {
        if (button != Qt::RightButton)
            return;
        const T_EncEntry* record = rows_->Record(controls_.EntryListBox->indexAt(position).row());
        if (!record)
            return;
        if (record->Kind == ekEntry)
            controls_.EntryMenu->popup(screenPosition);
        else if (record->Kind == ekHeader)
            controls_.HeaderMenu->popup(screenPosition);
    });
}

void EntryBrowser::SelectEntry(const T_EncEntry* record, PictureTiming picture) {
    editorGuard("SelectEntry()", [&] { show(record, false, picture); });
}

// keepPicture: the picture on display is the record's already.
void EntryBrowser::show(const T_EncEntry* record, bool keepPicture, PictureTiming picture) {
    if (!record || record->Kind != ekEntry)
        record = session_.Records.GetEntryByTag(kDefaultPageTag);
    const RecordId id = session_.Records.IdOf(record);
    if (id == current_ && record)
        return;
    const QImage kept = keepPicture ? controls_.EntryImage->picture() : QImage();
    current_ = id;
    clearDisplay();
    picturePending_ = false;
    pictureTimer_.stop();
    // Without a default page, headers, letters and "none" show an empty display.
    if (!record)
        return;
    session_.Log("Selecting Entry: " + record->Title + " ...");
    if (keepPicture)
        keepShownPicture(*record, kept);
    else if (!record->Image.empty() && picture == PictureTiming::Now)
        showPicture(*record);
    else if (!record->Image.empty())
        schedulePicture();
    controls_.EntryDesc->setPlainText(bodyText(record->Content));
    controls_.EntryTitle->setText(ToQt(record->Title));
    showLinks(*record);
    session_.Log("Display updated");
}

void EntryBrowser::schedulePicture() {
    picturePending_ = true;
    pictureTimer_.start();
}

void EntryBrowser::SetStatus(const std::string& text) {
    controls_.StatusPanel1->setText(ToQt(text));
}

const T_EncEntry* EntryBrowser::CurrentEntry() const {
    return session_.Records.Find(current_);
}

const T_EncEntry* EntryBrowser::SelectedRecord() const {
    const QModelIndex current = controls_.EntryListBox->currentIndex();
    if (!current.isValid() || !controls_.EntryListBox->selectionModel()->isSelected(current))
        return nullptr;
    return rows_->Record(current.row());
}

const T_EncEntry* EntryBrowser::LinkTarget(int link) const {
    return session_.Records.Find(linkTargets_.at(static_cast<size_t>(link)));
}

const QImage& EntryBrowser::Picture() const {
    return controls_.EntryImage->picture();
}

void EntryBrowser::RecordsChanged() {
    if (current_ != RecordId::None && !CurrentEntry()) {
        SelectEntry(nullptr);
        return;
    }
    for (size_t i = 0; i < linkTargets_.size(); ++i)
        if (linkTargets_[i] != RecordId::None && !session_.Records.Find(linkTargets_[i]))
            clearLink(i);
}

// The picture is read again only when the record names another one now.
void EntryBrowser::ShowAgain() {
    editorGuard("SelectEntry()", [&] {
        const T_EncEntry* shown = CurrentEntry();
        const bool samePicture = shown && !shown->Image.empty() && shown->Image == pictureShown_;
        current_ = RecordId::None;
        show(shown, samePicture, PictureTiming::Now);
    });
}

void EntryBrowser::ShowEdited(const std::string& tag) {
    for (int row = 0; row < rows_->rowCount(); ++row) {
        const T_EncEntry* record = rows_->Record(row);
        if (record && EqualsIgnoreCase(record->Tag, tag)) {
            current_ = RecordId::None;
            controls_.EntryListBox->setCurrentIndex(rows_->index(row));
            EntryListBoxItemClick(row);
            return;
        }
    }
}

void EntryBrowser::Forget() {
    rows_->Clear();
    filter_->Forget();
    current_ = RecordId::None;
    picturePending_ = false;
    pictureTimer_.stop();
    clearDisplay();
}

void EntryBrowser::clearDisplay() {
    pictureShown_.clear();
    controls_.EntryTitle->clear();
    controls_.EntryDesc->clear();
    for (size_t i = 0; i < linkTargets_.size(); ++i)
        clearLink(i);
    controls_.EntryImage->clear();
}

// Only a link that leads somewhere takes the keyboard focus.
void EntryBrowser::clearLink(size_t link) {
    controls_.Links[link]->clear();
    controls_.Links[link]->setFocusPolicy(Qt::NoFocus);
    linkTargets_[link] = RecordId::None;
}

// A picture that cannot be shown never stops the display: the entry is shown without it and
// the reason goes to the debug log.
void EntryBrowser::showPicture(const T_EncEntry& record) {
    session_.Log("-> Extracting Image: " + record.Image);
    std::optional<std::string> member =
        pictures_.FindMember(session_.Paths().AssetArchive, record.Image);
    if (!member) {
        session_.Log("-> Failed to located image.");
        return;
    }
    try {
        controls_.EntryImage->setPicture(pictures_.Load(*member));
        pictureShown_ = record.Image;
        session_.Log("-> Image Extracted");
    } catch (const std::exception& e) {
        session_.Log("-> Failed to show image " + *member + ": " + e.what());
    }
}

void EntryBrowser::keepShownPicture(const T_EncEntry& record, const QImage& picture) {
    controls_.EntryImage->setPicture(picture);
    pictureShown_ = record.Image;
}

void EntryBrowser::showLinks(const T_EncEntry& record) {
    if (record.Related.empty())
        return;
    std::vector<std::string> tags = SplitCommaList(record.Related);
    for (size_t i = 0; i < tags.size() && i < linkTargets_.size(); ++i) {
        if (const T_EncEntry* target = session_.Records.GetEntryByTag(tags[i])) {
            controls_.Links[i]->setText(ToQt(target->Title));
            controls_.Links[i]->setFocusPolicy(Qt::StrongFocus);
            linkTargets_[i] = session_.Records.IdOf(target);
        }
    }
}

} // namespace krel
