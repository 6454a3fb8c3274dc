#include "settings/WinePrefix.h"

#include "settings/AsciiCase.h"
#include "settings/GamePath.h"
#include "settings/Paths.h"
#include "settings/Preferences.h"

#include <algorithm>
#include <cctype>

namespace krel {
namespace fs = std::filesystem;
namespace {

constexpr const char* kGameKey32On64 = "SOFTWARE\\Wow6432Node\\Corvane\\Vastreach III";
constexpr std::string_view kGameMaker = "corvane";
constexpr const char* kEnvironmentKey =
    "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr const char* kCurrentVersionKey = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kNtCurrentVersionKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
// Variables naming each other, or one named many times, must not make the text grow without
// end; Windows itself allows no longer value.
constexpr int kMaxExpansionDepth = 8;
constexpr size_t kMaxExpandedLength = 32767;

bool mentions(std::string_view text, std::string_view lowerWord) {
    auto found = std::search(text.begin(), text.end(), lowerWord.begin(), lowerWord.end(),
                             [](char a, char b) { return LowerAscii(a) == b; });
    return found != text.end();
}

bool isMachineHive(const WineRegistry& registry) {
    return registry.root().empty() || SameIgnoringCase(registry.root(), "\\Machine");
}

// The variables Windows sets from the registry rather than from the environment key.
std::optional<std::string> derivedVariable(const WineRegistry& machine, std::string_view name) {
    static const struct {
        const char* name;
        const char* key;
        const char* value;
    } derived[] = {
        {"ProgramFiles", kCurrentVersionKey, "ProgramFilesDir"},
        {"ProgramFiles(x86)", kCurrentVersionKey, "ProgramFilesDir (x86)"},
        {"CommonProgramFiles", kCurrentVersionKey, "CommonFilesDir"},
        {"SystemRoot", kNtCurrentVersionKey, "SystemRoot"},
        {"windir", kNtCurrentVersionKey, "SystemRoot"},
    };
    for (const auto& variable : derived)
        if (SameIgnoringCase(name, variable.name))
            return machine.findText(variable.key, variable.value);
    if (SameIgnoringCase(name, "SystemDrive"))
        return "C:";
    return std::nullopt;
}

std::optional<std::string> variable(const WineRegistry& machine, std::string_view name) {
    if (auto value = machine.findText(kEnvironmentKey, name))
        return value;
    return derivedVariable(machine, name);
}

std::string expand(const WineRegistry& machine, std::string_view text, int depth) {
    std::string out;
    size_t at = 0;
    for (size_t open; out.size() <= kMaxExpandedLength &&
                      (open = text.find('%', at)) != std::string_view::npos;) {
        size_t close = text.find('%', open + 1);
        if (close == std::string_view::npos)
            break;
        out += text.substr(at, open - at);
        std::string_view name = text.substr(open + 1, close - open - 1);
        auto value = depth < kMaxExpansionDepth ? variable(machine, name) : std::nullopt;
        out += value ? expand(machine, *value, depth + 1) : text.substr(open, close - open + 1);
        at = close + 1;
    }
    return out.size() > kMaxExpandedLength ? out : out.append(text.substr(at));
}

std::optional<fs::path> driveFolder(const fs::path& prefix, char letter) {
    std::error_code error;
    fs::path drive = fs::canonical(prefix / "dosdevices" / (std::string(1, letter) + ":"), error);
    if (!error && fs::is_directory(drive, error))
        return drive;
    if (letter == 'c' && fs::is_directory(prefix / "drive_c", error))
        return prefix / "drive_c";
    return std::nullopt;
}

std::string_view withoutDevicePrefix(std::string_view path) {
    for (std::string_view lead : {"\\\\?\\", "\\??\\"})
        if (path.substr(0, lead.size()) == lead)
            return path.substr(lead.size());
    return path;
}

} // namespace

std::optional<WineRegistry> ReadGameRegistry(const fs::path& prefix) {
    const std::string text = ReadFileIfAny(prefix / "system.reg");
    if (!mentions(text, kGameMaker))
        return std::nullopt;
    auto registry = WineRegistry::Parse(text);
    if (!registry || !isMachineHive(*registry))
        return std::nullopt;
    return registry;
}

std::string ExpandWineVariables(const WineRegistry& machine, std::string_view text) {
    return expand(machine, text, 0);
}

std::optional<fs::path> LinuxPathInPrefix(const fs::path& prefix, std::string_view windowsPath) {
    std::string_view path = withoutDevicePrefix(windowsPath);
    if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0])))
        return std::nullopt;
    auto drive = driveFolder(prefix, LowerAscii(path[0]));
    if (!drive)
        return std::nullopt;
    return ResolveGamePath(*drive, path.substr(2));
}

std::vector<PrefixGameEntry> GameEntriesInPrefix(const fs::path& prefix) {
    auto machine = ReadGameRegistry(prefix);
    if (!machine)
        return {};
    std::vector<PrefixGameEntry> entries;
    for (std::string_view key :
         {std::string_view(kGameKey).substr(1), std::string_view(kGameKey32On64)}) {
        auto location = machine->findText(key, kGameLocationValue);
        auto folder = location ? LinuxPathInPrefix(prefix, ExpandWineVariables(*machine, *location))
                               : std::nullopt;
        if (folder)
            entries.push_back({*folder, "HKEY_LOCAL_MACHINE\\" + std::string(key)});
    }
    return entries;
}

} // namespace krel
