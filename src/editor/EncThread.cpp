#include "editor/EncThread.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <exception>
#include <stdexcept>

namespace krel {
namespace {

constexpr int kWaitSliceMs = 5;

} // namespace

TEncThread::TEncThread(std::filesystem::path workFolder, QObject* parent)
    : QThread(parent), workFolder_(std::move(workFolder)) {}

TEncThread::~TEncThread() {
    Cancel();
    WaitStopped();
}

void TEncThread::Cancel() {
    cancelled_ = true;
}

void TEncThread::WaitStopped() {
    while (!wait(QDeadlineTimer(kWaitSliceMs)))
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void TEncThread::run() {
    try {
        const auto progress = [this](const std::string& message, int percent) {
            SetProgress(message, percent);
        };
        const auto complete = [this](ParseResult& result) {
            if (Preloaded && Preloaded->AwaitBeforeInstall)
                Preloaded->AwaitBeforeInstall();
            Complete(result);
        };
        if (Preloaded)
            Execute(Preloaded->Bytes, progress, complete);
        else
            Execute(workFolder_, MergeFiles, progress, complete);
    } catch (const std::exception& e) {
        failure_ = e.what();
    } catch (...) {
        failure_ = "Execute()\rUnknown failure";
    }
}

void TEncThread::SetProgress(const std::string& message, int percent) {
    StatusText = message;
    Progress = percent;
    runOnOwnerThread([this] {
        if (OnProgress)
            OnProgress(*this, StatusText, Progress);
    });
}

// Execute hands over the result it has just made and never reads again, so the completion may
// take its records over instead of copying them.
void TEncThread::Complete(ParseResult& result) {
    ResultList = &result;
    runOnOwnerThread([this, &result] {
        if (OnComplete)
            OnComplete(*this, result);
    });
    ResultList = nullptr;
}

// The object lives on the window's thread, so a blocking queued call to it runs there while
// the worker waits; a failure in the call travels back and is raised on the worker.
void TEncThread::runOnOwnerThread(const std::function<void()>& call) {
    throwIfCancelled();
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        this,
        [this, &call, &failure] {
            if (cancelled_)
                return;
            try {
                call();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure)
        std::rethrow_exception(failure);
    throwIfCancelled();
}

void TEncThread::throwIfCancelled() const {
    if (cancelled_)
        throw std::runtime_error("The parse was stopped");
}

} // namespace krel
