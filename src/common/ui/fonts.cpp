#include "common/ui/fonts.h"

#include <QStringList>

namespace vx {
namespace {

QFont Make(const QStringList& families, int pixelSize, bool bold) {
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

}  // namespace

QFont GothicFont(int pixelSize, bool bold) {
    return Make({"IPAGothic", "IPAexGothic", "Noto Sans Mono CJK JP", "DejaVu Sans Mono"},
                pixelSize, bold);
}

QFont PGothicFont(int pixelSize, bool bold) {
    return Make({"IPAPGothic", "IPAexGothic", "Noto Sans CJK JP", "DejaVu Sans"}, pixelSize, bold);
}

}  // namespace vx
