#include "cli/Arguments.h"

#include <algorithm>

namespace krel::cli {
namespace {

bool isOption(const std::string& arg) {
    return arg.size() > 2 && arg.rfind("--", 0) == 0;
}

const OptionSyntax& findOption(const CommandSyntax& syntax, const std::string& name) {
    auto found = std::find_if(syntax.Options.begin(), syntax.Options.end(),
                              [&](const OptionSyntax& option) { return option.Name == name; });
    if (found == syntax.Options.end())
        throw EUsageError("unknown option '--" + name + "' for '" + syntax.Name + "'");
    return *found;
}

// Reads the option at args[i]; advances i past a value given as a separate argument.
void takeOption(const std::vector<std::string>& args, size_t& i, const CommandSyntax& syntax,
                Arguments& parsed) {
    std::string text = args[i].substr(2);
    size_t equals = text.find('=');
    std::string name = text.substr(0, equals);
    const OptionSyntax& option = findOption(syntax, name);
    std::string value;
    if (equals != std::string::npos) {
        if (!option.TakesValue)
            throw EUsageError("option '--" + name + "' takes no value");
        value = text.substr(equals + 1);
    } else if (option.TakesValue) {
        if (++i >= args.size())
            throw EUsageError("option '--" + name + "' needs a value");
        value = args[i];
    }
    if (!parsed.Options.emplace(name, value).second)
        throw EUsageError("option '--" + name + "' given twice");
}

void checkOperandCount(const Arguments& parsed, const CommandSyntax& syntax) {
    size_t have = parsed.Operands.size();
    if (have < syntax.Operands.size())
        throw EUsageError("'" + syntax.Name + "' needs " + syntax.Operands[have]);
    if (have > syntax.Operands.size())
        throw EUsageError("unexpected argument '" + parsed.Operands[syntax.Operands.size()] +
                          "' for '" + syntax.Name + "'");
}

} // namespace

std::string Arguments::Value(const std::string& name, const std::string& fallback) const {
    auto found = Options.find(name);
    return found == Options.end() ? fallback : found->second;
}

Arguments ParseArguments(const std::vector<std::string>& args, const CommandSyntax& syntax) {
    Arguments parsed;
    parsed.Command = syntax.Name;
    for (size_t i = 1; i < args.size(); ++i) {
        if (isOption(args[i]))
            takeOption(args, i, syntax, parsed);
        else
            parsed.Operands.push_back(args[i]);
    }
    checkOperandCount(parsed, syntax);
    return parsed;
}

} // namespace krel::cli
