#pragma once
// What the window does with a finished parse: a normal load installs the parsed records plus the
// 26 letter rows; a merge adds new tags and header titles and treats duplicates by the Overwrite
// and Confirm preferences.

#include "encyclopedia/Encyclopedia.h"

#include <functional>
#include <string>
#include <vector>

namespace krel {

void InstallParsed(Encyclopedia& encyclopedia, const std::vector<T_EncEntry>& parsed);
// The same, taking the parsed records over instead of copying them.
void InstallParsed(Encyclopedia& encyclopedia, std::vector<T_EncEntry>&& parsed);

enum class MergeAnswer { Yes, No, NoToAll, YesToAll };

struct MergeOptions {
    bool Overwrite = true; // "Current Encyclopedia Overwrites Merged:"
    bool Confirm = false;  // "Overwrite Confirm:"
    // Asked "Duplicate entry found for the tag \"X\".  Overwrite?" when Overwrite is off and
    // Confirm on; an empty function answers No.
    std::function<MergeAnswer(const std::string& question)> Ask;
};

struct MergeResult {
    int ItemsAdded = 0;
    int ItemsChanged = 0;
};

MergeResult MergeParsed(Encyclopedia& encyclopedia, const std::vector<T_EncEntry>& parsed,
                        const MergeOptions& options);
// The same, taking the parsed records over instead of copying them.
MergeResult MergeParsed(Encyclopedia& encyclopedia, std::vector<T_EncEntry>&& parsed,
                        const MergeOptions& options);

// "Encyclopedia Parsed and ready.  N entries found."
std::string ParsedReadyLine(const Encyclopedia& encyclopedia);

} // namespace krel
