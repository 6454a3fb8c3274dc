#include "editor/ProgressWindows.h"

#include "common/DebugOutput.h"
#include "editor/EditorGuard.h"
#include "editor/ProgressForm.h"
#include "kit/QtText.h"

#include <QLabel>
#include <QProgressBar>
#include <cmath>

namespace krel {
namespace {

// The part of a reported name after its last backslash or colon.
std::string fileNamePart(const std::string& name) {
    size_t cut = name.find_last_of("\\:");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

} // namespace

TProgressForm* ProgressWindows::NewProgressForm(const std::string& caption,
                                                const std::string& step) {
    if (latest_)
        latest_->deleteLater();
    latest_ = new TProgressForm(&owner_);
    latest_->setCaption(ToQt(caption));
    latest_->ProcLabel->setText(ToQt(step));
    return latest_;
}

TProgressForm* ProgressWindows::ProgressForm() const {
    return latest_;
}

void ProgressWindows::ZipMaster1Progress(TZipMaster&, ProgressType type,
                                         const std::string& fileName, int64_t fileSize) {
    editorGuard("ZipProgress()", [&] {
        if (!latest_)
            return;
        const auto size = static_cast<int32_t>(fileSize);
        switch (type) {
        case ProgressType::TotalSize2Process:
            DebugOutput("Total Size to Process: %d", size);
            zipTotalSize_ = size;
            zipDoneSize_ = 0;
            break;
        case ProgressType::TotalFiles2Process:
            DebugOutput("Total Files to Process: %d", size);
            break;
        case ProgressType::ProgressUpdate:
            zipDoneSize_ += size;
            // Before any total is announced the gauge stays at its start.
            latest_->Gauge1->setValue(zipTotalSize_ > 0 ? static_cast<int>(std::trunc(
                                                              100.0 * zipDoneSize_ / zipTotalSize_))
                                                        : 0);
            break;
        case ProgressType::EndOfBatch:
            DebugOutput("End of batch");
            latest_->close();
            break;
        case ProgressType::NewFile:
            latest_->ProcLabel->setText(ToQt("Processing file: " + fileNamePart(fileName)));
            break;
        }
    });
}

} // namespace krel
