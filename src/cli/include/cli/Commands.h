#pragma once
// The commands of krel-encyclopedia. Each reads its parsed arguments, does every part of its
// work that can fail, and only then writes its output to out, piece by piece (a large output
// is never held whole); it returns the exit status, and failures are raised.

#include "cli/Arguments.h"
#include "cli/Json.h"

#include <ostream>

namespace krel::cli {

int RunDump(const Arguments& args, std::ostream& out);
int RunToc(const Arguments& args, std::ostream& out);
int RunIndex(const Arguments& args, std::ostream& out);
int RunSearch(const Arguments& args, std::ostream& out);
int RunSave(const Arguments& args, std::ostream& out);
int RunMerge(const Arguments& args, std::ostream& out);
int RunDiff(const Arguments& args, std::ostream& out);
int RunCheck(const Arguments& args, std::ostream& out);
int RunPictures(const Arguments& args, std::ostream& out);
int RunPack(const Arguments& args, std::ostream& out);

// Writes JSON the way every command prints it.
void PrintJson(std::ostream& out, const Json& json);

} // namespace krel::cli
