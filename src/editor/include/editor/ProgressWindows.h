#pragma once
// The editor window's progress windows: each load and each ZIP command gets a fresh one, owned
// by the window, and the latest stays (closed) until the next. The ZIP component's progress
// reports drive the latest one during a ZIP batch.

#include "archive/ZipMaster.h"

#include <QPointer>
#include <cstdint>
#include <string>

class QWidget;

namespace krel {

class TProgressForm;

class ProgressWindows {
public:
    explicit ProgressWindows(QWidget& owner) : owner_(owner) {}

    // A fresh progress window with the given caption and step text; the previous one goes.
    TProgressForm* NewProgressForm(const std::string& caption, const std::string& step);
    // The latest progress window (ProgressForm), or nullptr.
    TProgressForm* ProgressForm() const;

    // OnProgress of the window's ZIP component: moves the gauge, names the file being worked
    // on, and closes the window at the end of the batch.
    void ZipMaster1Progress(TZipMaster& sender, ProgressType type, const std::string& fileName,
                            int64_t fileSize);

private:
    QWidget& owner_;
    QPointer<TProgressForm> latest_;
    int32_t zipTotalSize_ = 0; // bytes announced for the current batch
    int32_t zipDoneSize_ = 0;  // bytes reported done in it
};

} // namespace krel
