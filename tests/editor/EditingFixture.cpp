#include "EditingFixture.h"

#include "dialogs/AddForm.h"
#include "editor/EntryListModel.h"
#include "support/ModalDriver.h"

#include <QApplication>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace krel::test {
namespace {

template <class Dialog>
void whenDialog(std::function<bool(Dialog&)> fill, QPushButton* Dialog::*confirm) {
    WhenModalShown([fill, confirm](QWidget* shown) {
        auto* dialog = qobject_cast<Dialog*>(shown);
        ASSERT_NE(dialog, nullptr) << "another dialog came up";
        if (fill(*dialog))
            QTest::mouseClick(dialog->*confirm, Qt::LeftButton);
        else
            dialog->reject();
    });
}

} // namespace

TEncEditorMain& EditingTest::openWith(const std::vector<T_EncEntry>& records) {
    writeStringArchive(records);
    writePictures({{"Planets\\Ardent.png", PngBytes(130, 82, 0x3060A0)}});
    dialogs.answer(MsgButton::Ok);
    return open();
}

void EditingTest::whenEntryEditor(std::function<bool(TEncEntryEditor&)> fill) {
    whenDialog<TEncEntryEditor>(std::move(fill), &TEncEntryEditor::Apply);
}

void EditingTest::whenHeaderEditor(std::function<bool(THeaderEditor&)> fill) {
    whenDialog<THeaderEditor>(std::move(fill), &THeaderEditor::Apply);
}

void EditingTest::whenAddChooser(bool header) {
    whenDialog<TAddForm>(
        [header](TAddForm& chooser) {
            (header ? chooser.Header : chooser.Entry)->click();
            return true;
        },
        &TAddForm::SSHoverText1);
}

void EditingTest::key(int key, Qt::KeyboardModifiers modifiers) {
    QApplication::setActiveWindow(frame.get());
    auto* list = control<QListView>("EntryListBox");
    list->setFocus();
    QTest::keyClick(list, static_cast<Qt::Key>(key), modifiers);
}

void EditingTest::drag(const std::string& from, const std::string& to) {
    auto* list = control<QListView>("EntryListBox");
    const QPoint start = list->visualRect(listRows().index(rowOf(from))).center();
    const QPoint end = list->visualRect(listRows().index(rowOf(to))).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(list->viewport(), start + QPoint(0, 1));
    QTest::mouseMove(list->viewport(), end);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, end);
}

} // namespace krel::test
