#pragma once
// The options dialog: the six settings on pages picked from a small tree. Nothing is stored
// before "Apply"; "Apply" may switch the work folder, then stores everything through the frame.

#include "common/UnitError.h"
#include "settings/GameSearch.h"
#include "settings/Preferences.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace krel {

KREL_UNIT_ERROR(EKrelEditorOptionsError);

class TKrelEditMainForm;

class TKrelEditorOptions : public QDialog {
    Q_OBJECT
public:
    TKrelEditorOptions(TKrelEditMainForm& frame, QWidget* parent = nullptr);

    QPushButton* Apply;
    QPushButton* Cancel;
    QTreeWidget* OptionTree;
    QStackedWidget* Pages;
    QWidget* BlankPanel;
    QWidget* DirPanel;
    QLineEdit* BaseDir;
    QPushButton* BaseDirOpen;
    // Shown only when several game folders are found; choosing one fills BaseDir.
    QLabel* GameFoldersLabel;
    QComboBox* GameFolders;
    QLineEdit* TempDir;
    QPushButton* TempDirOpen;
    QRadioButton* Yes;
    QRadioButton* No;
    QWidget* LoadingPanel;
    QRadioButton* OrderYes;
    QRadioButton* OrderNo;
    QWidget* MergePanel;
    QRadioButton* OverwriteYes;
    QRadioButton* OverwriteNo;
    QRadioButton* ConfirmYes;
    QRadioButton* ConfirmNo;

    // Puts the settings into the controls, as the frame does before showing the dialog.
    void fillFrom(const T_Preferences& prefs);
    // Offers the game folders found (after fillFrom, so the one in use is selected).
    void listGameFolders(const std::vector<GameCandidate>& found);
    // The tree node with this path of texts ("Encyclopedia", "Merge"), or nullptr.
    QTreeWidgetItem* node(const QString& text, const QString& parentText = QString()) const;

    void OptionTreeChange();
    void BaseDirOpenClick();
    void TempDirOpenClick();
    void ApplyClick();

private:
    void FormCreate();
    void describeControls();
    QWidget* buildDirPanel();
    QWidget* buildLoadingPanel();
    QWidget* buildMergePanel();
    void switchWorkFolder();

    TKrelEditMainForm& frame_;
};

} // namespace krel
