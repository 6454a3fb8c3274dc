#include "editor/ParseRunner.h"

#include "editor/EditorGuard.h"
#include "editor/EditorSession.h"
#include "editor/EntryBrowser.h"
#include "editor/ProgressForm.h"
#include "editor/ProgressWindows.h"
#include "encyclopedia/Completion.h"
#include "kit/Dialogs.h"
#include "kit/QtText.h"

#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>

namespace krel {
namespace {

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

MergeOptions mergeOptions(const EditorSession& session) {
    MergeOptions options;
    options.Overwrite = session.Context.Preferences.Overwrite;
    options.Confirm = session.Context.Preferences.Confirm;
    options.Ask = [&session](const std::string& question) {
        return toMergeAnswer(
            ShowMessage(&session.Window, MsgIcon::Confirmation, question,
                        {MsgButton::Yes, MsgButton::No, MsgButton::NoToAll, MsgButton::YesToAll}));
    };
    return options;
}

} // namespace

ParseRunner::ParseRunner(EditorSession& session, ProgressWindows& progress, EntryBrowser& browser)
    : session_(session), progress_(progress), browser_(browser) {}

ParseRunner::~ParseRunner() {
    stopThread();
}

bool ParseRunner::RunParse(bool merge, const PreloadedFiles* preloaded) {
    if (closing_)
        return false;
    progress_.NewProgressForm("Encyclopedia Parsing Progress", "Loading the Encyclopedia ...");
    mergeMode_ = merge;
    startParserThread(merge, preloaded);
    waitForParse();
    thread_->Preloaded = nullptr; // the caller's bytes may go now
    if (TProgressForm* form = progress_.ProgressForm())
        form->close();
    if (thread_->Cancelled())
        return false;
    if (!thread_->Failure().empty())
        throw EEncThreadError(thread_->Failure());
    return true;
}

void ParseRunner::startParserThread(bool merge, const PreloadedFiles* preloaded) {
    stopThread();
    thread_ = std::make_unique<TEncThread>(session_.Paths().WorkFolder);
    thread_->MergeFiles = merge;
    thread_->Preloaded = preloaded;
    thread_->OnComplete = [this](TEncThread& sender, ParseResult& list) {
        ThreadOnComplete(sender, list);
    };
    thread_->OnProgress = [this](TEncThread& sender, const std::string& message, int percent) {
        ThreadOnProgress(sender, message, percent);
    };
}

// The window's thread waits here, in the modal progress window, until the worker has ended.
// Anything else that ends the wait (the window closing, the program quitting) stops the worker
// first; either way the worker has ended when this returns.
void ParseRunner::waitForParse() {
    QEventLoop wait;
    bool ended = false;
    QObject::connect(thread_.get(), &QThread::finished, &wait, [&] {
        ended = true;
        wait.quit();
    });
    TProgressForm* form = progress_.ProgressForm();
    form->setWindowModality(Qt::ApplicationModal);
    form->show();
    parseWait_ = &wait;
    thread_->start();
    wait.exec();
    parseWait_ = nullptr;
    if (!ended)
        thread_->Cancel();
    thread_->WaitStopped();
}

void ParseRunner::Stop() {
    closing_ = true;
    if (thread_)
        thread_->Cancel();
    if (parseWait_)
        parseWait_->quit();
}

void ParseRunner::stopThread() {
    if (!thread_)
        return;
    thread_->Cancel();
    thread_->WaitStopped();
}

void ParseRunner::ThreadOnProgress(TEncThread&, const std::string& message, int percent) {
    editorGuard("ThreadOnProgress()", [&] {
        TProgressForm* form = progress_.ProgressForm();
        if (!form)
            return;
        form->ProcLabel->setText(ToQt(message));
        form->Gauge1->setValue(percent);
    });
}

void ParseRunner::ThreadOnComplete(TEncThread&, ParseResult& list) {
    editorGuard("ThreadOnComplete()", [&] { finishParse(list); });
}

void ParseRunner::finishParse(ParseResult& list) {
    itemsAdded_ = 0;
    itemsChanged_ = 0;
    browser_.Forget();
    if (mergeMode_) {
        MergeResult merged =
            MergeParsed(session_.Records, std::move(list.Records), mergeOptions(session_));
        itemsAdded_ = merged.ItemsAdded;
        itemsChanged_ = merged.ItemsChanged;
    } else {
        InstallParsed(session_.Records, std::move(list.Records));
    }
    if (TProgressForm* form = progress_.ProgressForm())
        form->close();
    session_.Log(ParsedReadyLine(session_.Records));
    browser_.BuildList("");
    browser_.SelectEntry(nullptr);
}

} // namespace krel
