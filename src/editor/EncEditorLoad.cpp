// The editor window from its creation to the browsing state: the ZIP component, the work
// copies of the two text files, the parser thread behind the progress window, the ZIP progress
// reports, and closing.

#include "archive/InstallZipFiles.h"
#include "common/AtomicFile.h"
#include "common/DebugOutput.h"
#include "editor/EditorGuard.h"
#include "editor/EncEditorMain.h"
#include "editor/EntryListModel.h"
#include "editor/ProgressForm.h"
#include "kit/DebugLog.h"
#include "kit/Dialogs.h"
#include "kit/QtText.h"
#include "settings/Paths.h"

#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <cmath>
#include <stdexcept>

namespace krel {
namespace {

constexpr const char* kExtractingNow =
    "Could not locate extracted Encyclopedia entries.  Extracting now.";

// The part of a reported name after its last backslash or colon.
std::string fileNamePart(const std::string& name) {
    size_t cut = name.find_last_of("\\:");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

MergeAnswer toMergeAnswer(MsgButton button) {
    switch (button) {
    case MsgButton::Yes:
        return MergeAnswer::Yes;
    case MsgButton::NoToAll:
        return MergeAnswer::NoToAll;
    case MsgButton::YesToAll:
        return MergeAnswer::YesToAll;
    default:
        return MergeAnswer::No;
    }
}

} // namespace

void TEncEditorMain::FormCreate() {
    editorGuard("FormCreate()", [this] {
        TOC->setChecked(true);
        SubjectIndex->setChecked(false);
        ZipFolder = InstallZipFiles(context_.Preferences.General.TempDir);
        ZipMaster1.SetDLLDirectory(ZipFolder);
        const EditorPaths paths = Paths();
        ZipMaster1.SetZipFileName(paths.StringArchive);
        appendArchiveListing();
        log("Do we need default Encyclopedia entries?");
        NeedDefaults = !paths.HasLooseFiles();
        log(NeedDefaults ? "-> Yes" : "-> No");
    });
}

void TEncEditorMain::appendArchiveListing() {
    const std::string archive = PathText(Paths().StringArchive);
    log("Processing " + archive + ".");
    for (const ZipDirEntry& entry : ZipMaster1.ZipContents())
        log("-> .mob Entry: " + entry.FileName + "Size: " + std::to_string(entry.UncompressedSize));
    log("Finished processing " + archive + ".");
}

void TEncEditorMain::FormShow() {
    editorGuard("FormShow()", [this] {
        putWorkCopies(Paths());
        log("Launching Parser Thread ...");
        if (!RunParse(false))
            return;
        log("Parser thread completed ...");
        SetStatus("Status: Browsing Encyclopedia");
    });
}

// The loose files of an installed encyclopedia win; without both, the game's own copy is
// taken from the string archive.
void TEncEditorMain::putWorkCopies(const EditorPaths& paths) {
    if (!NeedDefaults) {
        ReplaceFilesWithCopies(
            {{paths.Work.Contents, paths.Loose.Contents}, {paths.Work.Titles, paths.Loose.Titles}});
        return;
    }
    ShowMessage(this, MsgIcon::Information, kExtractingNow);
    std::string contents = extractWorkCopy(kArchiveContentsMember);
    std::string titles = extractWorkCopy(kArchiveTitlesMember);
    // Written as one pair: an interruption never leaves one file new and the other old.
    ReplaceFilesAtomically(
        {{paths.Work.Contents, std::move(contents)}, {paths.Work.Titles, std::move(titles)}});
    log("Extraction completed.");
}

std::string TEncEditorMain::extractWorkCopy(std::string_view member) {
    log("-> Extracting " + std::string(member));
    TZipStream* stream = ZipMaster1.ExtractFileToStream(std::string(member));
    if (!stream)
        throw std::runtime_error("Could not extract " + std::string(member) + " from " +
                                 PathText(ZipMaster1.ZipFileName()));
    return stream->Bytes();
}

void TEncEditorMain::FormClose() {
    editorGuard("FormClose()", [this] {
        closing_ = true;
        if (ParserThread)
            ParserThread->Cancel();
        if (parseWait_)
            parseWait_->quit();
    });
}

void TEncEditorMain::CloseButClick() {
    editorGuard("CloseButClick()", [this] { close(); });
}

void TEncEditorMain::SetStatus(const std::string& text) {
    editorGuard("SetStatus()", [&] { StatusPanel1->setText(ToQt(text)); });
}

TProgressForm* TEncEditorMain::NewProgressForm(const std::string& caption,
                                               const std::string& step) {
    if (ProgressForm)
        ProgressForm->deleteLater();
    ProgressForm = new TProgressForm(this);
    ProgressForm->setCaption(ToQt(caption));
    ProgressForm->ProcLabel->setText(ToQt(step));
    return ProgressForm;
}

void TEncEditorMain::ZipMaster1Progress(TZipMaster&, ProgressType type, const std::string& fileName,
                                        int64_t fileSize) {
    editorGuard("ZipProgress()", [&] {
        if (!ProgressForm)
            return;
        const auto size = static_cast<int32_t>(fileSize);
        switch (type) {
        case ProgressType::TotalSize2Process:
            DebugOutput("Total Size to Process: %d", size);
            ZipTotalSize = size;
            ZipDoneSize = 0;
            break;
        case ProgressType::TotalFiles2Process:
            DebugOutput("Total Files to Process: %d", size);
            break;
        case ProgressType::ProgressUpdate:
            ZipDoneSize += size;
            // Before any total is announced the gauge stays at its start.
            ProgressForm->Gauge1->setValue(
                ZipTotalSize > 0 ? static_cast<int>(std::trunc(100.0 * ZipDoneSize / ZipTotalSize))
                                 : 0);
            break;
        case ProgressType::EndOfBatch:
            DebugOutput("End of batch");
            ProgressForm->close();
            break;
        case ProgressType::NewFile:
            ProgressForm->ProcLabel->setText(ToQt("Processing file: " + fileNamePart(fileName)));
            break;
        }
    });
}

bool TEncEditorMain::RunParse(bool merge) {
    if (closing_)
        return false;
    NewProgressForm("Encyclopedia Parsing Progress", "Loading the Encyclopedia ...");
    MergeMode = merge;
    startParserThread(merge);
    waitForParse();
    if (ProgressForm)
        ProgressForm->close();
    if (ParserThread->Cancelled())
        return false;
    if (!ParserThread->Failure().empty())
        throw EEncThreadError(ParserThread->Failure());
    return true;
}

void TEncEditorMain::startParserThread(bool merge) {
    stopParse();
    ParserThread = std::make_unique<TEncThread>(Paths().WorkFolder);
    ParserThread->MergeFiles = merge;
    ParserThread->OnComplete = [this](TEncThread& sender, const ParseResult& list) {
        ThreadOnComplete(sender, list);
    };
    ParserThread->OnProgress = [this](TEncThread& sender, const std::string& message, int percent) {
        ThreadOnProgress(sender, message, percent);
    };
}

// The window's thread waits here, in the modal progress window, until the worker has ended.
// Anything else that ends the wait (the window closing, the program quitting) stops the worker
// first; either way the worker has ended when this returns.
void TEncEditorMain::waitForParse() {
    QEventLoop wait;
    bool ended = false;
    connect(ParserThread.get(), &QThread::finished, &wait, [&] {
        ended = true;
        wait.quit();
    });
    ProgressForm->setWindowModality(Qt::ApplicationModal);
    ProgressForm->show();
    parseWait_ = &wait;
    ParserThread->start();
    wait.exec();
    parseWait_ = nullptr;
    if (!ended)
        ParserThread->Cancel();
    ParserThread->WaitStopped();
}

void TEncEditorMain::stopParse() {
    if (!ParserThread)
        return;
    ParserThread->Cancel();
    ParserThread->WaitStopped();
}

void TEncEditorMain::ThreadOnProgress(TEncThread&, const std::string& message, int percent) {
    editorGuard("ThreadOnProgress()", [&] {
        if (!ProgressForm)
            return;
        ProgressForm->ProcLabel->setText(ToQt(message));
        ProgressForm->Gauge1->setValue(percent);
    });
}

void TEncEditorMain::ThreadOnComplete(TEncThread&, const ParseResult& list) {
    editorGuard("ThreadOnComplete()", [&] { finishParse(list); });
}

void TEncEditorMain::finishParse(const ParseResult& list) {
    ItemsAdded = 0;
    ItemsChanged = 0;
    forgetRecords();
    if (MergeMode) {
        MergeResult merged = MergeParsed(EntryList, list.Records, mergeOptions());
        ItemsAdded = merged.ItemsAdded;
        ItemsChanged = merged.ItemsChanged;
    } else {
        InstallParsed(EntryList, list.Records);
    }
    if (ProgressForm)
        ProgressForm->close();
    log(ParsedReadyLine(EntryList));
    BuildList("");
    SelectEntry(nullptr);
}

MergeOptions TEncEditorMain::mergeOptions() {
    MergeOptions options;
    options.Overwrite = context_.Preferences.Overwrite;
    options.Confirm = context_.Preferences.Confirm;
    options.Ask = [this](const std::string& question) {
        return toMergeAnswer(
            ShowMessage(this, MsgIcon::Confirmation, question,
                        {MsgButton::Yes, MsgButton::No, MsgButton::NoToAll, MsgButton::YesToAll}));
    };
    return options;
}

// The list rows, the display and the links refer to records; they let go of them before the
// records are replaced, so nothing ever refers to a released record.
void TEncEditorMain::forgetRecords() {
    EntryRows->Clear();
    CurrentEntry = nullptr;
    clearDisplay();
}

} // namespace krel
