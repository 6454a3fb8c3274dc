// Closing the editor, or the whole program, while the parser thread is still working: the
// worker is stopped and waited for, nothing is reported and nothing crashes.

#include "EditorFixture.h"
#include "common/AtomicFile.h"
#include "editor/ParseRunner.h"
#include "editor/ProgressForm.h"

#include <QApplication>
#include <QProgressBar>
#include <QTimer>

namespace krel::test {
namespace {

// Runs action inside the first progress report that moves the gauge, that is while the
// worker waits for the window's thread.
class DuringParse : public QObject {
public:
    explicit DuringParse(std::function<void()> action) : action_(std::move(action)) {
        qApp->installEventFilter(this);
    }
    ~DuringParse() override { qApp->removeEventFilter(this); }
    bool ran = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* form = qobject_cast<TProgressForm*>(watched);
        if (form && event->type() == QEvent::Show)
            connect(form->Gauge1, &QProgressBar::valueChanged, this, [this] {
                if (!std::exchange(ran, true))
                    action_();
            });
        return false;
    }

private:
    std::function<void()> action_;
};

class ParseThreadTest : public EditorTest {
protected:
    void SetUp() override {
        std::vector<T_EncEntry> records = SmallEncyclopedia();
        for (int i = 0; i < 400; ++i)
            records.push_back({ekEntry, "Entry " + std::to_string(i), "", "", "", "Text.",
                               "N" + std::to_string(100 + i)});
        writeLooseFiles(TitlesBytes(records), ContentsBytes(records));
    }

    void finishDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(ParseThreadTest, ClosingTheEditorDuringAProgressReportStopsTheParse) {
    DuringParse closeEditor([this] { frame->editorWindow()->close(); });

    open();
    finishDeletes();

    EXPECT_TRUE(closeEditor.ran);
    EXPECT_EQ(editor, nullptr);
    EXPECT_EQ(frame->editorWindow(), nullptr);
    EXPECT_FALSE(InOrder(log(), {"Parser thread completed ..."}));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ParseThreadTest, ClosingTheProgramDuringAParseWaitsForTheWorker) {
    DuringParse closeProgram([this] { frame->close(); });

    open();
    finishDeletes();

    EXPECT_TRUE(closeProgram.ran);
    EXPECT_EQ(editor, nullptr);
    EXPECT_TRUE(dialogs.messages.empty());
    frame.reset();
}

TEST_F(ParseThreadTest, EndingTheEventLoopsDuringAParseStopsTheWorker) {
    // The worker goes on to its next report, which nobody delivers once the loops have ended.
    DuringParse quit([] { QCoreApplication::exit(0); });

    TEncEditorMain& window = open();
    // The ended loops leave the application quitting; a run of its own loop clears that again.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();

    EXPECT_TRUE(quit.ran);
    EXPECT_TRUE(window.Parser().ParserThread()->isFinished());
    EXPECT_EQ(window.EntryList().Count(), 0u);
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
} // namespace krel::test
