// The ZIP component's progress reports drive the latest progress window.

#include "EditorFixture.h"
#include "common/DebugOutput.h"
#include "editor/ProgressForm.h"
#include "editor/ProgressWindows.h"

#include <QLabel>
#include <QProgressBar>

namespace krel::test {
namespace {

class ProgressTest : public EditorTest {
protected:
    void SetUp() override {
        previousSink_ = SetDebugOutputSink([this](const std::string& line) {
            traces.push_back(line.substr(line.find(" - ") + 3));
        });
    }
    void TearDown() override { SetDebugOutputSink(previousSink_); }

    void report(ProgressType type, const std::string& name, int64_t size) {
        editor->Progress().ZipMaster1Progress(editor->ZipMaster1(), type, name, size);
    }

    std::vector<std::string> traces;

private:
    DebugSink previousSink_;
};

TEST_F(ProgressTest, BatchMovesTheGaugeNamesTheFileAndCloses) {
    TEncEditorMain& window = openSmall();
    TProgressForm* form =
        window.Progress().NewProgressForm("Creating ZIP file", "Processing file:");
    form->show();
    traces.clear();

    report(ProgressType::ProgressUpdate, "", 5);
    EXPECT_EQ(form->Gauge1->value(), 0) << "no total announced yet";
    report(ProgressType::TotalFiles2Process, "", 2);
    report(ProgressType::TotalSize2Process, "", 3);
    report(ProgressType::NewFile, "C:\\Work\\wStrings\\wsEncyclopedia.txt", 3);
    EXPECT_EQ(form->ProcLabel->text().toStdString(), "Processing file: wsEncyclopedia.txt");
    report(ProgressType::ProgressUpdate, "", 1);
    EXPECT_EQ(form->Gauge1->value(), 33);
    report(ProgressType::ProgressUpdate, "", 1);
    EXPECT_EQ(form->Gauge1->value(), 66);
    report(ProgressType::EndOfBatch, "", 0);

    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(traces, (std::vector<std::string>{"Total Files to Process: 2",
                                                "Total Size to Process: 3", "End of batch"}));
}

} // namespace
} // namespace krel::test
