#pragma once
// The editor window with its editing commands driven as a user drives them: buttons, keys,
// mouse drags in the list, and the real dialogs filled in and confirmed.

#include "EditorFixture.h"
#include "dialogs/EntryEditor.h"
#include "dialogs/HeaderEditor.h"

#include <functional>

namespace krel::test {

class EditingTest : public EditorTest {
protected:
    // Loads records (with a picture archive) and waits for the window to show them.
    TEncEditorMain& openWith(const std::vector<T_EncEntry>& records);

    // Once the next dialog of type Dialog is up, fill runs on it and its confirm button is
    // clicked (fill may return false to cancel instead).
    void whenEntryEditor(std::function<bool(TEncEntryEditor&)> fill);
    void whenHeaderEditor(std::function<bool(THeaderEditor&)> fill);
    // Answers the add chooser: header or entry, then Next.
    void whenAddChooser(bool header);

    // Types a key into the list, with the frame as the active window so the window's keys work.
    void key(int key, Qt::KeyboardModifiers modifiers = {});
    // Presses on the row showing from, moves to the row showing to, and releases there.
    void drag(const std::string& from, const std::string& to);
    std::vector<T_EncEntry> records() const { return editor->EntryList().Snapshot(); }
    std::string content(const std::string& tag) const { return entry(tag)->Content; }
};

} // namespace krel::test
