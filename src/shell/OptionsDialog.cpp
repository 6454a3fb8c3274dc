#include "OptionsDialog.h"

#include "shell/Dialogs.h"
#include "shell/GuiGuard.h"
#include "shell/MainForm.h"
#include "shell/Paths.h"
#include "shell/QtText.h"
#include "shell/WorkFolder.h"

#include <QButtonGroup>
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

namespace krel {
namespace {

template <class Body> void optionsGuard(const char* routine, Body&& body) {
    guarded<EKrelEditorOptionsError>(routine, std::forward<Body>(body));
}

QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const char* text) {
    return new QTreeWidgetItem(parent, QStringList{QString::fromLatin1(text)});
}

QLabel* caption(const char* text, QWidget* parent) {
    return new QLabel(QString::fromLatin1(text), parent);
}

QHBoxLayout* pairRow(QRadioButton* yes, QRadioButton* no) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(16, 0, 0, 6);
    row->addWidget(yes);
    row->addWidget(no);
    row->addStretch();
    return row;
}

QPushButton* browseButton(const char* name, const char* hint, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
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
    Apply = new QPushButton(QStringLiteral("Apply"), this);
    Apply->setObjectName(QStringLiteral("Apply"));
    Apply->setToolTip(QStringLiteral("Apply"));
    Apply->setAutoDefault(false);
    Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Cancel->setObjectName(QStringLiteral("Cancel"));
    Cancel->setToolTip(QStringLiteral("Cancel"));
    Cancel->setAutoDefault(false);

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
    BlankPanel = new QWidget(Pages);
    BlankPanel->setObjectName(QStringLiteral("BlankPanel"));
    Pages->addWidget(BlankPanel);
    Pages->addWidget(buildDirPanel());
    Pages->addWidget(buildLoadingPanel());
    Pages->addWidget(buildMergePanel());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Apply);
    buttons->addWidget(Cancel);
    auto* body = new QHBoxLayout;
    body->addWidget(OptionTree);
    body->addWidget(Pages, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(471, 267)));
    resize(minimumSize());

    connectGuarded(OptionTree, &QTreeWidget::currentItemChanged, this,
                   [this] { OptionTreeChange(); });
    connectGuarded(BaseDirOpen, &QPushButton::clicked, this, [this] { BaseDirOpenClick(); });
    connectGuarded(TempDirOpen, &QPushButton::clicked, this, [this] { TempDirOpenClick(); });
    connectGuarded(Apply, &QPushButton::clicked, this, [this] { ApplyClick(); });
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    guiGuard(this, [this] { FormCreate(); });
}

QRadioButton* TKrelEditorOptions::radio(const char* name, QButtonGroup* group) {
    const bool yes = QByteArray(name).endsWith("Yes");
    auto* button = new QRadioButton(yes ? QStringLiteral("Yes") : QStringLiteral("No"));
    button->setObjectName(QString::fromLatin1(name));
    group->addButton(button);
    return button;
}

QWidget* TKrelEditorOptions::buildDirPanel() {
    DirPanel = new QWidget(Pages);
    DirPanel->setObjectName(QStringLiteral("DirPanel"));
    BaseDir = new QLineEdit(DirPanel);
    BaseDir->setObjectName(QStringLiteral("BaseDir"));
    BaseDir->setReadOnly(true);
    BaseDirOpen = browseButton("BaseDirOpen", "Browse for the game's folder", DirPanel);
    TempDir = new QLineEdit(DirPanel);
    TempDir->setObjectName(QStringLiteral("TempDir"));
    TempDirOpen = browseButton("TempDirOpen", "Browse for the work folder", DirPanel);
    auto* group = new QButtonGroup(DirPanel);
    Yes = radio("Yes", group);
    No = radio("No", group);

    auto* grid = new QGridLayout(DirPanel);
    grid->addWidget(caption("Vastreach 3 Base Directory: ", DirPanel), 0, 0, 1, 2);
    grid->addWidget(BaseDir, 1, 0);
    grid->addWidget(BaseDirOpen, 1, 1);
    grid->addWidget(caption("Temporary Directory:", DirPanel), 2, 0, 1, 2);
    grid->addWidget(TempDir, 3, 0);
    grid->addWidget(TempDirOpen, 3, 1);
    grid->addWidget(caption("Cleanup Temporary Directory:", DirPanel), 4, 0, 1, 2);
    grid->addLayout(pairRow(Yes, No), 5, 0, 1, 2);
    grid->setRowStretch(6, 1);
    return DirPanel;
}

QWidget* TKrelEditorOptions::buildLoadingPanel() {
    LoadingPanel = new QWidget(Pages);
    LoadingPanel->setObjectName(QStringLiteral("LoadingPanel"));
    auto* group = new QButtonGroup(LoadingPanel);
    OrderYes = radio("OrderYes", group);
    OrderNo = radio("OrderNo", group);
    auto* layout = new QVBoxLayout(LoadingPanel);
    layout->addWidget(caption("Reorder Header Tags on Loading:", LoadingPanel));
    layout->addLayout(pairRow(OrderYes, OrderNo));
    layout->addStretch();
    return LoadingPanel;
}

QWidget* TKrelEditorOptions::buildMergePanel() {
    MergePanel = new QWidget(Pages);
    MergePanel->setObjectName(QStringLiteral("MergePanel"));
    auto* overwrite = new QButtonGroup(MergePanel);
    OverwriteYes = radio("OverwriteYes", overwrite);
    OverwriteNo = radio("OverwriteNo", overwrite);
    auto* confirm = new QButtonGroup(MergePanel);
    ConfirmYes = radio("ConfirmYes", confirm);
    ConfirmNo = radio("ConfirmNo", confirm);
    auto* layout = new QVBoxLayout(MergePanel);
    layout->addWidget(caption("Current Encyclopedia Overwrites Merged:", MergePanel));
    layout->addLayout(pairRow(OverwriteYes, OverwriteNo));
    layout->addWidget(caption("Overwrite Confirm:", MergePanel));
    layout->addLayout(pairRow(ConfirmYes, ConfirmNo));
    layout->addStretch();
    return MergePanel;
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
