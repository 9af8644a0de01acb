#include "app/ui/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "app/version.h"
#include "common/ui/fonts.h"

namespace vx {
namespace {

// A stylised weld: arc start spike, rippling steady arc, crater fill.
QPainterPath WeldCurve(const QRectF& r, double phase) {
    QPainterPath path;
    const int n = 400;
    for (int i = 0; i <= n; ++i) {
        double u = double(i) / n;
        double level = u < 0.08   ? 0.2 + 0.8 * std::exp(-std::pow((u - 0.05) / 0.02, 2)) + u * 6
                       : u < 0.85 ? 0.65
                                  : 0.65 - (u - 0.85) * 3.0;
        level = std::clamp(level, 0.05, 1.0);
        double ripple = (u > 0.08 && u < 0.85) ? 0.04 * std::sin(u * 180 + phase) : 0.0;
        QPointF p(r.left() + u * r.width(), r.bottom() - (level + ripple) * r.height());
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    return path;
}

}  // namespace

QPixmap SplashPicture() {
    QPixmap pm(782, 323);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 323);
    bg.setColorAt(0, QColor(18, 32, 58));
    bg.setColorAt(1, QColor(6, 12, 24));
    p.fillRect(pm.rect(), bg);
    p.setPen(QPen(QColor(60, 80, 110), 1, Qt::DotLine));
    for (int y = 40; y < 300; y += 26) p.drawLine(40, y, 742, y);
    const QRectF area(40, 60, 702, 200);
    p.setPen(QPen(QColor(255, 70, 60), 2.5));
    p.drawPath(WeldCurve(area, 0));
    p.setPen(QPen(QColor(80, 150, 255), 2));
    p.drawPath(WeldCurve(area.adjusted(0, 40, 0, 0), 1.3));
    p.setPen(QPen(QColor(70, 200, 110), 2));
    p.drawPath(WeldCurve(area.adjusted(0, 80, 0, 0), 2.1));
    p.setPen(QColor(235, 240, 250));
    QFont big = PGothicFont(44, true);
    p.setFont(big);
    p.drawText(QRect(0, 8, 782, 60), Qt::AlignCenter, "Varmonix");
    p.setFont(PGothicFont(16));
    p.setPen(QColor(170, 185, 210));
    p.drawText(QRect(0, 285, 760, 30), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Welding waveform viewer   ") + QLatin1String(kVersionText));
    return pm;
}

QPixmap LogoPicture() {
    QPixmap pm(145, 66);
    pm.fill(QColor(250, 250, 250));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 60, 120), 2));
    p.drawRoundedRect(QRectF(1, 1, 143, 64), 6, 6);
    p.setPen(QPen(QColor(230, 60, 40), 2));
    p.drawPath(WeldCurve(QRectF(10, 8, 125, 26), 0));
    p.setPen(QColor(30, 60, 120));
    p.setFont(PGothicFont(20, true));
    p.drawText(QRect(0, 34, 145, 28), Qt::AlignCenter, "Varmonix");
    return pm;
}

QIcon SquareGlyph(const QColor& color) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.fillRect(QRect(2, 2, 12, 12), color);
    p.setPen(color.darker(150));
    p.drawRect(QRect(2, 2, 11, 11));
    return QIcon(pm);
}

QIcon StepIcon(StepGlyph glyph) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 20));
    const bool left = glyph == StepGlyph::First || glyph == StepGlyph::Prev;
    QPolygonF tri = left ? QPolygonF({QPointF(11, 3), QPointF(11, 13), QPointF(4, 8)})
                         : QPolygonF({QPointF(5, 3), QPointF(5, 13), QPointF(12, 8)});
    if (glyph == StepGlyph::First) tri.translate(2, 0);
    if (glyph == StepGlyph::Last) tri.translate(-2, 0);
    p.drawPolygon(tri);
    if (glyph == StepGlyph::First) p.drawRect(QRectF(3, 3, 2, 10));
    if (glyph == StepGlyph::Last) p.drawRect(QRectF(11, 3, 2, 10));
    return QIcon(pm);
}

QIcon AppIcon() {
    QPixmap pm(32, 32);
    pm.fill(QColor(18, 32, 58));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 70, 60), 2));
    p.drawPath(WeldCurve(QRectF(2, 4, 28, 24), 0));
    return QIcon(pm);
}

}  // namespace vx
