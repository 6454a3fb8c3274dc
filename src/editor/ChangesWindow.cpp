#include "editor/ChangesWindow.h"

#include "editor/EditHistory.h"
#include "editor/EditorGuard.h"
#include "editor/EditorSession.h"
#include "editor/EntryBrowser.h"
#include "editor/VersionPanes.h"
#include "encyclopedia/Edits.h"
#include "encyclopedia/TextFormat.h"
#include "kit/DialogControls.h"
#include "kit/GuiGuard.h"
#include "kit/QtText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QUndoStack>
#include <QVBoxLayout>
#include <array>

namespace krel {
namespace {

constexpr std::array<const char*, 3> kChangeNames = {"Added", "Removed", "Changed"};
// The kind filter's choices: every change, then one kind each in the order of kChangeNames.
constexpr std::array<const char*, 4> kFilterChoices = {"All Changes", "Added", "Removed",
                                                       "Changed"};

const char* changeName(ChangeKind kind) {
    return kChangeNames[static_cast<size_t>(kind)];
}

// How the list names a record: an entry by its title, a header by its title with a mark.
std::string titleOf(const T_EncEntry& record) {
    if (record.Kind == ekHeader)
        return "[Header] " + std::string(HeaderTitle(record.Content));
    return record.Title;
}

std::string listingOf(const RecordVersion& version) {
    std::string listing;
    for (const Placement& place : version.Placements)
        listing += (listing.empty() ? "" : ", ") + place.Header + " (" +
                   std::to_string(place.Position) + ")";
    return listing;
}

std::optional<RecordSide> sideOf(const std::optional<RecordVersion>& version) {
    if (!version)
        return std::nullopt;
    return RecordSide{version->Record, listingOf(*version)};
}

std::string countsText(const Comparison& comparison) {
    std::array<size_t, 3> counts{};
    for (const RecordChange& change : comparison.Changes)
        ++counts[static_cast<size_t>(change.Change)];
    return std::to_string(counts[2]) + " changed, " + std::to_string(counts[0]) + " added, " +
           std::to_string(counts[1]) + " removed";
}

QTreeWidgetItem* itemOf(const RecordChange& change, size_t index) {
    const T_EncEntry& record = change.Record();
    auto* item = new QTreeWidgetItem({QString::fromLatin1(changeName(change.Change)),
                                      record.Kind == ekHeader ? QString() : ToQt(record.Tag),
                                      ToQt(titleOf(record)), ToQt(FieldNames(change.Fields))});
    item->setData(0, Qt::UserRole, static_cast<qulonglong>(index));
    return item;
}

} // namespace

ChangesWindow::ChangesWindow(EditorSession& session, EntryBrowser& browser, QWidget* parent)
    : QDialog(parent), session_(session), browser_(browser) {
    setObjectName(QStringLiteral("ChangesWindow"));
    setWindowTitle(QStringLiteral("Changes"));
    buildControls();
    connectGuarded(&session_.History->Stack(), &QUndoStack::indexChanged, this,
                   [this] { refresh(); });
    resize(860, 560);
}

ChangesWindow::~ChangesWindow() = default;

void ChangesWindow::buildControls() {
    source_ = new QLabel(this);
    source_->setWordWrap(true);
    counts_ = new QLabel(this);
    kindFilter_ = new QComboBox(this);
    kindFilter_->setObjectName(QStringLiteral("ChangeKindFilter"));
    for (const char* choice : kFilterChoices)
        kindFilter_->addItem(QString::fromLatin1(choice));
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("ChangeList"));
    list_->setHeaderLabels({QStringLiteral("Change"), QStringLiteral("Tag"),
                            QStringLiteral("Title"), QStringLiteral("Fields")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    versions_ = new VersionPanes(QStringLiteral("Before"), QStringLiteral("Now"), this);
    // None of them takes Return by itself: Return in the list shows the entry, never reverts.
    revert_ = dialogButton("RevertChange", "&Revert to this version",
                           "Take the selected record back to the other version", this);
    auto* other =
        dialogButton("CompareWith", "Compare &With...", "Compare with another encyclopedia", this);
    auto* close = dialogButton("Close", "&Close", "Close", this);
    describe(kindFilter_, "Show", "Narrows the list to one kind of change, or shows them all.");
    describe(list_, "Changes",
             "Each entry and header that differs; Return or a double-click shows the entry in "
             "the editor window.");
    describe(revert_, "Revert to this version",
             "Takes the selected record back to the version it is compared with; Undo brings "
             "the change back.");
    describe(other, "Compare with",
             "Compares with another encyclopedia file or archive that you choose.");
    describe(close, "Close", "Closes the changes window.");

    auto* top = new QHBoxLayout;
    top->addWidget(source_, 1);
    top->addWidget(new QLabel(QStringLiteral("&Show:"), this));
    top->addWidget(kindFilter_);
    qobject_cast<QLabel*>(top->itemAt(1)->widget())->setBuddy(kindFilter_);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(list_);
    split->addWidget(versions_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(counts_, 1);
    buttons->addWidget(revert_);
    buttons->addWidget(other);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);

    connect(kindFilter_, &QComboBox::currentIndexChanged, this, [this] { fillList(); });
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] { showSelected(); });
    // Activation is a double-click, or Return on the current row.
    connectGuarded(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item, int) {
        RowDoubleClicked(list_->indexOfTopLevelItem(item));
    });
    connectGuarded(revert_, &QPushButton::clicked, this, [this] { RevertClick(); });
    connect(other, &QPushButton::clicked, this, &ChangesWindow::otherSourceWanted);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void ChangesWindow::CompareWith(std::unique_ptr<Encyclopedia> base, const std::string& name) {
    base_ = std::move(base);
    source_->setText(QStringLiteral("Compared with: ") + ToQt(name));
    refresh();
}

// The comparison again, after any change to either side; the selection stays at its row.
void ChangesWindow::refresh() {
    if (!base_)
        return;
    comparison_ = CompareEncyclopedias(*base_, session_.Records);
    counts_->setText(QString::fromStdString(countsText(comparison_)));
    fillList();
}

void ChangesWindow::fillList() {
    const int row = selectedRow();
    const int choice = kindFilter_->currentIndex();
    QList<QTreeWidgetItem*> items;
    for (size_t i = 0; i < comparison_.Changes.size(); ++i) {
        const RecordChange& change = comparison_.Changes[i];
        if (choice <= 0 || static_cast<int>(change.Change) == choice - 1)
            items.append(itemOf(change, i));
    }
    list_->clear();
    list_->addTopLevelItems(items);
    SelectRow(std::min(std::max(row, 0), RowCount() - 1));
    showSelected();
}

int ChangesWindow::RowCount() const {
    return list_->topLevelItemCount();
}

int ChangesWindow::selectedRow() const {
    return list_->currentItem() ? list_->indexOfTopLevelItem(list_->currentItem()) : -1;
}

void ChangesWindow::SelectRow(int row) {
    list_->setCurrentItem(row >= 0 ? list_->topLevelItem(row) : nullptr);
}

const RecordChange* ChangesWindow::ChangeAt(int row) const {
    const QTreeWidgetItem* item = row >= 0 ? list_->topLevelItem(row) : nullptr;
    if (!item)
        return nullptr;
    return &comparison_.Changes[item->data(0, Qt::UserRole).toULongLong()];
}

void ChangesWindow::showSelected() {
    const RecordChange* change = ChangeAt(selectedRow());
    revert_->setEnabled(change != nullptr);
    if (!change) {
        versions_->Clear();
        return;
    }
    versions_->Show(sideOf(change->Before), sideOf(change->After));
}

void ChangesWindow::RevertClick() {
    editorGuard("RevertClick()", [this] {
        const RecordChange* change = ChangeAt(selectedRow());
        if (!change)
            return;
        const RecordChange reverted = *change;
        session_.History->PushStep(QStringLiteral("Revert Entry"), [&] {
            RevertChange(session_.Records, reverted);
            browser_.BuildList("");
            browser_.RecordsChanged();
        });
    });
}

// Shows the entry in the editor window, selecting its row where the view lists it.
void ChangesWindow::RowDoubleClicked(int row) {
    editorGuard("RowDoubleClicked()", [&] {
        const RecordChange* change = ChangeAt(row);
        if (!change || !change->After || change->Kind != ekEntry)
            return;
        const std::string& tag = change->After->Record.Tag;
        browser_.ShowEdited(tag);
        const T_EncEntry* entry = session_.Records.GetEntryOnlyByTag(tag);
        if (entry && browser_.CurrentEntry() != entry)
            browser_.SelectEntry(entry);
        session_.Window.activateWindow();
    });
}

} // namespace krel
