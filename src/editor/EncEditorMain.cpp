#include "editor/EncEditorMain.h"

#include "editor/EditorGuard.h"
#include "editor/EditorWidgets.h"
#include "editor/EntryListDelegate.h"
#include "editor/EntryListModel.h"
#include "editor/ProgressForm.h"
#include "kit/DebugLog.h"
#include "kit/Dialogs.h"
#include "kit/GuiGuard.h"
#include "skin/Skin.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace krel {
namespace {

constexpr QSize kClientSize(792, 566);
constexpr QSize kMinimumSize(800, 600);
constexpr QSize kPictureSize(130, 82);
constexpr int kListWidth = 300;

const char* const kWindowStyle =
    "QLabel[heading=\"true\"] { color: #ADC6DE; }"
    "QLabel#EntryTitle { color: white; }"
    "QListView#EntryListBox { background: #ADC6DE; border: 2px solid #4E6C8A;"
    " padding-left: 4px; }"
    "QPlainTextEdit#EntryDesc { background: #ADC6DE; color: black; border: 2px solid #4E6C8A; }"
    "QFrame#PictureFrame { background: #101C2A; border: 2px solid #4E6C8A; }"
    "QFrame#LinkPanel { background: #ADC6DE; border: 2px solid #4E6C8A; }"
    "QPushButton:checked { background: #CEDEE7; border: 2px solid white; }"
    "QStatusBar { background: #ADC6DE; color: black; }"
    "QStatusBar QLabel { border: 1px solid #4E6C8A; padding: 0 3px; font-weight: normal; }";

struct CommandButton {
    QPushButton* TEncEditorMain::*Field;
    const char* Name;
    const char* Caption;
    const char* Hint;
};

constexpr CommandButton kCommandButtons[] = {
    {&TEncEditorMain::Edit, "Edit", "Edit", "Edit selected entry."},
    {&TEncEditorMain::Add, "Add", "Add", "Add a new entry or header."},
    {&TEncEditorMain::Delete, "Delete", "Delete", "Delete selected entry or entry group."},
    {&TEncEditorMain::Import, "Import", "Import", "Imports a seperate encyclopedia."},
    {&TEncEditorMain::Export, "Export", "Export",
     "Exports the current encyclopedia into either files, a zip file, or a self extracting "
     "executable."},
    {&TEncEditorMain::Install, "Install", "Install",
     "Installs the currently loaded encyclopedia into Vastreach 3."},
    {&TEncEditorMain::Merge, "Merge", "Merge",
     "Merge seperate encyclopedia into the currently encyclopedia."},
    {&TEncEditorMain::Reset, "Reset", "Reset", "Reset encyclopedia to default."},
};

template <class Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* heading(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setProperty("heading", true);
    label->setFont(skin::CaptionFont(9));
    return label;
}

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    auto* made = named(new QPushButton(QString::fromLatin1(caption), parent), name);
    made->setFocusPolicy(Qt::TabFocus);
    return made;
}

QMenu* contextMenu(const char* name, const char* title, QWidget* parent) {
    auto* menu = named(new QMenu(parent), name);
    menu->addAction(QString::fromLatin1(title))->setEnabled(false);
    menu->addSeparator();
    for (const char* item : {"Edit", "Delete"})
        named(menu->addAction(QString::fromLatin1(item)), item)->setEnabled(false);
    return menu;
}

} // namespace

TEncEditorMain::TEncEditorMain(const EditorContext& context, QWidget* parent)
    : QWidget(parent), DebugList(&context.Log), context_(context) {
    setObjectName(QStringLiteral("EncEditorMain"));
    setWindowTitle(QStringLiteral("Vastreach 3 Encyclopedia Editor"));
    buildControls();
    buildLayout();
    connectControls();
    setUpEditing();
    resize(kClientSize);
    ZipMaster1.OnProgress = [this](TZipMaster& sender, ProgressType type, const std::string& name,
                                   int64_t size) {
        ZipMaster1Progress(sender, type, name, size);
    };
    ZipMaster1.OnMessage = [this](const std::string& text) {
        ShowMessage(this, MsgIcon::Error, text);
    };
    guiGuard(this, [this] { FormCreate(); });
}

TEncEditorMain::~TEncEditorMain() {
    stopParse();
    ParserThread.reset();
}

void TEncEditorMain::buildControls() {
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setStyleSheet(QString::fromLatin1(kWindowStyle));

    EntryRows = new EntryListModel(this);
    EntryListBox = named(new QListView(this), "EntryListBox");
    EntryListBox->setModel(EntryRows);
    EntryListBox->setItemDelegate(new EntryListDelegate(EntryListBox));
    EntryListBox->setUniformItemSizes(true);
    EntryListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    EntryListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    EntryListBox->setFont(skin::CaptionFont(10));
    EntryListBox->viewport()->installEventFilter(this);

    TOC = button("TOC", "TABLE OF CONTENTS", this);
    TOC->setCheckable(true);
    TOC->setChecked(true);
    SubjectIndex = button("SubjectIndex", "SUBJECT INDEX", this);
    SubjectIndex->setCheckable(true);
    FindText = named(new QLineEdit(this), "FindText");
    Find = button("Find", "FIND IT", this);

    EntryTitle = named(new QLabel(this), "EntryTitle");
    EntryTitle->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    EntryTitle->setFont(skin::CaptionFont(12));
    EntryImage = named(new TDisplayPicture(kPictureSize, this), "EntryImage");
    EntryDesc = named(new QPlainTextEdit(this), "EntryDesc");
    EntryDesc->setReadOnly(true);
    EntryDesc->setFont(skin::TextFont(10));
    links_ = {Link1 = named(new TDisplayLink(this), "Link1"),
              Link2 = named(new TDisplayLink(this), "Link2"),
              Link3 = named(new TDisplayLink(this), "Link3"),
              Link4 = named(new TDisplayLink(this), "Link4")};
    for (TDisplayLink* link : links_)
        link->setFont(skin::CaptionFont(9));

    CloseBut = button("CloseBut", "Close", this);
    CloseBut->setToolTip(QStringLiteral("Close"));
    for (const CommandButton& command : kCommandButtons) {
        QPushButton* made = button(command.Name, command.Caption, this);
        made->setToolTip(QString::fromLatin1(command.Hint));
        made->setEnabled(false);
        this->*command.Field = made;
    }
    EntryMenu = contextMenu("EntryMenu", "Entry Menu", this);
    HeaderMenu = contextMenu("HeaderMenu", "Header Menu", this);

    StatusBar = named(new QStatusBar(this), "StatusBar");
    StatusBar->setSizeGripEnabled(false);
    StatusPanel1 = named(new QLabel(QStringLiteral("Status: Idle"), StatusBar), "StatusPanel1");
    StatusPanel1->setFixedWidth(200);
    StatusPanel2 = named(new QLabel(StatusBar), "StatusPanel2");
    StatusPanel2->setFixedWidth(50);
    StatusBar->addWidget(StatusPanel1);
    StatusBar->addWidget(StatusPanel2);
}

void TEncEditorMain::buildLayout() {
    auto* modes = new QHBoxLayout;
    modes->addWidget(TOC);
    modes->addWidget(SubjectIndex);
    auto* search = new QHBoxLayout;
    search->addWidget(FindText, 1);
    search->addWidget(Find);
    auto* left = new QVBoxLayout;
    left->addLayout(modes);
    left->addWidget(EntryListBox, 1);
    left->addWidget(heading("KEYWORD SEARCH:", this));
    left->addLayout(search);

    auto* title = new QHBoxLayout;
    title->addWidget(heading("Selected Term:", this));
    title->addWidget(EntryTitle, 1);
    auto* pictureFrame = named(new QFrame(this), "PictureFrame");
    auto* pictureLayout = new QHBoxLayout(pictureFrame);
    pictureLayout->setContentsMargins(6, 6, 6, 6);
    pictureLayout->addWidget(EntryImage, 0, Qt::AlignCenter);
    auto* linkPanel = named(new QFrame(this), "LinkPanel");
    auto* linkGrid = new QGridLayout(linkPanel);
    linkGrid->setContentsMargins(10, 6, 10, 6);
    for (int i = 0; i < 4; ++i)
        linkGrid->addWidget(links_[static_cast<size_t>(i)], i / 2, i % 2);
    linkPanel->setMinimumHeight(56);
    auto* right = new QVBoxLayout;
    right->addLayout(title);
    right->addWidget(pictureFrame);
    right->addWidget(heading("DETAILED DESCRIPTION:", this));
    right->addWidget(EntryDesc, 1);
    right->addWidget(heading("RELATED TOPICS:", this));
    right->addWidget(linkPanel);

    auto* body = new QHBoxLayout;
    EntryListBox->setMinimumWidth(kListWidth);
    body->addLayout(left, 0);
    body->addSpacing(10);
    body->addLayout(right, 1);

    auto* commands = new QHBoxLayout;
    for (QPushButton* command : {Edit, Add, Delete})
        commands->addWidget(command);
    commands->addSpacing(16);
    for (QPushButton* command : {Import, Export, Install, Merge, Reset})
        commands->addWidget(command);
    commands->addStretch(1);
    commands->addWidget(CloseBut);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 0);
    layout->addLayout(body, 1);
    layout->addSpacing(6);
    layout->addLayout(commands);
    layout->addSpacing(4);
    layout->addWidget(StatusBar);
}

void TEncEditorMain::connectControls() {
    connectGuarded(TOC, &QPushButton::clicked, this, [this] { TOCClick(); });
    connectGuarded(SubjectIndex, &QPushButton::clicked, this, [this] { SubjectIndexClick(); });
    connectGuarded(Find, &QPushButton::clicked, this, [this] { FindClick(); });
    connectGuarded(FindText, &QLineEdit::returnPressed, this, [this] { FindTextKeyDown(); });
    connectGuarded(EntryListBox, &QListView::clicked, this,
                   [this](const QModelIndex& index) { EntryListBoxItemClick(index.row()); });
    for (int i = 0; i < 4; ++i)
        connectGuarded(links_[static_cast<size_t>(i)], &TDisplayLink::clicked, this,
                       [this, i] { LinkClick(i); });
    connectGuarded(EntryImage, &TDisplayPicture::doubleClicked, this,
                   [this] { EntryImageDblClick(); });
    connectGuarded(CloseBut, &QPushButton::clicked, this, [this] { CloseButClick(); });
    connectExchange();
}

bool TEncEditorMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EntryListBox->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        guiGuard(this, [&] {
            EntryListBoxMouseDown(press->button(), press->position().toPoint(),
                                  press->globalPosition().toPoint());
        });
    }
    return QWidget::eventFilter(watched, event);
}

void TEncEditorMain::log(const std::string& line) {
    DebugList->append(line);
}

EditorPaths TEncEditorMain::Paths() const {
    return MakeEditorPaths(context_.Preferences.General.BaseDir,
                           context_.Preferences.General.TempDir);
}

void TEncEditorMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    if (auto* subWindow = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        subWindow->setMinimumSize(kMinimumSize);
        if (QWidget* area = subWindow->parentWidget()) {
            QRect placed = subWindow->frameGeometry();
            placed.moveCenter(area->rect().center());
            subWindow->move(placed.topLeft());
        }
    }
    guiGuard(this, [this] { FormShow(); });
}

void TEncEditorMain::closeEvent(QCloseEvent* event) {
    bool discard = true;
    guiGuard(this, [&] { discard = ConfirmDiscardChanges(); });
    if (!discard) {
        event->ignore();
        return;
    }
    guiGuard(this, [this] { FormClose(); });
    event->accept();
}

} // namespace krel
