#pragma once
// The program's own pictures, drawn in code: splash picture, logo, glyphs.
#include <QColor>
#include <QIcon>
#include <QPixmap>

namespace vx {

QPixmap SplashPicture();                 // 782 x 323
QPixmap LogoPicture();                   // 145 x 66
QIcon SquareGlyph(const QColor& color);  // 16 x 16 trace toggle glyph
enum class StepGlyph { First, Prev, Next, Last };
QIcon StepIcon(StepGlyph glyph);
QIcon AppIcon();

}  // namespace vx
