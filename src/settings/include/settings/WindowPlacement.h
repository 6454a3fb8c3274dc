#pragma once
// Where the user left the program's windows, so the next start puts them back. Kept under a key
// of its own in the user's settings file, apart from the six settings: the options dialog never
// shows it, and a missing or damaged value simply means "as designed".

#include "settings/SettingsStore.h"

#include <optional>

namespace krel {

inline constexpr const char* kWindowsKey = "\\Software\\KrelEditor\\Windows";

struct WindowRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    bool operator==(const WindowRect&) const = default;
};

struct WindowPlacement {
    std::optional<WindowRect> Frame; // the frame's normal (not maximized) place and size
    bool FrameMaximized = false;
    std::optional<WindowRect> Editor; // the editor window's place inside the frame
    int EditorListWidth = 0;          // the list's share of the editor's splitter; 0: as designed

    bool operator==(const WindowPlacement&) const = default;
};

// What the settings file holds; anything unreadable is left out.
WindowPlacement ReadWindowPlacement(SettingsHive& user);

// Stores the placement. Returns false when the settings file cannot take it: the placement is
// a convenience, so the caller goes on without it.
bool WriteWindowPlacement(const WindowPlacement& placement, SettingsHive& user);

} // namespace krel
