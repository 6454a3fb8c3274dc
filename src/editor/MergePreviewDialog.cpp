#include "editor/MergePreviewDialog.h"

#include "editor/VersionPanes.h"
#include "encyclopedia/TextFormat.h"
#include "kit/DialogControls.h"
#include "kit/QtText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace krel {
namespace {

bool listed(const IncomingRecord& record) {
    return record.Kind == IncomingKind::New || record.Kind == IncomingKind::Conflict;
}

QString choiceText(const IncomingRecord& record) {
    if (record.Kind == IncomingKind::New)
        return QString::fromLatin1(record.Take ? "add" : "leave out");
    return QString::fromLatin1(record.Take ? "take theirs" : "keep mine");
}

QString titleOf(const T_EncEntry& record) {
    if (record.Kind == ekHeader)
        return QStringLiteral("[Header] ") + ToQt(HeaderTitle(record.Content));
    return ToQt(record.Title);
}

std::optional<RecordSide> sideOf(const std::optional<T_EncEntry>& record) {
    if (!record)
        return std::nullopt;
    return RecordSide{*record, std::nullopt};
}

QString summary(const MergePreview& preview) {
    int added = 0, conflicts = 0;
    for (const IncomingRecord& record : preview.Records) {
        added += record.Kind == IncomingKind::New;
        conflicts += record.Kind == IncomingKind::Conflict;
    }
    return QStringLiteral("%1 new, %2 in conflict (identical ones are not listed)")
        .arg(added)
        .arg(conflicts);
}

// A button read out by its caption without the mnemonic mark, and what it does.
QPushButton* commandButton(const char* name, const char* caption, const char* description,
                           QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setAccessibleDescription(QString::fromLatin1(description));
    return button;
}

} // namespace

MergePreviewDialog::MergePreviewDialog(MergePreview preview, QWidget* parent)
    : QDialog(parent), preview_(std::move(preview)) {
    setObjectName(QStringLiteral("MergePreviewDialog"));
    setWindowTitle(QStringLiteral("Merge with Preview"));
    buildControls();
    fillList();
    resize(860, 560);
}

void MergePreviewDialog::buildControls() {
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("IncomingList"));
    list_->setHeaderLabels({QStringLiteral("Choice"), QStringLiteral("Incoming"),
                            QStringLiteral("Tag"), QStringLiteral("Title")});
    list_->setRootIsDecorated(false);
    list_->header()->setSectionResizeMode(3, QHeaderView::Stretch);
    versions_ = new VersionPanes(QStringLiteral("Mine"), QStringLiteral("Theirs"), this);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(list_);
    split->addWidget(versions_);
    describe(list_, "Incoming records",
             "Each record the merge would add or that differs from yours; Space ticks or clears "
             "the selected one.");
    QPushButton* theirs =
        commandButton("TakeTheirsForAll", "Take &Theirs for All",
                      "Ticks every conflict, so the merge takes the incoming version.", this);
    QPushButton* mine =
        commandButton("KeepMineForAll", "Keep &Mine for All",
                      "Clears every conflict, so the merge keeps your version.", this);
    // Plain buttons rather than a button box, so Cancel stays last whatever the desktop's order.
    QPushButton* apply =
        commandButton("Apply", "&Apply", "Merges the records as chosen, as one undo step.", this);
    apply->setDefault(true);
    QPushButton* cancel =
        commandButton("Cancel", "&Cancel", "Closes the preview without merging anything.", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(theirs);
    buttons->addWidget(mine);
    buttons->addStretch(1);
    buttons->addWidget(apply);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(summary(preview_), this));
    layout->addWidget(split, 1);
    layout->addLayout(buttons);

    connect(theirs, &QPushButton::clicked, this, [this] { TakeTheirsForAllClick(); });
    connect(mine, &QPushButton::clicked, this, [this] { KeepMineForAllClick(); });
    connect(apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* item) { itemChanged(item); });
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] { showSelected(); });
}

void MergePreviewDialog::fillList() {
    QList<QTreeWidgetItem*> items;
    for (size_t i = 0; i < preview_.Records.size(); ++i) {
        const IncomingRecord& record = preview_.Records[i];
        if (!listed(record))
            continue;
        listed_.push_back(i);
        auto* item = new QTreeWidgetItem(
            {QString(), QString::fromLatin1(record.Kind == IncomingKind::New ? "New" : "Conflict"),
             record.Theirs.Kind == ekHeader ? QString() : ToQt(record.Theirs.Tag),
             titleOf(record.Theirs)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        items.append(item);
    }
    list_->addTopLevelItems(items);
    syncChecks();
    if (!items.empty())
        list_->setCurrentItem(items.front());
}

// The check boxes and their words from the choices.
void MergePreviewDialog::syncChecks() {
    syncing_ = true;
    for (size_t row = 0; row < listed_.size(); ++row) {
        const IncomingRecord& record = preview_.Records[listed_[row]];
        QTreeWidgetItem* item = list_->topLevelItem(static_cast<int>(row));
        item->setCheckState(0, record.Take ? Qt::Checked : Qt::Unchecked);
        item->setText(0, choiceText(record));
    }
    syncing_ = false;
}

void MergePreviewDialog::itemChanged(QTreeWidgetItem* item) {
    if (!syncing_)
        Choose(list_->indexOfTopLevelItem(item), item->checkState(0) == Qt::Checked);
}

void MergePreviewDialog::Choose(int row, bool take) {
    if (row < 0 || static_cast<size_t>(row) >= listed_.size())
        return;
    preview_.Records[listed_[static_cast<size_t>(row)]].Take = take;
    syncChecks();
}

void MergePreviewDialog::TakeTheirsForAllClick() {
    TakeTheirsForAll(preview_);
    syncChecks();
}

void MergePreviewDialog::KeepMineForAllClick() {
    KeepMineForAll(preview_);
    syncChecks();
}

void MergePreviewDialog::showSelected() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0) {
        versions_->Clear();
        return;
    }
    const IncomingRecord& record = preview_.Records[listed_[static_cast<size_t>(row)]];
    versions_->Show(sideOf(record.Mine), RecordSide{record.Theirs, std::nullopt});
}

} // namespace krel
