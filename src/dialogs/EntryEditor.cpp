#include "dialogs/EntryEditor.h"

#include "dialogs/GraphicForm.h"
#include "dialogs/LinkLabel.h"
#include "dialogs/ListAdd.h"
#include "dialogs/PictureBox.h"
#include "dialogs/PictureHover.h"
#include "dialogs/TagEdit.h"
#include "encyclopedia/TextFormat.h"
#include "kit/DialogControls.h"
#include "kit/Dialogs.h"
#include "kit/GuiGuard.h"
#include "kit/QtText.h"
#include "skin/Skin.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace krel {
namespace {

template <class Body> decltype(auto) entryGuard(const char* routine, Body&& body) {
    return guarded<EEncEntryEditorError>(routine, std::forward<Body>(body));
}

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

QString headerText(const T_EncEntry* header) {
    return header ? ToQt(HeaderTitle(header->Content)) : ToQt(kNoHeader);
}

QToolButton* glyphButton(const char* name, Qt::ArrowType arrow, QWidget* parent) {
    auto* made = named(new QToolButton(parent), name);
    made->setArrowType(arrow);
    made->setFocusPolicy(Qt::NoFocus);
    made->setFixedSize(20, 20);
    return made;
}

QLabel* label(const char* text, QWidget* parent) {
    return new QLabel(QString::fromLatin1(text), parent);
}

bool activatedByKey(const QEvent* event) {
    return event->type() == QEvent::KeyPress &&
           IsActivationKey(static_cast<const QKeyEvent*>(event)->key());
}

std::string tagRefusal(const std::string& tag, const char* fault) {
    return "Entry tag \"" + tag + "\" " + fault + "  Enter a new value for this.";
}

} // namespace

TEncEntryEditor::TEncEntryEditor(const Encyclopedia& editorMain, QWidget* parent)
    : TEncEntryEditor(editorMain, Dialogs(), parent) {}

TEncEntryEditor::TEncEntryEditor(const Encyclopedia& editorMain, DialogService& dialogs,
                                 QWidget* parent)
    : QDialog(parent), encyclopedia_(editorMain), dialogs_(dialogs) {
    setObjectName(QStringLiteral("EncEntryEditor"));
    setWindowTitle(QStringLiteral("Entry Editor"));
    buildControls();
    layOut();
    connectHandlers();
    setFixedSize(460, 400);
}

void TEncEntryEditor::buildControls() {
    caption_ = named(new QLabel(this), "Caption");
    caption_->setStyleSheet(QStringLiteral("color: white; background: #1C3A66; padding: 4px 8px;"));
    caption_->setFont(skin::CaptionFont(13));
    EntryTag = named(new TTagEdit(this), "EntryTag");
    EntryTag->setText(QStringLiteral("TAG0"));
    EntryTag->setFixedWidth(56);
    Title = named(new QLineEdit(QStringLiteral("(title)"), this), "Title");
    Keywords = named(new QLineEdit(QStringLiteral("(keywords)"), this), "Keywords");
    KeywordButton = glyphButton("KeywordButton", Qt::NoArrow, this);
    KeywordButton->setText(QStringLiteral("..."));
    Header = named(new QLineEdit(QStringLiteral("(none)"), this), "Header");
    Header->setReadOnly(true);
    Header->setFocusPolicy(Qt::ClickFocus);
    HeaderButton = glyphButton("HeaderButton", Qt::DownArrow, this);
    HeaderButton->setFocusPolicy(Qt::TabFocus);
    EntryImage = named(new TPictureBox(this), "EntryImage");
    EntryImage->setMouseTracking(true);
    EntryImage->setCursor(Qt::PointingHandCursor);
    EntryImage->setFocusPolicy(Qt::StrongFocus);
    SSLabel4 = named(label("(click item to change)", this), "SSLabel4");
    SSLabel4->setFont(skin::CaptionFont(7));
    SSLabel4->hide();
    Link1 = named(new TLinkLabel(this), "Link1");
    Link2 = named(new TLinkLabel(this), "Link2");
    Link3 = named(new TLinkLabel(this), "Link3");
    Link4 = named(new TLinkLabel(this), "Link4");
    EntryDesc = named(new QPlainTextEdit(this), "EntryDesc");
    EntryDesc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Apply = dialogButton("Apply", "&Apply", "Apply", this);
    CloseBut = dialogButton("CloseBut", "&Cancel", "Close", this);
    describeControls();
}

void TEncEntryEditor::describeControls() {
    describe(EntryTag, "Tag", "Four characters that name the entry; each entry has its own.");
    describe(Title, "Title", "The entry's title, as the list shows it.");
    describe(Keywords, "Keywords", "Words the keyword search finds the entry by, with commas.");
    describe(KeywordButton, "Keyword list", "Not used.");
    describe(Header, "Header", "The header the entry belongs to.");
    describe(HeaderButton, "Choose header", "Picks the header the entry belongs to.");
    describe(EntryImage, "Picture",
             "The entry's picture; a click, Return or Space chooses another one.");
    for (TLinkLabel* link : Links())
        describe(link, "Related topic", "A related entry; a click, Return or Space changes it.");
    describe(EntryDesc, "Detailed description", "The entry's text; each line is a paragraph.");
    describe(Apply, "Apply", "Keeps the entry as shown.");
    describe(CloseBut, "Cancel", "Closes without changing the entry.");
}

void TEncEntryEditor::layOut() {
    auto* fields = new QGridLayout;
    fields->addWidget(label("Tag: ", this), 0, 0);
    auto* tagRow = new QHBoxLayout;
    tagRow->addWidget(EntryTag);
    tagRow->addSpacing(12);
    tagRow->addWidget(label("Title: ", this));
    tagRow->addWidget(Title, 1);
    fields->addLayout(tagRow, 0, 1, 1, 2);
    fields->addWidget(label("Keywords: ", this), 1, 0);
    fields->addWidget(Keywords, 1, 1);
    fields->addWidget(KeywordButton, 1, 2);
    fields->addWidget(label("Header: ", this), 2, 0);
    fields->addWidget(Header, 2, 1);
    fields->addWidget(HeaderButton, 2, 2);

    auto* links = new QVBoxLayout;
    links->setSpacing(2);
    for (TLinkLabel* link : Links())
        links->addWidget(link);
    links->addWidget(SSLabel4, 0, Qt::AlignRight);
    links->addStretch();
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(FramedPicture(EntryImage, this), 0, Qt::AlignTop);
    pictureRow->addSpacing(8);
    pictureRow->addLayout(links, 1);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 6, 10, 10);
    body->addLayout(fields);
    body->addSpacing(6);
    body->addLayout(pictureRow);
    body->addSpacing(4);
    body->addWidget(label("DETAILED DESCRIPTION:", this));
    body->addWidget(EntryDesc, 1);
    body->addLayout(footButtons({Apply, CloseBut}));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(caption_);
    layout->addLayout(body, 1);
}

void TEncEntryEditor::connectHandlers() {
    connect(this, &QWidget::windowTitleChanged, caption_, &QLabel::setText);
    connectGuarded(HeaderButton, &QToolButton::clicked, this, [this] { HeaderButtonClick(); });
    for (TLinkLabel* link : Links()) {
        connectGuarded(link, &TLinkLabel::clicked, this,
                       [this](TLinkLabel* clicked) { Link1Click(clicked); });
        connectGuarded(link, &TLinkLabel::mouseEntered, this, [this] { Link1MouseEnter(); });
        connectGuarded(link, &TLinkLabel::mouseLeft, this, [this] { Link1MouseLeave(); });
    }
    connectGuarded(Apply, &QPushButton::clicked, this, [this] { ApplyClick(); });
    connectGuarded(CloseBut, &QPushButton::clicked, this, [this] { CloseButClick(); });
    EntryImage->installEventFilter(this);
    caption_->setText(windowTitle());
}

void TEncEntryEditor::Edit(const T_EncEntry& entry, RecordId edited, const QImage& picture) {
    entry_ = entry;
    edited_ = edited;
    editorPicture_ = picture;
}

void TEncEntryEditor::SetGameFolders(std::string baseDir, std::string tempDir) {
    baseDir_ = std::move(baseDir);
    tempDir_ = std::move(tempDir);
}

EntryDraft TEncEntryEditor::Draft() const {
    EntryDraft draft;
    draft.Fields.Kind = ekEntry;
    draft.Fields.Tag = FromQt(EntryTag->text());
    draft.Fields.Title = FromQt(Title->text());
    draft.Fields.Keywords = FromQt(Keywords->text());
    draft.Fields.Related = relatedTags();
    draft.Fields.Image = entry_.Image;
    draft.Fields.Content = ContentText();
    draft.Header = FromQt(Header->text());
    return draft;
}

std::string TEncEntryEditor::relatedTags() const {
    std::vector<std::string> tags;
    for (const TLinkLabel* link : Links())
        if (const T_EncEntry* record = encyclopedia_.Find(link->record()))
            tags.push_back(record->Tag);
    return BuildCommaList(tags);
}

QImage TEncEntryEditor::Picture() const {
    return hover_ == Hover::Highlight     ? keptPicture_
           : hover_ == Hover::Placeholder ? QImage()
                                          : EntryImage->picture();
}

std::string TEncEntryEditor::ContentText() const {
    return replaceAll(FromQt(EntryDesc->toPlainText()), "\n", "/p");
}

void TEncEntryEditor::FormShow() {
    entryGuard("FormShow()", [&] {
        EntryTag->showStoredTag(ToQt(entry_.Tag));
        Title->setText(ToQt(entry_.Title));
        Keywords->setText(ToQt(entry_.Keywords));
        Header->setText(headerText(encyclopedia_.GetHeader(&entry_)));
        showLinks();
        if (!entry_.Image.empty())
            EntryImage->setPicture(editorPicture_);
        EntryDesc->setPlainText(ToQt(replaceAll(entry_.Content, "/p", "\n")));
    });
}

void TEncEntryEditor::showLinks() {
    std::vector<std::string> related = SplitCommaList(entry_.Related);
    auto links = Links();
    for (size_t i = 0; i < links.size(); ++i) {
        if (i >= related.size()) {
            links[i]->setRecord(RecordId::None, QString());
            continue;
        }
        const T_EncEntry* target = encyclopedia_.GetEntryByTag(related[i]);
        links[i]->setRecord(encyclopedia_.IdOf(target), ToQt(target ? target->Title : ""));
    }
}

void TEncEntryEditor::HeaderButtonClick() {
    entryGuard("HeaderButtonClick()", [&] {
        TListAdd picker(this);
        picker.Entries = &encyclopedia_;
        picker.Mode = lmHeaders;
        picker.Current = FromQt(Header->text());
        QPoint corner = Header->mapToGlobal(QPoint(0, 0));
        picker.PlaceAt(corner.x() - 2, corner.y() + Header->height(), Header->width() + 2);
        picker.exec();
        const T_EncEntry* chosen = encyclopedia_.Find(picker.Selected);
        Header->setText(headerText(chosen && chosen->Kind == ekHeader ? chosen : nullptr));
    });
}

void TEncEntryEditor::Link1Click(TLinkLabel* link) {
    entryGuard("LinkClick()", [&] {
        TListAdd picker(this);
        picker.Entries = &encyclopedia_;
        picker.Mode = lmEntries;
        picker.Current = FromQt(link->text());
        QPoint corner = link->mapToGlobal(QPoint(0, 0));
        picker.PlaceAt(corner.x(), corner.y() + link->height(), link->width());
        picker.exec();
        const T_EncEntry* chosen = encyclopedia_.Find(picker.Selected);
        link->setRecord(chosen ? picker.Selected : RecordId::None,
                        chosen ? ToQt(chosen->Title) : QString());
    });
}

void TEncEntryEditor::Link1MouseEnter() {
    entryGuard("Link1MouseEnter()", [&] { SSLabel4->show(); });
}

void TEncEntryEditor::Link1MouseLeave() {
    entryGuard("LinkMouseLeave()", [&] { SSLabel4->hide(); });
}

void TEncEntryEditor::EntryImageMouseMove(const QPoint& point) {
    entryGuard("EntryImageMouseMove()", [&] {
        if (!EntryImage->rect().contains(point)) {
            endPictureHover();
            return;
        }
        SSLabel4->show();
        if (hover_ != Hover::None)
            return;
        if (EntryImage->isEmpty()) {
            hover_ = Hover::Placeholder;
            EntryImage->setPicture(ClickPlaceholder(EntryImage->size()));
        } else {
            hover_ = Hover::Highlight;
            keptPicture_ = EntryImage->picture();
            EntryImage->setPicture(HatchedPicture(keptPicture_));
        }
    });
}

void TEncEntryEditor::endPictureHover() {
    SSLabel4->hide();
    if (hover_ == Hover::None)
        return;
    EntryImage->setPicture(keptPicture_);
    keptPicture_ = QImage();
    hover_ = Hover::None;
}

void TEncEntryEditor::EntryImageMouseDown() {
    entryGuard("EnryImageClick()", [&] {
        endPictureHover();
        TGraphicForm browser(baseDir_, tempDir_, this);
        if (browser.exec() != QDialog::Accepted)
            return;
        EntryImage->setPicture(browser.Picture());
        entry_.Image = browser.SelectedName;
    });
}

void TEncEntryEditor::refuseTag(const std::string& message) {
    dialogs_.message(
        this, MessageCall{MsgIcon::Information, ProgramCaption(), ToQt(message), {MsgButton::Ok}});
    EntryTag->setFocus();
}

void TEncEntryEditor::ApplyClick() {
    entryGuard("ApplyClick()", [&] {
        std::string tag = FromQt(EntryTag->text());
        if (tag.size() < kTagLength)
            return refuseTag(tagRefusal(tag, "is too short.  A tag must have exactly four "
                                             "characters."));
        if (tag.size() > kTagLength)
            return refuseTag(tagRefusal(tag, "is too long.  A tag must have exactly four "
                                             "characters."));
        const T_EncEntry* found = encyclopedia_.GetEntryByTag(tag);
        if (found && encyclopedia_.IdOf(found) != edited_)
            return refuseTag(tagRefusal(tag, "already exists.  This value must be unique."));
        accept();
    });
}

void TEncEntryEditor::CloseButClick() {
    entryGuard("CloseButClick()", [&] { reject(); });
}

void TEncEntryEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        guiGuard(this, [this] { FormShow(); });
}

bool TEncEntryEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != EntryImage)
        return QDialog::eventFilter(watched, event);
    const bool byKey = activatedByKey(event);
    guiGuard(this, [&] {
        if (event->type() == QEvent::MouseMove)
            EntryImageMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        else if (event->type() == QEvent::Leave)
            EntryImageMouseMove(QPoint(-1, -1));
        else if (event->type() == QEvent::MouseButtonPress || byKey)
            EntryImageMouseDown();
    });
    return byKey;
}

} // namespace krel
