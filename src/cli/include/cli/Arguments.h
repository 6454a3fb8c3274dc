#pragma once
// The command line: a command word, its operands in order, and "--name" or "--name=value"
// options. Each command declares what it accepts; anything else is a usage error.

#include "common/UnitError.h"

#include <map>
#include <string>
#include <vector>

namespace krel::cli {

KREL_UNIT_ERROR(EUsageError);

struct OptionSyntax {
    std::string Name;        // without the leading "--"
    bool TakesValue = false; // "--name=value", or "--name value"
};

struct CommandSyntax {
    std::string Name;
    std::vector<std::string> Operands; // names shown in messages, e.g. "SOURCE"
    std::vector<OptionSyntax> Options;
};

struct Arguments {
    std::string Command;
    std::vector<std::string> Operands;
    std::map<std::string, std::string> Options;

    bool Has(const std::string& name) const { return Options.count(name) != 0; }
    std::string Value(const std::string& name, const std::string& fallback = {}) const;
};

// Parses args (without the program name; args[0] is the command word) by the command's syntax.
// Throws EUsageError for an unknown or repeated option, a missing or surplus operand, or a
// missing option value.
Arguments ParseArguments(const std::vector<std::string>& args, const CommandSyntax& syntax);

} // namespace krel::cli
