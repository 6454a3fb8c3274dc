#pragma once
// The commands of krel-encyclopedia. Each reads its parsed arguments, writes its whole output
// to out and returns the exit status; failures are raised.

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
