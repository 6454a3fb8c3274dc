#include "WriteTargets.h"

#include "common/Platform.h"
#include "common/TextCodec.h"

#include <algorithm>
#include <random>
#include <stdexcept>
#include <system_error>

namespace krel::replace {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kTemporaryMark = ".krel-";
constexpr size_t kRandomDigits = 16;

std::string randomDigits() {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::random_device source;
    std::string digits;
    while (digits.size() < kRandomDigits) {
        for (unsigned bits = source(), left = 8; left > 0; --left, bits >>= 4)
            digits.push_back(kDigits[bits & 15]);
    }
    return digits;
}

bool allOf(std::string_view text, bool (*test)(char)) {
    return std::all_of(text.begin(), text.end(), test);
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string errorText(const std::exception& cause) {
    if (const auto* system = dynamic_cast<const std::system_error*>(&cause))
        return system->code().message();
    return cause.what();
}

// Links are written through (see FollowToFile); in a folder that others may write to, only a
// link of this user or of the folder's owner is trusted, as the kernel trusts links in shared
// sticky folders, so nobody can steer a save into a file of their choosing.
void requireTrustedLink(const fs::path& link, const FileFacts& facts) {
    if (OwnedByThisUser(facts) || facts.Owner == FactsOf(link.parent_path(), true).Owner)
        return;
    throw std::runtime_error("Cannot write file " + Quoted(link) +
                             ": it is a symbolic link of another user");
}

} // namespace

fs::path TemporaryBeside(const fs::path& file) {
    return file.parent_path() /
           ("." + file.filename().string() + std::string(kTemporaryMark) + randomDigits() + "~");
}

bool IsTemporaryName(std::string_view name) {
    constexpr size_t tail = kTemporaryMark.size() + kRandomDigits + 1;
    if (name.size() <= tail + 1 || name.front() != '.' || name.back() != '~')
        return false;
    std::string_view end = name.substr(name.size() - tail);
    return end.substr(0, kTemporaryMark.size()) == kTemporaryMark &&
           allOf(end.substr(kTemporaryMark.size(), kRandomDigits), isHexDigit);
}

bool IsOlderLeftoverOf(std::string_view name, std::string_view target) {
    if (name.size() < target.size() + 6 || name.substr(0, target.size()) != target ||
        name.back() != '~')
        return false;
    std::string_view rest = name.substr(target.size(), name.size() - target.size() - 1);
    bool marked = rest.substr(0, 4) == ".new" || rest.substr(0, 4) == ".old";
    return marked && allOf(rest.substr(4), isDigit);
}

fs::path JournalIn(const fs::path& folder) {
    return folder / ".krel-journal~";
}

// Policy for targets that are symbolic links: the write goes through to the file the link leads
// to, and the link stays, as careful editors do; a user who keeps the encyclopedia elsewhere and
// links it into the work or game folder keeps that arrangement, and a link that leads nowhere
// yet creates its file. Only the names this facility invents for its temporaries are never
// followed: they are created exclusively and refused when anything is already there.
fs::path FollowToFile(const fs::path& named) {
    fs::path file = named;
    for (int hops = 0; hops < 40; ++hops) {
        FileFacts facts = FactsOf(file, false);
        if (facts.Kind != FileKind::Link)
            return file;
        requireTrustedLink(file, facts);
        fs::path next = fs::read_symlink(file);
        file = next.is_absolute() ? next : file.parent_path() / next;
    }
    throw std::runtime_error("Cannot write file " + Quoted(named) +
                             ": too many levels of symbolic links");
}

std::string Quoted(const fs::path& path) {
    std::u8string text = path.u8string();
    return "'" +
           Utf8ToCp1252(std::string_view(reinterpret_cast<const char*>(text.data()), text.size())) +
           "'";
}

void Fail(std::string_view action, const fs::path& path, const std::exception& cause) {
    throw std::runtime_error(std::string(action) + " file " + Quoted(path) + ": " +
                             errorText(cause));
}

} // namespace krel::replace
