#pragma once
// The folder chooser: a tree of the computer's folders, the selected folder's path below it,
// and "Select" / "Cancel". The caller sets the caption and, after "Select", reads Path.

#include <QDialog>

class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace krel {

class TDirSelect : public QDialog {
    Q_OBJECT
public:
    explicit TDirSelect(QWidget* parent = nullptr);

    QTreeView* ShellTreeView1;
    QPushButton* Button1;
    QPushButton* CloseBut;
    QLineEdit* Path;

    // The path of the folder selected in the tree, or an empty text.
    QString selectedPath() const;
    // Selects folder in the tree as a click would (false when the tree has no such folder).
    bool selectFolder(const QString& folder);

private:
    void ShellTreeView1Change();
    void Button1Click();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QFileSystemModel* model_;
};

} // namespace krel
