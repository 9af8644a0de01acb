#pragma once
// An image component: shows a picture and reports clicks. Not a label, so
// clearing a form leaves it alone.
#include <QPixmap>
#include <QWidget>

namespace vx {

class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr) : QWidget(parent) {}
    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return picture_; }

  signals:
    void Clicked();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    QPixmap picture_;
};

}  // namespace vx
