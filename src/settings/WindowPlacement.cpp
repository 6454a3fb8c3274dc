#include "settings/WindowPlacement.h"

#include <stdexcept>

namespace krel {
namespace {

using RectValues = const char* const[4];
constexpr RectValues kFrameValues = {"FrameLeft", "FrameTop", "FrameWidth", "FrameHeight"};
constexpr RectValues kEditorValues = {"EditorLeft", "EditorTop", "EditorWidth", "EditorHeight"};
constexpr const char* kEditorListWidth = "EditorListWidth";

std::optional<WindowRect> readRect(Registry& registry, RectValues& names) {
    WindowRect rect{registry.ReadInteger(names[0]), registry.ReadInteger(names[1]),
                    registry.ReadInteger(names[2]), registry.ReadInteger(names[3])};
    if (rect.Width <= 0 || rect.Height <= 0)
        return std::nullopt;
    return rect;
}

// Each window's values stand or fall on their own: a value missing or of the wrong type leaves
// that window as designed.
template <class Read> void readPart(Read read) {
    try {
        read();
    } catch (const std::exception&) {
    }
}

void writeRect(Registry& registry, RectValues& names, const std::optional<WindowRect>& rect) {
    if (!rect)
        return;
    const int values[] = {rect->Left, rect->Top, rect->Width, rect->Height};
    for (int i = 0; i < 4; ++i)
        registry.WriteInteger(names[i], values[i]);
}

} // namespace

WindowPlacement ReadWindowPlacement(SettingsHive& user) {
    WindowPlacement placement;
    try {
        Registry registry(user);
        if (!registry.KeyExists(kWindowsKey) || !registry.OpenKey(kWindowsKey, false))
            return placement;
        readPart([&] { placement.Frame = readRect(registry, kFrameValues); });
        readPart([&] { placement.FrameMaximized = registry.ReadBool("FrameMaximized"); });
        readPart([&] { placement.Editor = readRect(registry, kEditorValues); });
        readPart([&] { placement.EditorListWidth = registry.ReadInteger(kEditorListWidth); });
    } catch (const std::exception&) {
        // The settings file cannot be read: every window as designed.
    }
    return placement;
}

bool WriteWindowPlacement(const WindowPlacement& placement, SettingsHive& user) {
    try {
        Registry registry(user);
        if (!registry.OpenKey(kWindowsKey, true))
            return false;
        writeRect(registry, kFrameValues, placement.Frame);
        registry.WriteBool("FrameMaximized", placement.FrameMaximized);
        writeRect(registry, kEditorValues, placement.Editor);
        if (placement.EditorListWidth > 0)
            registry.WriteInteger(kEditorListWidth, placement.EditorListWidth);
        registry.CloseKey();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace krel
