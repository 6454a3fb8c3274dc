#pragma once
// Parsing the work files on the parser thread behind a modal progress window, for the first load
// and for reset, import and merge. The completion installs the parsed records as EntryList (or
// merges them into it), builds the list and shows the default page.

#include "editor/EncThread.h"

#include <memory>

class QEventLoop;

namespace krel {

class EntryBrowser;
class ProgressWindows;
struct EditorSession;

class ParseRunner {
public:
    ParseRunner(EditorSession& session, ProgressWindows& progress, EntryBrowser& browser);
    // Stops a running parse and waits for the worker.
    ~ParseRunner();
    ParseRunner(const ParseRunner&) = delete;
    ParseRunner& operator=(const ParseRunner&) = delete;

    // Runs a parse of the work files (merge: the ".merge" files, merged into EntryList) behind
    // the modal progress window. Returns true when the parse completed, false when the window
    // was closed meanwhile; a failed parse raises its chained message and leaves EntryList,
    // the counters and the list as they were. With preloaded, its bytes are parsed instead of
    // the work files.
    bool RunParse(bool merge, const PreloadedFiles* preloaded = nullptr);
    void ThreadOnProgress(TEncThread& sender, const std::string& message, int percent);
    // Takes the parsed records over.
    void ThreadOnComplete(TEncThread& sender, ParseResult& list);
    // The window is closing: a running parse stops and no other starts.
    void Stop();

    // The last parser thread started (ParserThread), or nullptr.
    TEncThread* ParserThread() const { return thread_.get(); }
    // Whether the running (or last) parse is a merge (MergeMode).
    bool MergeMode() const { return mergeMode_; }
    // What the last merge added and changed.
    int ItemsAdded() const { return itemsAdded_; }
    int ItemsChanged() const { return itemsChanged_; }

private:
    void startParserThread(bool merge, const PreloadedFiles* preloaded);
    void waitForParse();
    void finishParse(ParseResult& list);
    void stopThread();

    EditorSession& session_;
    ProgressWindows& progress_;
    EntryBrowser& browser_;
    std::unique_ptr<TEncThread> thread_;
    bool mergeMode_ = false;
    int itemsAdded_ = 0;
    int itemsChanged_ = 0;
    QEventLoop* parseWait_ = nullptr;
    bool closing_ = false;
};

} // namespace krel
