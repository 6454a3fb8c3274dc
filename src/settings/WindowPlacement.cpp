#include "settings/WindowPlacement.h"

#include <stdexcept>

namespace krel {
namespace {

constexpr const char* kFrameValues[] = {"FrameLeft", "FrameTop", "FrameWidth", "FrameHeight"};

std::optional<WindowRect> readFrame(Registry& registry) {
    WindowRect rect{registry.ReadInteger(kFrameValues[0]), registry.ReadInteger(kFrameValues[1]),
                    registry.ReadInteger(kFrameValues[2]), registry.ReadInteger(kFrameValues[3])};
    if (rect.Width <= 0 || rect.Height <= 0)
        return std::nullopt;
    return rect;
}

} // namespace

WindowPlacement ReadWindowPlacement(SettingsHive& user) {
    WindowPlacement placement;
    try {
        Registry registry(user);
        if (!registry.KeyExists(kWindowsKey) || !registry.OpenKey(kWindowsKey, false))
            return placement;
        placement.Frame = readFrame(registry);
        placement.FrameMaximized = registry.ReadBool("FrameMaximized");
    } catch (const std::exception&) {
        // A value missing or of the wrong type: what was read so far stands.
    }
    return placement;
}

bool WriteWindowPlacement(const WindowPlacement& placement, SettingsHive& user) {
    try {
        Registry registry(user);
        if (!registry.OpenKey(kWindowsKey, true))
            return false;
        if (placement.Frame) {
            const WindowRect& rect = *placement.Frame;
            const int values[] = {rect.Left, rect.Top, rect.Width, rect.Height};
            for (int i = 0; i < 4; ++i)
                registry.WriteInteger(kFrameValues[i], values[i]);
        }
        registry.WriteBool("FrameMaximized", placement.FrameMaximized);
        registry.CloseKey();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace krel
