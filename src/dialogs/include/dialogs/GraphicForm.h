#pragma once
// TGraphicForm: browses the pictures of the game's picture archive. Creating it lists the
// archive, sorted by name and narrowed to the pictures that fit the entry picture frame; a
// click on a row previews that picture. On OK the caller reads SelectedName and Picture().
// Pictures are extracted into memory one at a time, only when clicked.

#include "archive/ZipMaster.h"

#include <QDialog>
#include <QImage>
#include <string>

class QCheckBox;
class QLabel;
class QModelIndex;
class QPushButton;
class QTreeView;

namespace krel {

class TPictureBox;
class TZipListModel;

class TGraphicForm : public QDialog {
    Q_OBJECT
public:
    // baseDir: the game folder; tempDir: the work folder.
    TGraphicForm(const std::string& baseDir, const std::string& tempDir, QWidget* parent = nullptr);
    ~TGraphicForm() override;

    QLabel* Filename;
    QLabel* Size;
    QLabel* Height;
    QLabel* Width;
    TZipMaster ZipMaster;
    QTreeView* ZipListBox;
    TPictureBox* EntryImage;
    QCheckBox* CheckBox1;
    QPushButton* SSHoverText3;
    QPushButton* CloseBut;
    QCheckBox* CheckBox2;

    // Mirrors "Show only that fits frame".
    bool ShowFitting = true;
    // The last clicked member's picture name (its file name without ".png"); empty until a click.
    std::string SelectedName;

    // The previewed picture as decoded (empty until a picture was shown).
    QImage Picture() const;
    TZipListModel* listModel() const { return model_; }

    void FillList();
    void ZipListBoxItemClick(const QModelIndex& index);
    void FileLabelClick();
    void SizeLabelClick();
    void DirLabelClick();
    void CheckBox1Click();
    void CheckBox2Click();
    void CloseButClick();

private:
    void FormCreate(const std::string& baseDir, const std::string& tempDir);
    void buildControls();
    void layOut();
    void connectHandlers();
    void sortBy(bool (*order)(const ZipDirEntry&, const ZipDirEntry&), int column);

    TZipListModel* model_;
};

} // namespace krel
