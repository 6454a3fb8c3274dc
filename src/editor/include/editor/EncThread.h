#pragma once
// The parser thread. It parses the work files on a worker and reaches the window only through
// calls that run on the window's thread while the worker waits for them: one per progress
// change and one at completion. The window's state is therefore touched only on its own
// thread, and no lock is needed.
//
// Stopping: a window that goes away while a parse runs cancels the thread. From then on the
// worker makes no further call, a call already waiting runs as a no-op, and the worker ends at
// its next progress step. WaitStopped runs those waiting calls itself, so it never deadlocks on
// a worker blocked in a call that the window's event loop would otherwise have to deliver.

#include "encyclopedia/Parser.h"

#include <QThread>
#include <atomic>
#include <filesystem>
#include <functional>
#include <string>

namespace krel {

// The work copies' bytes when the window already holds them, and what the worker waits for
// between the parse and the completion (the work copies being written beside the parse): its
// failure fails the parse, so the records are installed only over work copies in place. Both
// must stay alive until the worker has ended.
struct PreloadedFiles {
    const BytesPair& Bytes;
    std::function<void()> AwaitBeforeInstall;
};

class TEncThread : public QThread {
    Q_OBJECT
public:
    using ProgressHandler =
        std::function<void(TEncThread& sender, const std::string& message, int percent)>;
    // The handler may take the parsed records over: the parse does not read them again.
    using CompleteHandler = std::function<void(TEncThread& sender, ParseResult& list)>;

    // Created suspended: nothing runs before start().
    explicit TEncThread(std::filesystem::path workFolder, QObject* parent = nullptr);
    // Cancels and waits, so the object can be released at any time from the window's thread.
    ~TEncThread() override;

    std::string StatusText;
    int Progress = 0;
    const ParseResult* ResultList = nullptr;   // set just before the completion call
    ProgressHandler OnProgress;                // runs on the thread that created this object
    CompleteHandler OnComplete;                // likewise
    bool MergeFiles = false;                   // read the ".merge" files
    const PreloadedFiles* Preloaded = nullptr; // parsed instead of the files when set

    // Window's thread. Cancel never blocks; it may be called from inside a handler.
    void Cancel();
    bool Cancelled() const { return cancelled_; }
    // Window's thread, outside the handlers: returns once the worker has ended.
    void WaitStopped();

    // After the worker ended: the failure's chained message, empty when the parse succeeded.
    const std::string& Failure() const { return failure_; }

protected:
    void run() override;

private:
    void SetProgress(const std::string& message, int percent);
    void Complete(ParseResult& result);
    void runOnOwnerThread(const std::function<void()>& call);
    void throwIfCancelled() const;

    const std::filesystem::path workFolder_;
    std::atomic<bool> cancelled_ = false;
    std::string failure_;
};

} // namespace krel
