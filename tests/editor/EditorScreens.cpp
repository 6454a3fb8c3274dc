// editor_screens GAME OUT: opens the editor window on a game folder and saves pictures of the
// frame with the table of contents, the subject index, an entry with its picture and links,
// the progress window, the search that finds nothing and the dialogs the editor opens, so their
// look can be checked without a display (run it under xvfb-run). Every box is answered with OK.
// The program's own list of entry-sized pictures (view.txt) goes along into the private program
// folder, so the graphic browser lists the game's pictures and shows the first.

#include "dialogs/AddForm.h"
#include "dialogs/EntryEditor.h"
#include "dialogs/ExportForm.h"
#include "dialogs/GraphicForm.h"
#include "dialogs/HeaderEditor.h"
#include "dialogs/ListAdd.h"
#include "dialogs/ZipListModel.h"
#include "editor/EncEditorMain.h"
#include "editor/EntryBrowser.h"
#include "editor/EntryListModel.h"
#include "editor/ProgressForm.h"
#include "frame/MainForm.h"
#include "kit/Dialogs.h"
#include "kit/GuiGuard.h"
#include "settings/Paths.h"
#include "skin/Skin.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <cstdio>
#include <filesystem>

namespace {
namespace fs = std::filesystem;
using namespace krel;

class AnswerOk : public DialogService {
public:
    MsgButton message(QWidget*, const MessageCall&) override { return MsgButton::Ok; }
    QStringList openFiles(QWidget*, const QString&, const QString&, bool, const QString&) override {
        return {};
    }
    std::optional<QString> chooseFolder(QWidget*, const QString&) override { return {}; }
};

void save(QWidget* window, const fs::path& file) {
    QTest::qWait(200);
    if (!window->grab().save(QString::fromStdString(file.string()), "PNG"))
        std::fprintf(stderr, "could not save %s\n", file.c_str());
}

void saveDialog(QWidget& dialog, const fs::path& file) {
    dialog.show();
    save(&dialog, file);
    dialog.close();
}

void saveDialogs(TEncEditorMain& editor, const T_EncEntry& rich, const fs::path& game,
                 const fs::path& work, const fs::path& out) {
    const Encyclopedia& records = editor.EntryList();
    TEncEntryEditor entryEditor(records, &editor);
    entryEditor.Edit(rich, records.IdOf(&rich), editor.Browser().Picture());
    entryEditor.setWindowTitle(QStringLiteral("Editing Entry"));
    saveDialog(entryEditor, out / "entry-editor.png");
    THeaderEditor headerEditor(records, &editor);
    headerEditor.NewHeader("0099");
    saveDialog(headerEditor, out / "header-editor.png");
    TListAdd picker(&editor);
    picker.Entries = &records;
    picker.Mode = lmEntries;
    saveDialog(picker, out / "picker.png");
    TGraphicForm browser(game.string(), work.string(), &editor);
    const QModelIndex first = browser.listModel()->index(0, 0);
    if (first.isValid()) {
        browser.ZipListBox->setCurrentIndex(first);
        browser.ZipListBoxItemClick(first);
    }
    saveDialog(browser, out / "graphic-browser.png");
    TExportForm exportForm(&editor);
    saveDialog(exportForm, out / "export.png");
    TAddForm addForm(&editor);
    saveDialog(addForm, out / "add.png");
}

int firstRichEntry(const EntryListModel& rows) {
    for (int row = 0; row < rows.rowCount(); ++row) {
        const T_EncEntry* record = rows.Record(row);
        if (record->Kind == ekEntry && !record->Image.empty() && !record->Related.empty())
            return row;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: editor_screens GAME OUT\n");
        return 2;
    }
    KrelApplication app(argc, argv);
    skin::ApplyToApplication(app);
    AnswerOk answers;
    InstallDialogs(&answers);
    const fs::path game = fs::absolute(argv[1]);
    const fs::path out = fs::absolute(argv[2]);
    fs::create_directories(out);
    // Looked up before the private world hides the program's own folder.
    const std::optional<fs::path> fitting = FindDataFile("view.txt");
    test::TestEnvironment env;
    if (fitting)
        fs::copy_file(*fitting, env.programFolder() / "view.txt");
    else
        std::fprintf(stderr, "view.txt not found: the graphic browser will list nothing\n");
    fs::create_directories(env.root() / "work");
    env.writeUserSettings(test::StoredSettings(game.string(), (env.root() / "work").string()));

    TKrelEditMainForm frame;
    frame.show();
    QTest::qWait(200);
    QTimer::singleShot(50, [&out] {
        if (auto* form = qobject_cast<TProgressForm*>(QApplication::activeModalWidget()))
            form->grab().save(QString::fromStdString((out / "progress.png").string()), "PNG");
    });
    frame.OpenEncyclopediaEditor1Click();
    auto* editor = qobject_cast<TEncEditorMain*>(frame.editorWindow());
    if (!editor)
        return 1;
    save(&frame, out / "toc.png");
    EntryListModel& rows = editor->Browser().Rows();
    const int rich = firstRichEntry(rows);
    editor->findChild<QListView*>(QStringLiteral("EntryListBox"))
        ->setCurrentIndex(rows.index(rich));
    editor->Browser().EntryListBoxItemClick(rich);
    save(&frame, out / "entry.png");
    saveDialogs(*editor, *rows.Record(rich), game, env.root() / "work", out);
    auto* findText = editor->findChild<QLineEdit*>(QStringLiteral("FindText"));
    findText->setText(QStringLiteral("nothing"));
    QTest::keyClick(findText, Qt::Key_Return);
    save(&frame, out / "search-nothing.png");
    editor->findChild<QPushButton*>(QStringLiteral("SubjectIndex"))->click();
    save(&frame, out / "subject-index.png");
    return 0;
}
