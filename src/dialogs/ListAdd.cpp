#include "dialogs/ListAdd.h"

#include "dialogs/RecordList.h"
#include "dialogs/References.h"
#include "encyclopedia/TextFormat.h"
#include "kit/DialogControls.h"
#include "kit/QtText.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QShowEvent>
#include <QVBoxLayout>

namespace krel {
namespace {

constexpr int kRowHeight = 16;
constexpr int kPickerWidth = 203;
constexpr int kPickerHeight = 213;

const Encyclopedia& emptyEncyclopedia() {
    static const Encyclopedia empty;
    return empty;
}

bool isBlank(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) > ' ')
            return false;
    return true;
}

} // namespace

TListAdd::TListAdd(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), Entries(&emptyEncyclopedia()) {
    setObjectName(QStringLiteral("ListAdd"));
    setModal(true);
    SSListBox1 = new TRecordList(kRowHeight, 2, this);
    SSListBox1->setObjectName(QStringLiteral("SSListBox1"));
    SSListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SSListBox1->setMouseTracking(true);
    SSListBox1->setFrameShape(QFrame::Box);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SSListBox1);
    resize(kPickerWidth, kPickerHeight);
    // The selection follows the pointer, so the row about to be clicked stands out.
    connect(SSListBox1, &QListWidget::itemEntered, SSListBox1,
            [this](QListWidgetItem* item) { SSListBox1->setCurrentItem(item); });
    connect(SSListBox1, &QListWidget::itemClicked, this, &TListAdd::SSListBox1ItemClick);
    SSListBox1->installEventFilter(this);
    describe(SSListBox1, "Choices",
             "Return, Space or a click takes the row; Escape closes with no choice.");
}

void TListAdd::PlaceAt(int left, int top, int width) {
    setGeometry(left, top, width, height());
}

const T_EncEntry* TListAdd::IsReferenced(const T_EncEntry* entry) const {
    if (!entry || entry->Kind != ekEntry)
        return nullptr;
    return FirstRecordHolding(Entries->GetEntryList(), entry->Tag);
}

RecordId TListAdd::RecordAt(int row) const {
    return SSListBox1->recordAt(row);
}

int TListAdd::fillHeaders() {
    int preselect = 0;
    for (const auto& record : Entries->GetEntryList()) {
        if (record->Kind != ekHeader)
            continue;
        std::string_view title = HeaderTitle(record->Content);
        if (isBlank(title))
            continue;
        SSListBox1->appendRecord(ToQt(title), Entries->IdOf(record.get()));
        if (EqualsIgnoreCase(Current, title))
            preselect = SSListBox1->count() - 1;
    }
    return preselect;
}

int TListAdd::fillEntries() {
    std::unordered_set<std::string> referenced;
    if (HideReferenced)
        referenced = ReferencedTags(Entries->GetEntryList());
    int preselect = 0;
    for (const auto& record : Entries->GetEntryList()) {
        if (record->Kind != ekEntry || referenced.contains(record->Tag))
            continue;
        SSListBox1->appendRecord(ToQt(record->Title), Entries->IdOf(record.get()));
        if (EqualsIgnoreCase(Current, record->Title))
            preselect = SSListBox1->count() - 1;
    }
    return preselect;
}

void TListAdd::FormShow() {
    SSListBox1->clear();
    SSListBox1->appendRecord(QStringLiteral("(none)"), RecordId::None);
    int preselect = Mode == lmHeaders ? fillHeaders() : fillEntries();
    QListWidgetItem* row = SSListBox1->item(preselect);
    SSListBox1->setCurrentItem(row);
    SSListBox1->scrollToItem(row, QAbstractItemView::PositionAtTop);
}

void TListAdd::SSListBox1ItemClick(QListWidgetItem* item) {
    Selected = SSListBox1->recordAt(SSListBox1->row(item));
    accept();
}

// Return and Space take the current row, as a click does; typing still finds a row.
bool TListAdd::eventFilter(QObject* watched, QEvent* event) {
    if (watched != SSListBox1 || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    if (!IsActivationKey(static_cast<QKeyEvent*>(event)->key()))
        return false;
    if (QListWidgetItem* current = SSListBox1->currentItem())
        SSListBox1ItemClick(current);
    return true;
}

void TListAdd::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

} // namespace krel
