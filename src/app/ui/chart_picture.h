#pragma once
// The chart as a picture: the plot with its three scale columns, units, trace
// titles and the file name, as the window shows them, for the clipboard and
// for PNG, SVG and PDF files.
#include <QImage>
#include <QRect>
#include <QSize>
#include <optional>
#include <string>

class QCPPainter;

namespace vx {

class TFormWeldMain;

enum class PictureFormat { Png, Svg, Pdf };

// By the file name's extension, in any letter case; none for another one.
std::optional<PictureFormat> PictureFormatOf(const std::string& path);

// The window's chart area the picture shows, in the main panel's pixels; its
// size is the picture's natural size.
QRect ChartPictureArea(const TFormWeldMain& w);
QSize ChartPictureSize(const TFormWeldMain& w);

// The chart area fitted into `size` (the natural size when empty), centred
// on white.
QImage ChartImage(TFormWeldMain& w, QSize size = {});

// Paints the chart area fitted into (0,0)..`target` of `p`, centred on white.
void PaintFitted(TFormWeldMain& w, QCPPainter& p, QSize target);

// The picture as the bytes of a file of `format`.
std::string ChartPictureBytes(TFormWeldMain& w, PictureFormat format, QSize size = {});

// Writes the picture to `path`, its format by extension, whole or not at all.
// Throws FileWriteError (also for an extension that is no picture format).
void SaveChartPicture(TFormWeldMain& w, const std::string& path, QSize size = {});

}  // namespace vx
