#include "frame/OptionsDialog.h"

#include "frame/MainForm.h"
#include "kit/DialogControls.h"
#include "kit/Dialogs.h"
#include "kit/GuiGuard.h"
#include "kit/QtText.h"
#include "settings/Paths.h"
#include "settings/WorkFolder.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <string>

namespace krel {
namespace {

// Two settings kept only for older settings files: either answer reads the same.
constexpr const char* kCleanupMeans =
    "Kept for older settings: the work folder is cleaned whenever the editor closes.";
constexpr const char* kReorderMeans =
    "Kept for older settings: the table of contents always keeps the headers in order.";

template <class Body> void optionsGuard(const char* routine, Body&& body) {
    guarded<EKrelEditorOptionsError>(routine, std::forward<Body>(body));
}

QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const char* text) {
    return new QTreeWidgetItem(parent, QStringList{QString::fromLatin1(text)});
}

// A caption whose mnemonic takes the focus to the control it names.
QLabel* caption(const char* text, QWidget* parent, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setBuddy(buddy);
    return label;
}

// A Yes/No pair read out with the question it answers.
void describeYesNo(QRadioButton* yes, QRadioButton* no, const char* question, const char* yesMeans,
                   const char* noMeans) {
    describe(yes, (std::string(question) + ": Yes").c_str(), yesMeans);
    describe(no, (std::string(question) + ": No").c_str(), noMeans);
}

// A Yes/No pair grouped on its own, named after the setting it answers ("OrderYes", "OrderNo").
QHBoxLayout* yesNoRow(const std::string& setting, QWidget* panel, QRadioButton*& yes,
                      QRadioButton*& no) {
    auto* group = new QButtonGroup(panel);
    yes = named(new QRadioButton(QStringLiteral("Yes")), (setting + "Yes").c_str());
    no = named(new QRadioButton(QStringLiteral("No")), (setting + "No").c_str());
    group->addButton(yes);
    group->addButton(no);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(16, 0, 0, 6);
    row->addWidget(yes);
    row->addWidget(no);
    row->addStretch();
    return row;
}

QPushButton* browseButton(const char* name, const char* hint, QWidget* parent) {
    auto* button = named(new QPushButton(parent), name);
    button->setIcon(parent->style()->standardIcon(QStyle::SP_DirOpenIcon));
    button->setToolTip(QString::fromLatin1(hint));
    button->setStyleSheet(QStringLiteral("min-width: 0px; padding: 3px;"));
    return button;
}

} // namespace

TKrelEditorOptions::TKrelEditorOptions(TKrelEditMainForm& frame, QWidget* parent)
    : QDialog(parent), frame_(frame) {
    setObjectName(QStringLiteral("KrelEditorOptions"));
    setWindowTitle(QStringLiteral("Editor Options"));
    OptionTree = new QTreeWidget(this);
    OptionTree->setObjectName(QStringLiteral("OptionTree"));
    OptionTree->setHeaderHidden(true);
    OptionTree->setRootIsDecorated(false);
    OptionTree->setIndentation(19);
    OptionTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OptionTree->setFixedWidth(130);
    QTreeWidgetItem* general = new QTreeWidgetItem(OptionTree, QStringList{"General"});
    addNode(general, "Directories");
    QTreeWidgetItem* encyclopedia = new QTreeWidgetItem(OptionTree, QStringList{"Encyclopedia"});
    addNode(encyclopedia, "Merge");
    addNode(encyclopedia, "Loading");

    Pages = new QStackedWidget(this);
    BlankPanel = named(new QWidget(Pages), "BlankPanel");
    Pages->addWidget(BlankPanel);
    Pages->addWidget(buildDirPanel());
    Pages->addWidget(buildLoadingPanel());
    Pages->addWidget(buildMergePanel());
    // Made after the pages, so Tab reaches them last, as they stand at the foot.
    Apply = dialogButton("Apply", "&Apply", "Apply", this);
    Cancel = dialogButton("Cancel", "&Cancel", "Cancel", this);
    describeControls();

    auto* body = new QHBoxLayout;
    body->addWidget(OptionTree);
    body->addWidget(Pages, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(footButtons({Apply, Cancel}));
    setMinimumSize(minimumSizeHint().expandedTo(QSize(471, 267)));
    resize(minimumSize());

    connectGuarded(OptionTree, &QTreeWidget::currentItemChanged, this,
                   [this] { OptionTreeChange(); });
    connectGuarded(BaseDirOpen, &QPushButton::clicked, this, [this] { BaseDirOpenClick(); });
    connectGuarded(TempDirOpen, &QPushButton::clicked, this, [this] { TempDirOpenClick(); });
    connect(GameFolders, &QComboBox::activated, this,
            [this](int index) { BaseDir->setText(GameFolders->itemText(index)); });
    connectGuarded(Apply, &QPushButton::clicked, this, [this] { ApplyClick(); });
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    guiGuard(this, [this] { FormCreate(); });
}

QWidget* TKrelEditorOptions::buildDirPanel() {
    DirPanel = named(new QWidget(Pages), "DirPanel");
    BaseDir = named(new QLineEdit(DirPanel), "BaseDir");
    BaseDir->setReadOnly(true);
    BaseDirOpen = browseButton("BaseDirOpen", "Browse for the game's folder", DirPanel);
    GameFolders = named(new QComboBox(DirPanel), "GameFolders");
    GameFoldersLabel = caption("&Game Folders Found:", DirPanel, GameFolders);
    GameFolders->setToolTip(QStringLiteral("Take one of the game folders found on this computer"));
    TempDir = named(new QLineEdit(DirPanel), "TempDir");
    TempDirOpen = browseButton("TempDirOpen", "Browse for the work folder", DirPanel);
    QHBoxLayout* cleanup = yesNoRow("", DirPanel, Yes, No);

    auto* grid = new QGridLayout(DirPanel);
    grid->addWidget(caption("Vastreach 3 &Base Directory: ", DirPanel, BaseDir), 0, 0, 1, 2);
    grid->addWidget(BaseDir, 1, 0);
    grid->addWidget(BaseDirOpen, 1, 1);
    grid->addWidget(GameFoldersLabel, 2, 0, 1, 2);
    grid->addWidget(GameFolders, 3, 0);
    grid->addWidget(caption("&Temporary Directory:", DirPanel, TempDir), 4, 0, 1, 2);
    grid->addWidget(TempDir, 5, 0);
    grid->addWidget(TempDirOpen, 5, 1);
    grid->addWidget(caption("C&leanup Temporary Directory:", DirPanel, Yes), 6, 0, 1, 2);
    grid->addLayout(cleanup, 7, 0, 1, 2);
    grid->setRowStretch(8, 1);
    listGameFolders({});
    return DirPanel;
}

QWidget* TKrelEditorOptions::buildLoadingPanel() {
    LoadingPanel = named(new QWidget(Pages), "LoadingPanel");
    auto* layout = new QVBoxLayout(LoadingPanel);
    QHBoxLayout* choices = yesNoRow("Order", LoadingPanel, OrderYes, OrderNo);
    layout->addWidget(caption("&Reorder Header Tags on Loading:", LoadingPanel, OrderYes));
    layout->addLayout(choices);
    layout->addStretch();
    return LoadingPanel;
}

QWidget* TKrelEditorOptions::buildMergePanel() {
    MergePanel = named(new QWidget(Pages), "MergePanel");
    auto* layout = new QVBoxLayout(MergePanel);
    QHBoxLayout* overwrite = yesNoRow("Overwrite", MergePanel, OverwriteYes, OverwriteNo);
    QHBoxLayout* confirm = yesNoRow("Confirm", MergePanel, ConfirmYes, ConfirmNo);
    layout->addWidget(
        caption("Current Encyclopedia &Overwrites Merged:", MergePanel, OverwriteYes));
    layout->addLayout(overwrite);
    layout->addWidget(caption("Overwrite Co&nfirm:", MergePanel, ConfirmYes));
    layout->addLayout(confirm);
    layout->addStretch();
    return MergePanel;
}

void TKrelEditorOptions::describeControls() {
    describe(OptionTree, "Option pages", "Pick a page of settings to show beside this list.");
    describe(BaseDir, "Vastreach 3 base directory", "The folder where the game is installed.");
    describe(BaseDirOpen, "Browse for the base directory",
             "Opens a folder chooser to pick the game's folder.");
    describe(GameFolders, "Game folders found",
             "The game folders found on this computer; choosing one makes it the base "
             "directory.");
    describe(TempDir, "Temporary directory",
             "The editor's work folder; a name that is not a full path is taken inside the "
             "program folder.");
    describe(TempDirOpen, "Browse for the temporary directory",
             "Opens a folder chooser to pick the work folder.");
    describeYesNo(Yes, No, "Cleanup temporary directory", kCleanupMeans, kCleanupMeans);
    describeYesNo(OrderYes, OrderNo, "Reorder header tags on loading", kReorderMeans,
                  kReorderMeans);
    describeYesNo(OverwriteYes, OverwriteNo, "Current encyclopedia overwrites merged",
                  "When both hold an entry, a merge keeps the loaded one.",
                  "When both hold an entry, a merge takes the merged one.");
    describeYesNo(ConfirmYes, ConfirmNo, "Overwrite confirm",
                  "A merge asks before each such overwrite.", "A merge overwrites without asking.");
    describe(Apply, "Apply", "Stores the settings shown and closes the options.");
    describe(Cancel, "Cancel", "Closes the options and leaves every setting as it was.");
}

void TKrelEditorOptions::FormCreate() {
    optionsGuard("FormCreate()", [this] {
        OptionTree->expandAll();
        Pages->setCurrentWidget(BlankPanel);
    });
}

void TKrelEditorOptions::fillFrom(const T_Preferences& prefs) {
    BaseDir->setText(ToQt(prefs.General.BaseDir));
    TempDir->setText(ToQt(prefs.General.TempDir));
    (prefs.General.Cleanup ? Yes : No)->setChecked(true);
    (prefs.Reorder ? OrderYes : OrderNo)->setChecked(true);
    (prefs.Confirm ? ConfirmYes : ConfirmNo)->setChecked(true);
    (prefs.Overwrite ? OverwriteYes : OverwriteNo)->setChecked(true);
}

void TKrelEditorOptions::listGameFolders(const std::vector<GameCandidate>& found) {
    GameFolders->clear();
    for (const GameCandidate& game : found) {
        GameFolders->addItem(ToQt(game.Folder));
        GameFolders->setItemData(GameFolders->count() - 1, ToQt(game.Where), Qt::ToolTipRole);
    }
    GameFolders->setCurrentIndex(GameFolders->findText(BaseDir->text()));
    const bool several = found.size() > 1;
    GameFoldersLabel->setVisible(several);
    GameFolders->setVisible(several);
}

QTreeWidgetItem* TKrelEditorOptions::node(const QString& text, const QString& parentText) const {
    for (QTreeWidgetItemIterator it(OptionTree); *it; ++it) {
        QTreeWidgetItem* parent = (*it)->parent();
        const QString above = parent ? parent->text(0) : QString();
        if ((*it)->text(0) == text && above == parentText)
            return *it;
    }
    return nullptr;
}

void TKrelEditorOptions::OptionTreeChange() {
    optionsGuard("OptionTreeChange()", [this] {
        QTreeWidgetItem* current = OptionTree->currentItem();
        const QString text = current ? current->text(0) : QString();
        const QString parent =
            current && current->parent() ? current->parent()->text(0) : QString();
        QWidget* page = BlankPanel;
        if (text == QLatin1String("Directories") && parent == QLatin1String("General"))
            page = DirPanel;
        else if (text == QLatin1String("Loading") && parent == QLatin1String("Encyclopedia"))
            page = LoadingPanel;
        else if (text == QLatin1String("Merge") && parent == QLatin1String("Encyclopedia"))
            page = MergePanel;
        Pages->setCurrentWidget(page);
    });
}

void TKrelEditorOptions::BaseDirOpenClick() {
    optionsGuard("BaseDirOpenClick()", [this] {
        if (auto chosen =
                Dialogs().chooseFolder(this, QStringLiteral("Base Vastreach 3 Directory")))
            BaseDir->setText(*chosen);
    });
}

void TKrelEditorOptions::TempDirOpenClick() {
    optionsGuard("TempDirOPenClick()", [this] {
        if (auto chosen = Dialogs().chooseFolder(this, QStringLiteral("Tempory File Directory")))
            TempDir->setText(*chosen);
    });
}

void TKrelEditorOptions::ApplyClick() {
    optionsGuard("Button2Click()", [this] {
        if (TempDir->text().trimmed().isEmpty()) {
            ShowMessage(this, MsgIcon::Error,
                        "Please enter a temporary directory: the editor needs a folder of its "
                        "own for its work files.");
            return;
        }
        if (!SameFolderText(frame_.Preferences.General.TempDir, FromQt(TempDir->text())))
            switchWorkFolder();
        T_Preferences& prefs = frame_.Preferences;
        prefs.General.BaseDir = FromQt(BaseDir->text());
        prefs.General.TempDir = FromQt(TempDir->text());
        prefs.General.Cleanup = Yes->isChecked();
        prefs.Reorder = OrderYes->isChecked();
        prefs.Overwrite = OverwriteYes->isChecked();
        prefs.Confirm = ConfirmYes->isChecked();
        frame_.PreferencesSave();
        PrepareWorkFolder(prefs.General.TempDir);
        accept();
    });
}

// Empties the old work folder and reads a typed relative folder as one below the program's.
void TKrelEditorOptions::switchWorkFolder() {
    frame_.DeleteFilesDir(WithTrailingSeparator(frame_.Preferences.General.TempDir));
    TempDir->setText(ToQt(ResolveWorkFolderText(FromQt(TempDir->text()), WritableProgramFolder())));
}

} // namespace krel
