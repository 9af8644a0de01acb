#pragma once
// The main window's keys and mouse gestures in one table: the window makes
// its shortcuts from it and the help window lists it, so the two cannot
// drift apart.
#include <array>
#include <span>

namespace vx {

enum class ViewerCommand {
    ZoomIn,
    ZoomOut,
    PanLeft,
    PanRight,
    Home,
    Fit,
    CursorA,
    CursorB,
    ClearCursors,
    NextFile,
    PrevFile,
    FirstFile,
    LastFile,
    Open,
    DisplaySettings,
    Exit,
    Overview,
    CopyPicture,
    SavePicture,
    ExportData,
    Help,
};

struct ViewerKey {
    ViewerCommand command;
    // Key sequences in the portable text form ("PgDown", "Ctrl+Home"); a
    // command has one to three, unused entries are null.
    std::array<const char*, 3> keys;
    int textId;  // what the command does, for the help window
};

// Every command once, in the order the help window lists them.
std::span<const ViewerKey> ViewerKeys();

struct ViewerGesture {
    int nameId;  // "Wheel"
    int textId;  // "Zoom around the mouse"
};

// The mouse gestures, for the help window.
std::span<const ViewerGesture> ViewerGestures();

// Zoom factor of the + key; - zooms out by its inverse.
inline constexpr double kKeyZoomIn = 0.5;
// Share of the visible width the arrow keys pan by.
inline constexpr double kKeyPanShare = 0.1;

}  // namespace vx
