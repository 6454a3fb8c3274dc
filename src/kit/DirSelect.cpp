#include "kit/DirSelect.h"

#include "kit/DialogControls.h"
#include "kit/Dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace krel {

TDirSelect::TDirSelect(QWidget* parent)
    : QDialog(parent), ShellTreeView1(new QTreeView(this)),
      Button1(new QPushButton(QStringLiteral("&Select"), this)),
      CloseBut(new QPushButton(QStringLiteral("&Cancel"), this)), Path(new QLineEdit(this)),
      model_(new QFileSystemModel(this)) {
    setObjectName(QStringLiteral("DirSelect"));
    setWindowTitle(QStringLiteral("Directory Selection"));
    setMinimumSize(450, 400);
    resize(450, 400);

    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    model_->setRootPath(QString());
    ShellTreeView1->setObjectName(QStringLiteral("ShellTreeView1"));
    ShellTreeView1->setModel(model_);
    ShellTreeView1->setHeaderHidden(true);
    for (int column = 1; column < model_->columnCount(); ++column)
        ShellTreeView1->hideColumn(column);
    ShellTreeView1->viewport()->installEventFilter(this);
    // Open the tree at the user's home without selecting it: the dialog starts with no choice.
    for (QModelIndex index = model_->index(QDir::homePath()); index.isValid();
         index = index.parent())
        ShellTreeView1->expand(index);

    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setToolTip(QStringLiteral("Apply"));
    CloseBut->setObjectName(QStringLiteral("CloseBut"));
    CloseBut->setToolTip(QStringLiteral("Cancel"));
    Path->setObjectName(QStringLiteral("Path"));
    Path->setReadOnly(true);
    describe(ShellTreeView1, "Folders",
             "The folders of this computer; arrow keys open and close them, the current one is "
             "chosen.");
    describe(Path, "Path", "The folder chosen in the tree.");
    describe(Button1, "Select", "Takes the chosen folder.");
    describe(CloseBut, "Cancel", "Closes without choosing a folder.");

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(new QLabel(QStringLiteral("Path: "), this));
    pathRow->addWidget(Path, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ShellTreeView1, 1);
    layout->addLayout(pathRow);
    layout->addLayout(footButtons({Button1, CloseBut}));

    connect(ShellTreeView1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TDirSelect::ShellTreeView1Change);
    connect(Button1, &QPushButton::clicked, this, &TDirSelect::Button1Click);
    connect(CloseBut, &QPushButton::clicked, this, &QDialog::reject);
}

QString TDirSelect::selectedPath() const {
    QModelIndex current = ShellTreeView1->currentIndex();
    return current.isValid() ? QDir::toNativeSeparators(model_->filePath(current)) : QString();
}

bool TDirSelect::selectFolder(const QString& folder) {
    QModelIndex index = model_->index(QDir::cleanPath(QDir::fromNativeSeparators(folder)));
    if (!index.isValid())
        return false;
    ShellTreeView1->setCurrentIndex(index);
    ShellTreeView1->scrollTo(index);
    return true;
}

void TDirSelect::ShellTreeView1Change() {
    Path->setText(selectedPath());
}

void TDirSelect::Button1Click() {
    const QString text = Path->text();
    if (!text.isEmpty() && QFileInfo(text).isDir()) {
        accept();
        return;
    }
    if (text != selectedPath()) {
        ShowMessage(this, MsgIcon::Error, "Directory does not exist!");
        Path->setText(selectedPath());
        return;
    }
    accept();
}

// A right click selects the folder under the mouse, as a left click does.
bool TDirSelect::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            QModelIndex index = ShellTreeView1->indexAt(mouse->position().toPoint());
            if (index.isValid())
                ShellTreeView1->setCurrentIndex(index);
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace krel
