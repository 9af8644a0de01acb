#include "common/ui/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace vx {

void PictureBox::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
    if (rect().contains(e->position().toPoint())) emit Clicked();
}

}  // namespace vx
