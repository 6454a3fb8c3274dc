#include "dialogs/GraphicForm.h"

#include "archive/PngImage.h"
#include "archive/ZipNames.h"
#include "dialogs/PictureBox.h"
#include "dialogs/RowDelegate.h"
#include "dialogs/ZipListModel.h"
#include "dialogs/ZipListing.h"
#include "kit/DialogControls.h"
#include "kit/GuiGuard.h"
#include "kit/QtText.h"
#include "settings/GamePath.h"
#include "settings/Paths.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace krel {
namespace {

constexpr int kRowHeight = 15;
constexpr std::string_view kPictureArchive =
    "GameDataSets\\Classic_01\\GameAssets\\Common\\graphics.mob";

QCheckBox* checkBox(const char* name, const char* text, QWidget* parent) {
    auto* made = named(new QCheckBox(QString::fromLatin1(text), parent), name);
    made->setChecked(true);
    return made;
}

// A picture that cannot be read is reported with the member's name, so the user knows which.
PngImage decodeMember(const std::string& bytes, const std::string& member) {
    try {
        return DecodePng(bytes);
    } catch (const EPngError& e) {
        throw EPngError(member + ": " + e.what());
    }
}

} // namespace

TGraphicForm::TGraphicForm(const std::string& baseDir, const std::string& tempDir, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("GraphicForm"));
    setWindowTitle(QStringLiteral("Graphic Browser"));
    setMinimumSize(640, 464);
    buildControls();
    layOut();
    connectHandlers();
    FormCreate(baseDir, tempDir);
}

TGraphicForm::~TGraphicForm() {
    // The rows point into ZipMaster's listing, which goes before the list view does.
    model_->setRows({});
}

void TGraphicForm::buildControls() {
    Filename = named(new QLabel(this), "Filename");
    Size = named(new QLabel(this), "Size");
    Height = named(new QLabel(this), "Height");
    Width = named(new QLabel(this), "Width");
    model_ = new TZipListModel(this);
    ZipListBox = named(new QTreeView(this), "ZipListBox");
    ZipListBox->setModel(model_);
    auto* rows = new TRowDelegate(kRowHeight, 0, ZipListBox);
    rows->setColumnIndent(TZipListModel::DirColumn, 2);
    ZipListBox->setItemDelegate(rows);
    ZipListBox->setRootIsDecorated(false);
    ZipListBox->setItemsExpandable(false);
    ZipListBox->setUniformRowHeights(true);
    ZipListBox->setAllColumnsShowFocus(true);
    ZipListBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ZipListBox->setSelectionBehavior(QAbstractItemView::SelectRows);
    ZipListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QHeaderView* header = ZipListBox->header();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(TZipListModel::NameColumn, Qt::AscendingOrder);
    header->resizeSection(TZipListModel::NameColumn, 200);
    header->resizeSection(TZipListModel::SizeColumn, 90);
    EntryImage = named(new TPictureBox(this), "EntryImage");
    CheckBox1 = checkBox("CheckBox1", "Fill To Frame", this);
    EntryImage->setStretch(true);
    SSHoverText3 = dialogButton("SSHoverText3", "&Select", "Close", this);
    SSHoverText3->setDefault(true);
    CloseBut = dialogButton("CloseBut", "&Cancel", "Close", this);
    CheckBox2 = checkBox("CheckBox2", "Show only that fits frame", this);
    describe(ZipListBox, "Pictures", "The pictures of the game's archive; Return selects one.");
    describe(EntryImage, "Picture", "The picture of the current row.");
    describe(CheckBox1, "Fill to frame", "Stretches the picture to the frame.");
    describe(CheckBox2, "Show only what fits", "Lists only pictures that fit the entry's frame.");
    describe(SSHoverText3, "Select", "Takes the current picture.");
}

void TGraphicForm::layOut() {
    auto* facts = new QFormLayout;
    facts->addRow(Filename);
    facts->addRow(QStringLiteral("Size:"), Size);
    facts->addRow(QStringLiteral("Width:"), Width);
    facts->addRow(QStringLiteral("Height:"), Height);
    auto* side = new QVBoxLayout;
    side->addWidget(FramedPicture(EntryImage, this), 0, Qt::AlignHCenter);
    side->addSpacing(4);
    side->addLayout(facts);
    side->addSpacing(8);
    side->addWidget(CheckBox1);
    side->addWidget(CheckBox2);
    side->addStretch();
    side->addWidget(SSHoverText3);
    side->addWidget(CloseBut);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(ZipListBox, 1);
    layout->addLayout(side);
}

void TGraphicForm::connectHandlers() {
    connectGuarded(ZipListBox->header(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (section == TZipListModel::NameColumn)
            FileLabelClick();
        else if (section == TZipListModel::SizeColumn)
            SizeLabelClick();
        else
            DirLabelClick();
    });
    // The chosen row is shown however it was chosen (a click, the arrows, typing); Return
    // selects it. A row that is current without being chosen (on entering the list, or while
    // the mouse is still down) is not.
    connectGuarded(ZipListBox, &QTreeView::clicked, this,
                   [this](const QModelIndex& index) { ZipListBoxItemClick(index); });
    QItemSelectionModel* rows = ZipListBox->selectionModel();
    connectGuarded(rows, &QItemSelectionModel::currentChanged, this,
                   [this, rows](const QModelIndex& index, const QModelIndex&) {
                       if (rows->isSelected(index))
                           ZipListBoxItemClick(index);
                   });
    connectGuarded(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    connectGuarded(CheckBox2, &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
    connect(SSHoverText3, &QPushButton::clicked, this, &QDialog::accept);
    connect(CloseBut, &QPushButton::clicked, this, [this] { CloseButClick(); });
}

void TGraphicForm::FormCreate(const std::string& baseDir, const std::string& tempDir) {
    ZipMaster.SetDLLDirectory(WithTrailingSeparator(tempDir));
    ZipMaster.SetZipFileName(ResolveGamePath(FsPath(baseDir), kPictureArchive));
    SortListing(ZipMaster.ZipContents(), CompareByName);
    ShowFitting = true;
    guiGuard(this, [this] { FillList(); });
}

QImage TGraphicForm::Picture() const {
    return EntryImage->picture();
}

void TGraphicForm::FillList() {
    model_->setRows({});
    const std::vector<ZipDirEntry>& listing = ZipMaster.ZipContents();
    model_->setRows(ShowFitting ? FittingMembers(listing, ReadFittingList()) : AllMembers(listing));
}

void TGraphicForm::ZipListBoxItemClick(const QModelIndex& index) {
    const ZipDirEntry* entry = model_->entryAt(index.row());
    if (!entry)
        return;
    TZipStream* stream = ZipMaster.ExtractFileToStream(entry->FileName);
    if (!stream)
        return;
    std::string_view name = MemberNamePart(entry->FileName);
    QImage picture = ImageFromPng(decodeMember(stream->Bytes(), entry->FileName));
    EntryImage->setPicture(picture);
    Filename->setText(ToQt(name));
    Size->setText(QString::number(entry->UncompressedSize));
    Width->setText(QString::number(picture.width()));
    Height->setText(QString::number(picture.height()));
    SelectedName = std::string(PictureNameOf(name));
}

void TGraphicForm::sortBy(bool (*order)(const ZipDirEntry&, const ZipDirEntry&), int column) {
    model_->setRows({}); // the rows point into the list about to be re-ordered
    SortListing(ZipMaster.ZipContents(), order);
    ZipListBox->header()->setSortIndicator(column, Qt::AscendingOrder);
    FillList();
}

void TGraphicForm::FileLabelClick() {
    sortBy(CompareByName, TZipListModel::NameColumn);
}

void TGraphicForm::SizeLabelClick() {
    sortBy(CompareBySize, TZipListModel::SizeColumn);
}

void TGraphicForm::DirLabelClick() {
    sortBy(CompareByDir, TZipListModel::DirColumn);
}

void TGraphicForm::CheckBox1Click() {
    EntryImage->setStretch(CheckBox1->isChecked());
}

void TGraphicForm::CheckBox2Click() {
    ShowFitting = CheckBox2->isChecked();
    FillList();
}

void TGraphicForm::CloseButClick() {
    reject();
}

} // namespace krel
