#include "settings/SettingsStore.h"

#include "common/AtomicFile.h"

namespace krel {
namespace fs = std::filesystem;
namespace {

std::string named(const char* format, std::string_view name) {
    std::string text = format;
    return text.replace(text.find("%s"), 2, name);
}

[[noreturn]] void failGet(std::string_view name) {
    throw std::runtime_error(named("Failed to get data for '%s'", name));
}
[[noreturn]] void failType(std::string_view name) {
    throw std::runtime_error(named("Invalid data type for '%s'", name));
}
[[noreturn]] void failSet(std::string_view name) {
    throw std::runtime_error(named("Failed to set data for '%s'", name));
}

} // namespace

SettingsHive::SettingsHive(fs::path file, std::string rootName, Access access)
    : file_(std::move(file)), rootName_(std::move(rootName)), access_(access) {}

bool SettingsHive::readable() {
    load();
    return !unreadable_;
}

RegDocument& SettingsHive::document() {
    load();
    if (!loadError_.empty())
        throw SettingsFileError(loadError_);
    return *document_;
}

// The type is tested before the file is opened: opening a pipe would wait for a writer.
std::optional<std::string> SettingsHive::readFile() {
    std::error_code error;
    if (!fs::is_regular_file(file_, error))
        return std::nullopt;
    try {
        return ReadWholeFile(file_);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void SettingsHive::load() {
    if (document_ || !loadError_.empty() || unreadable_)
        return;
    std::error_code error;
    if (!fs::exists(file_, error)) {
        document_.emplace(rootName_);
        return;
    }
    std::optional<std::string> text = readFile();
    if (!text) {
        unreadable_ = true;
        loadError_ = "The settings file '" + file_.string() + "' cannot be read.";
        return;
    }
    try {
        document_ = RegDocument::Parse(rootName_, *text);
    } catch (const std::exception& e) {
        loadError_ = "The settings file '" + file_.string() + "' is damaged (" + e.what() +
                     "); correct or remove it";
    }
}

void SettingsHive::flush() {
    if (!writable())
        throw std::logic_error("the settings file '" + file_.string() + "' is read only");
    std::string text = document().Serialize();
    fs::create_directories(file_.parent_path());
    WriteFileAtomic(file_, text);
}

Registry::~Registry() {
    try {
        CloseKey();
    } catch (...) {
        // A destructor must not throw; callers that need to know close the key themselves.
    }
}

// A machine-wide file the user may not read counts as absent; the user's own file must be
// readable, so document() reports why it is not.
bool Registry::available() {
    if (hive_.readable())
        return true;
    if (hive_.writable())
        hive_.document();
    return false;
}

bool Registry::KeyExists(std::string_view key) {
    return available() && hive_.document().HasKey(key);
}

bool Registry::OpenKey(std::string_view key, bool canCreate) {
    CloseKey();
    if (!available())
        return false;
    RegDocument& document = hive_.document();
    if (!document.HasKey(key)) {
        if (!canCreate || !hive_.writable())
            return false;
        document.CreateKey(key);
        dirty_ = true;
    }
    openKey_ = key;
    isOpen_ = true;
    return true;
}

const RegValue& Registry::valueOfType(std::string_view name, RegValue::Type type, bool& missing) {
    static const RegValue none;
    const RegValue* value = isOpen_ ? hive_.document().Find(openKey_, name) : nullptr;
    missing = value == nullptr;
    if (value && value->type != type)
        failType(name);
    return value ? *value : none;
}

std::string Registry::ReadString(std::string_view name) {
    bool missing = false;
    const RegValue& value = valueOfType(name, RegValue::Type::String, missing);
    return missing ? std::string() : value.text;
}

std::int32_t Registry::ReadInteger(std::string_view name) {
    bool missing = false;
    const RegValue& value = valueOfType(name, RegValue::Type::Dword, missing);
    if (missing)
        failGet(name);
    return static_cast<std::int32_t>(value.number);
}

void Registry::WriteString(std::string_view name, std::string_view text) {
    RegValue value{std::string(name), RegValue::Type::String, std::string(text), 0};
    write(std::move(value));
}

void Registry::WriteInteger(std::string_view name, std::int32_t number) {
    RegValue value{
        std::string(name), RegValue::Type::Dword, {}, static_cast<std::uint32_t>(number)};
    write(std::move(value));
}

void Registry::write(RegValue value) {
    if (!isOpen_ || !hive_.writable())
        failSet(value.name);
    hive_.document().Set(openKey_, std::move(value));
    dirty_ = true;
}

void Registry::CloseKey() {
    bool pending = dirty_;
    dirty_ = false;
    isOpen_ = false;
    openKey_.clear();
    if (pending)
        hive_.flush();
}

} // namespace krel
