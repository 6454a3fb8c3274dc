#pragma once
// Placing the ZIP libraries in the work folder. On this platform the compression libraries are
// linked into the program, so there is nothing to write: the routine only forms the ZIP folder
// (the work folder with a trailing separator), which every ZIP component takes as its
// DLLDirectory. Nothing here looks for "UnzDLL.DLL" or "ZipDLL.DLL", so their absence never
// fails a check.

#include "common/UnitError.h"

#include <string>

namespace krel {

KREL_UNIT_ERROR(EZipInstallError);

// The work folder with a trailing separator ("/" or "\" is kept when already there). Raises
// EZipInstallError "InstallZipFiles()", CR, message when the work folder is not a folder.
std::string InstallZipFiles(const std::string& workFolder);

} // namespace krel
