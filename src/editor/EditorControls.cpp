#include "editor/EditorControls.h"

#include "editor/EditorWidgets.h"
#include "editor/EntryListDelegate.h"
#include "kit/DialogControls.h"
#include "skin/Skin.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>
#include <vector>

namespace krel {
namespace {

constexpr QSize kPictureSize(130, 82);
constexpr int kListWidth = 300;
constexpr int kListMinimumWidth = 200;

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
    QPushButton* EditorControls::*Field;
    const char* Name;
    const char* Caption;
    const char* Hint;
};

// The mnemonics leave out E, D, W, T, O and H, which open the frame's menus.
constexpr CommandButton kCommandButtons[] = {
    {&EditorControls::Edit, "Edit", "Ed&it", "Edit selected entry."},
    {&EditorControls::Add, "Add", "&Add", "Add a new entry or header."},
    {&EditorControls::Delete, "Delete", "De&lete", "Delete selected entry or entry group."},
    {&EditorControls::Import, "Import", "I&mport", "Imports a seperate encyclopedia."},
    {&EditorControls::Export, "Export", "E&xport",
     "Exports the current encyclopedia into either files, a zip file, or a self extracting "
     "executable."},
    {&EditorControls::Install, "Install", "I&nstall",
     "Installs the currently loaded encyclopedia into Vastreach 3."},
    {&EditorControls::Merge, "Merge", "Mer&ge",
     "Merge seperate encyclopedia into the currently encyclopedia."},
    {&EditorControls::Reset, "Reset", "&Reset", "Reset encyclopedia to default."},
};

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

void describeControls(const EditorControls& c) {
    describe(c.EntryListBox, "Entries",
             "The encyclopedia in the chosen view; the entry of the current row is shown.");
    describe(c.TOC, "Table of contents", "Lists the headers, each with its entries.");
    describe(c.SubjectIndex, "Subject index", "Lists the entries by their first letter.");
    describe(c.FilterText, "Filter titles",
             "Narrows the list to the titles containing this text; Escape clears it.");
    // The field's own clear button is a child widget a screen reader reaches too.
    for (QToolButton* clear : c.FilterText->findChildren<QToolButton*>())
        describe(clear, "Clear filter", "Empties the filter field and shows every row again.");
    describe(c.FindText, "Keyword", "The keyword to search for; Return runs the search.");
    describe(c.Find, "Find it", "Lists the entries that have the keyword.");
    describe(c.EntryTitle, "Selected term", "The title of the entry on display.");
    describe(c.EntryImage, "Entry picture",
             "The picture of the entry on display; double-click to browse the game's pictures.");
    describe(c.EntryDesc, "Detailed description", "The text of the entry on display.");
    for (TDisplayLink* link : c.Links)
        describe(link, "Related topic", "Shows this related entry; Return or a click follows it.");
    describe(c.CloseBut, "Close", "Closes the editor window.");
}

// A status panel as wide as the widest text it shows, in its own font with the padding and
// border the window's style gives it, whatever font it gets: no font clips the text, and the
// panel does not jump when the text comes and goes.
class FittedPanel : public QLabel {
public:
    FittedPanel(QString widest, QWidget* parent) : QLabel(parent), widest_(std::move(widest)) {
        fit();
    }

protected:
    void changeEvent(QEvent* event) override {
        QLabel::changeEvent(event);
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            fit();
    }

private:
    void fit() {
        const QString shown = text();
        setText(widest_);
        setFixedWidth(sizeHint().width());
        setText(shown);
    }

    QString widest_;
};

QMenu* contextMenu(const char* name, const char* title, QWidget* parent) {
    auto* menu = named(new QMenu(parent), name);
    menu->addAction(QString::fromLatin1(title))->setEnabled(false);
    menu->addSeparator();
    for (const char* item : {"Edit", "Delete"})
        named(menu->addAction(QString::fromLatin1(item)), item)->setEnabled(false);
    return menu;
}

void styleWindow(QWidget& window) {
    QPalette black = window.palette();
    black.setColor(QPalette::Window, Qt::black);
    window.setPalette(black);
    window.setAutoFillBackground(true);
    window.setStyleSheet(QString::fromLatin1(kWindowStyle));
}

void buildBrowsing(EditorControls& c, QWidget* window) {
    c.EntryListBox = named(new QListView(window), "EntryListBox");
    c.EntryListBox->setItemDelegate(new EntryListDelegate(c.EntryListBox));
    c.EntryListBox->setUniformItemSizes(true);
    c.EntryListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    c.EntryListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    c.EntryListBox->setFont(skin::CaptionFont(10));
    c.TOC = button("TOC", "TA&BLE OF CONTENTS", window);
    c.TOC->setCheckable(true);
    c.TOC->setChecked(true);
    c.SubjectIndex = button("SubjectIndex", "&SUBJECT INDEX", window);
    c.SubjectIndex->setCheckable(true);
    c.FilterText = named(new QLineEdit(window), "FilterText");
    c.FilterText->setPlaceholderText(QStringLiteral("Filter titles (Esc clears)"));
    c.FilterText->setClearButtonEnabled(true);
    c.FindText = named(new QLineEdit(window), "FindText");
    c.FindText->setPlaceholderText(QStringLiteral("Keyword (Ctrl+F)"));
    c.Find = button("Find", "&FIND IT", window);
    c.EntryMenu = contextMenu("EntryMenu", "Entry Menu", window);
    c.HeaderMenu = contextMenu("HeaderMenu", "Header Menu", window);
}

void buildDisplay(EditorControls& c, QWidget* window) {
    c.EntryTitle = named(new QLabel(window), "EntryTitle");
    c.EntryTitle->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c.EntryTitle->setFont(skin::CaptionFont(12));
    c.EntryImage = named(new TDisplayPicture(kPictureSize, window), "EntryImage");
    c.EntryDesc = named(new QPlainTextEdit(window), "EntryDesc");
    c.EntryDesc->setReadOnly(true);
    c.EntryDesc->setFont(skin::TextFont(10));
    const char* names[] = {"Link1", "Link2", "Link3", "Link4"};
    for (size_t i = 0; i < c.Links.size(); ++i) {
        c.Links[i] = named(new TDisplayLink(window), names[i]);
        c.Links[i]->setFont(skin::CaptionFont(9));
    }
}

// Created in the order of the row, Close last, so Tab goes through them as they stand.
void buildCommands(EditorControls& c, QWidget* window) {
    for (const CommandButton& command : kCommandButtons) {
        QPushButton* made = button(command.Name, command.Caption, window);
        made->setToolTip(QString::fromLatin1(command.Hint));
        made->setAccessibleDescription(QString::fromLatin1(command.Hint));
        made->setEnabled(false);
        c.*command.Field = made;
    }
    c.CloseBut = button("CloseBut", "&Close", window);
    c.CloseBut->setToolTip(QStringLiteral("Close"));
    c.StatusBar = named(new QStatusBar(window), "StatusBar");
    c.StatusBar->setSizeGripEnabled(false);
    c.StatusPanel1 = named(new QLabel(QStringLiteral("Status: Idle"), c.StatusBar), "StatusPanel1");
    c.StatusPanel2 =
        named(new FittedPanel(QStringLiteral("Modified"), c.StatusBar), "StatusPanel2");
    c.StatusBar->addWidget(c.StatusPanel1, 1);
    c.StatusBar->addWidget(c.StatusPanel2);
}

QWidget* listColumn(const EditorControls& c, QWidget* window) {
    auto* modes = new QHBoxLayout;
    modes->addWidget(c.TOC);
    modes->addWidget(c.SubjectIndex);
    auto* search = new QHBoxLayout;
    search->addWidget(c.FindText, 1);
    search->addWidget(c.Find);
    auto* column = new QWidget(window);
    auto* left = new QVBoxLayout(column);
    left->setContentsMargins(0, 0, 0, 0);
    left->addLayout(modes);
    left->addWidget(c.FilterText);
    left->addWidget(c.EntryListBox, 1);
    left->addWidget(heading("KEYWORD SEARCH:", window));
    left->addLayout(search);
    c.EntryListBox->setMinimumWidth(kListMinimumWidth);
    return column;
}

QWidget* entryColumn(const EditorControls& c, QWidget* window) {
    auto* title = new QHBoxLayout;
    title->addWidget(heading("Selected Term:", window));
    title->addWidget(c.EntryTitle, 1);
    auto* pictureFrame = named(new QFrame(window), "PictureFrame");
    auto* pictureLayout = new QHBoxLayout(pictureFrame);
    pictureLayout->setContentsMargins(6, 6, 6, 6);
    pictureLayout->addWidget(c.EntryImage, 0, Qt::AlignCenter);
    auto* linkPanel = named(new QFrame(window), "LinkPanel");
    auto* linkGrid = new QGridLayout(linkPanel);
    linkGrid->setContentsMargins(10, 6, 10, 6);
    for (int i = 0; i < 4; ++i)
        linkGrid->addWidget(c.Links[static_cast<size_t>(i)], i / 2, i % 2);
    linkPanel->setMinimumHeight(56);
    auto* column = new QWidget(window);
    auto* right = new QVBoxLayout(column);
    right->setContentsMargins(0, 0, 0, 0);
    right->addLayout(title);
    right->addWidget(pictureFrame);
    right->addWidget(heading("DETAILED DESCRIPTION:", window));
    right->addWidget(c.EntryDesc, 1);
    right->addWidget(heading("RELATED TOPICS:", window));
    right->addWidget(linkPanel);
    return column;
}

QLayout* commandRow(const EditorControls& c) {
    auto* commands = new QHBoxLayout;
    for (QPushButton* command : {c.Edit, c.Add, c.Delete})
        commands->addWidget(command);
    commands->addSpacing(16);
    for (QPushButton* command : {c.Import, c.Export, c.Install, c.Merge, c.Reset})
        commands->addWidget(command);
    commands->addStretch(1);
    commands->addWidget(c.CloseBut);
    return commands;
}

// Tab goes through the controls as they stand: the list column top to bottom, the entry, then
// the command row with Close last.
void followLayoutWithTab(const EditorControls& c) {
    std::vector<QWidget*> order{c.TOC,      c.SubjectIndex, c.EntryListBox,
                                c.FindText, c.Find,         c.EntryDesc};
    order.insert(order.end(), c.Links.begin(), c.Links.end());
    for (QWidget* command :
         {c.Edit, c.Add, c.Delete, c.Import, c.Export, c.Install, c.Merge, c.Reset, c.CloseBut})
        order.push_back(command);
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// The list and the entry share the width through a splitter; both grow with the window.
void layOut(EditorControls& c, QWidget& window) {
    c.Splitter = named(new QSplitter(Qt::Horizontal, &window), "Splitter");
    c.Splitter->setChildrenCollapsible(false);
    c.Splitter->setHandleWidth(10);
    c.Splitter->addWidget(listColumn(c, &window));
    c.Splitter->addWidget(entryColumn(c, &window));
    c.Splitter->setStretchFactor(0, 2);
    c.Splitter->setStretchFactor(1, 3);
    c.Splitter->setSizes({kListWidth, kListWidth * 3 / 2});
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(10, 10, 10, 0);
    layout->addWidget(c.Splitter, 1);
    layout->addSpacing(6);
    layout->addLayout(commandRow(c));
    layout->addSpacing(4);
    layout->addWidget(c.StatusBar);
    followLayoutWithTab(c);
}

} // namespace

EditorControls BuildEditorControls(QWidget& window) {
    styleWindow(window);
    EditorControls controls{};
    buildBrowsing(controls, &window);
    buildDisplay(controls, &window);
    buildCommands(controls, &window);
    layOut(controls, window);
    describeControls(controls);
    return controls;
}

} // namespace krel
