#include "dialogs/HeaderEditor.h"

#include "dialogs/ListAdd.h"
#include "dialogs/RecordList.h"
#include "dialogs/TagEdit.h"
#include "kit/DialogControls.h"
#include "kit/GuiGuard.h"
#include "kit/QtText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace krel {
namespace {

constexpr int kRowHeight = 16;
constexpr int kRowIndent = 2;

template <class Body> decltype(auto) headerGuard(const char* routine, Body&& body) {
    return guarded<EHeaderEditorError>(routine, std::forward<Body>(body));
}

QToolButton* smallButton(const char* name, const char* text, QWidget* parent) {
    auto* made = new QToolButton(parent);
    made->setObjectName(QString::fromLatin1(name));
    made->setText(QString::fromLatin1(text));
    made->setFixedSize(22, 20);
    return made;
}

} // namespace

THeaderEditor::THeaderEditor(const Encyclopedia& editor, QWidget* parent)
    : QDialog(parent), encyclopedia_(editor) {
    setObjectName(QStringLiteral("HeaderEditor"));
    setWindowTitle(QStringLiteral("Header Editor"));
    setMinimumSize(340, 300);
    buildControls();
    layOut();
    connectGuarded(Add, &QToolButton::clicked, this, [this] { AddClick(); });
    connectGuarded(Delete, &QToolButton::clicked, this, [this] { DeleteClick(); });
    connect(CloseBut, &QPushButton::clicked, this, &QDialog::reject);
    connect(Apply, &QPushButton::clicked, this, &QDialog::accept);
    SSListBox1->viewport()->installEventFilter(this);
    resize(380, 360);
}

void THeaderEditor::buildControls() {
    // Empty with a hint, so a header is never named by the hint by accident.
    Title = new QLineEdit(this);
    Title->setObjectName(QStringLiteral("Title"));
    Title->setPlaceholderText(QStringLiteral("Title of the new header"));
    EntryTag = new QLineEdit(this);
    EntryTag->setObjectName(QStringLiteral("EntryTag"));
    EntryTag->setValidator(new TUpperCaseValidator(EntryTag));
    EntryTag->setMaxLength(kTagLength);
    EntryTag->setText(QStringLiteral("TAG0"));
    EntryTag->setReadOnly(true);
    EntryTag->setFixedWidth(60);
    SSListBox1 = new TRecordList(kRowHeight, kRowIndent, this);
    SSListBox1->setObjectName(QStringLiteral("SSListBox1"));
    Add = smallButton("Add", "+", this);
    Delete = smallButton("Delete", "-", this);
    CloseBut = dialogButton("CloseBut", "&Cancel", "Cancel", this);
    Apply = dialogButton("Apply", "&Apply", "Apply", this);
    CheckBox1 = new QCheckBox(QStringLiteral("Show &Unreferenced"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    describeControls();
}

void THeaderEditor::describeControls() {
    describe(Title, "Title", "The header's title, as the table of contents shows it.");
    describe(EntryTag, "Tag", "The header's tag; it cannot be changed.");
    describe(SSListBox1, "Members", "The header's entries in order; drag a row to move it.");
    describe(Add, "Add member", "Picks an entry to add to the header.");
    describe(Delete, "Remove member", "Removes the selected entry from the header.");
    describe(CheckBox1, "Show unreferenced",
             "The picker offers only entries that no header or text refers to.");
    describe(Apply, "Apply", "Keeps the header as shown.");
    describe(CloseBut, "Cancel", "Closes without changing the header.");
}

void THeaderEditor::layOut() {
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Title: "), this), 0, 0);
    fields->addWidget(Title, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Tag: "), this), 1, 0);
    fields->addWidget(EntryTag, 1, 1, Qt::AlignLeft);
    auto* listBar = new QHBoxLayout;
    listBar->addWidget(new QLabel(QStringLiteral("  Entry List:"), this));
    listBar->addStretch();
    listBar->addWidget(Add);
    listBar->addWidget(Delete);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CheckBox1);
    buttons->addStretch();
    buttons->addWidget(CloseBut);
    buttons->addWidget(Apply);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(4);
    layout->addLayout(listBar);
    layout->addWidget(SSListBox1, 1);
    layout->addLayout(buttons);
    for (auto [from, to] : {std::pair<QWidget*, QWidget*>{Title, EntryTag},
                            {EntryTag, Add},
                            {Add, Delete},
                            {Delete, SSListBox1},
                            {SSListBox1, CheckBox1},
                            {CheckBox1, CloseBut},
                            {CloseBut, Apply}})
        setTabOrder(from, to);
}

void THeaderEditor::EditHeader(const HeaderDraft& header) {
    NewHeader(header.Tag);
    Title->setText(ToQt(header.Title));
    SSListBox1->clear();
    for (const std::string& tag : header.Members)
        AddMember(encyclopedia_.IdOf(encyclopedia_.GetEntryOnlyByTag(tag)));
}

void THeaderEditor::NewHeader(const std::string& tag) {
    EntryTag->setText(ToQt(tag));
}

HeaderDraft THeaderEditor::Draft() const {
    HeaderDraft draft{FromQt(EntryTag->text()), FromQt(Title->text()), {}};
    for (RecordId member : Members())
        if (const T_EncEntry* entry = encyclopedia_.Find(member))
            draft.Members.push_back(entry->Tag);
    return draft;
}

void THeaderEditor::AddMember(RecordId entry) {
    if (const T_EncEntry* record = encyclopedia_.Find(entry))
        SSListBox1->appendRecord(ToQt(record->Title), entry);
}

std::vector<RecordId> THeaderEditor::Members() const {
    return SSListBox1->records();
}

void THeaderEditor::AddClick() {
    headerGuard("AddClick()", [&] {
        TListAdd picker(this);
        picker.Entries = &encyclopedia_;
        QPoint corner = Add->mapToGlobal(QPoint(0, 0));
        picker.PlaceAt(corner.x() - Title->width(), corner.y() - 2, Title->width());
        picker.Mode = lmEntries;
        picker.HideReferenced = CheckBox1->isChecked();
        picker.exec();
        AddMember(picker.Selected);
    });
}

void THeaderEditor::DeleteClick() {
    headerGuard("DeleteClick()", [&] {
        int row = SSListBox1->currentRow();
        if (row >= 0 && SSListBox1->item(row)->isSelected())
            delete SSListBox1->takeItem(row);
    });
}

void THeaderEditor::SSListBox1MouseDown(const QPoint& point) {
    headerGuard("SSListBox1MouseDown()", [&] {
        endDrag();
        dragRow_ = SSListBox1->rowAt(point);
        dragged_ = SSListBox1->recordAt(dragRow_);
        pressPoint_ = point;
    });
}

bool THeaderEditor::SSListBox1DragOver(const QPoint& point) {
    return headerGuard("SSListBox1DragOver()", [&] {
        if (!dragging_)
            return false;
        int target = SSListBox1->rowAt(point);
        bool lands = target >= 0 && SSListBox1->recordAt(target) != dragged_;
        SSListBox1->setDropIndicatorRow(lands ? target : -1);
        return true;
    });
}

void THeaderEditor::SSListBox1DragDrop(const QPoint& point) {
    headerGuard("SSListBox1DragDrop()", [&] {
        int target = SSListBox1->rowAt(point);
        if (dragRow_ < 0 || target < 0 || SSListBox1->recordAt(target) == dragged_)
            return;
        QListWidgetItem* moved = SSListBox1->takeItem(dragRow_);
        if (dragRow_ < target)
            --target;
        SSListBox1->insertItem(target, moved);
        SSListBox1->setCurrentItem(moved);
    });
}

bool THeaderEditor::mouseMoved(const QPoint& point) {
    if (dragRow_ < 0)
        return false;
    if (!dragging_ && point != pressPoint_) {
        dragging_ = true;
        SSListBox1->viewport()->setCursor(Qt::DragMoveCursor);
    }
    return SSListBox1DragOver(point);
}

bool THeaderEditor::mouseReleased(const QPoint& point) {
    bool wasDragging = dragging_;
    if (wasDragging)
        SSListBox1DragDrop(point);
    endDrag();
    return wasDragging;
}

void THeaderEditor::endDrag() {
    dragRow_ = -1;
    dragged_ = RecordId::None;
    dragging_ = false;
    SSListBox1->setDropIndicatorRow(-1);
    SSListBox1->viewport()->unsetCursor();
}

bool THeaderEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != SSListBox1->viewport())
        return QDialog::eventFilter(watched, event);
    bool consumed = false;
    guiGuard(this, [&] {
        auto* mouse = dynamic_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseButtonPress)
            SSListBox1MouseDown(mouse->position().toPoint());
        else if (event->type() == QEvent::MouseMove)
            consumed = mouseMoved(mouse->position().toPoint());
        else if (event->type() == QEvent::MouseButtonRelease)
            consumed = mouseReleased(mouse->position().toPoint());
    });
    return consumed;
}

} // namespace krel
