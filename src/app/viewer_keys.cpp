#include "app/viewer_keys.h"

#include "common/text_table.h"

namespace vx {
namespace {

using C = ViewerCommand;

// "+" also comes as "=" (unshifted on many layouts) and from the keypad.
constexpr ViewerKey kKeys[] = {
    {C::ZoomIn, {"+", "=", "Num++"}, kTextHelpZoomIn},
    {C::ZoomOut, {"-", "Num+-", nullptr}, kTextHelpZoomOut},
    {C::PanLeft, {"Left", nullptr, nullptr}, kTextHelpPanLeft},
    {C::PanRight, {"Right", nullptr, nullptr}, kTextHelpPanRight},
    {C::Home, {"Home", "Esc", nullptr}, kTextHelpHome},
    {C::Fit, {"F", nullptr, nullptr}, kTextHelpFit},
    {C::CursorA, {"A", nullptr, nullptr}, kTextHelpCursorA},
    {C::CursorB, {"B", nullptr, nullptr}, kTextHelpCursorB},
    {C::ClearCursors, {"C", nullptr, nullptr}, kTextHelpClearCursors},
    {C::NextFile, {"PgDown", nullptr, nullptr}, kTextHelpNextFile},
    {C::PrevFile, {"PgUp", nullptr, nullptr}, kTextHelpPrevFile},
    {C::FirstFile, {"Ctrl+Home", nullptr, nullptr}, kTextHelpFirstFile},
    {C::LastFile, {"Ctrl+End", nullptr, nullptr}, kTextHelpLastFile},
    {C::Open, {"Ctrl+O", nullptr, nullptr}, kTextHelpOpen},
    {C::DisplaySettings, {"Ctrl+D", nullptr, nullptr}, kTextHelpDisplaySettings},
    {C::Exit, {"Ctrl+Q", nullptr, nullptr}, kTextHelpExit},
    {C::Overview, {"Ctrl+T", nullptr, nullptr}, kTextHelpOverview},
    {C::CopyPicture, {"Ctrl+C", nullptr, nullptr}, kTextCopyPicture},
    {C::SavePicture, {"Ctrl+S", nullptr, nullptr}, kTextSavePicture},
    {C::ExportData, {"Ctrl+E", nullptr, nullptr}, kTextExportData},
    {C::Help, {"F1", nullptr, nullptr}, kTextHelpHelp},
};

constexpr ViewerGesture kGestures[] = {
    {kTextGestureWheel, kTextGestureWheelDoes},
    {kTextGestureBand, kTextGestureBandDoes},
    {kTextGesturePan, kTextGesturePanDoes},
    {kTextGestureClick, kTextGestureClickDoes},
    {kTextGestureClickB, kTextGestureClickBDoes},
    {kTextGestureDoubleClick, kTextGestureDoubleClickDoes},
    {kTextGestureDrop, kTextGestureDropDoes},
};

}  // namespace

std::span<const ViewerKey> ViewerKeys() { return kKeys; }
std::span<const ViewerGesture> ViewerGestures() { return kGestures; }

}  // namespace vx
