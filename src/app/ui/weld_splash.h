#pragma once
// The splash window: product title and picture, closed by its own timer.
#include <QDialog>
#include <QTimer>
#include <memory>

class QLabel;

namespace vx {

class PictureBox;
class WeldCommon;

inline constexpr int kSplashMs = 1500;

class TFormWeldSplash : public QDialog {
    Q_OBJECT
  public:
    explicit TFormWeldSplash(bool failCommon = false, int splashMs = kSplashMs,
                             QWidget* parent = nullptr);
    ~TFormWeldSplash() override;

    bool Created() const { return Common != nullptr; }
    int ShowModal() { return exec(); }

    QLabel* LblTitle;
    PictureBox* ImgSplash;
    QTimer* TimSplash;
    std::unique_ptr<WeldCommon> Common;

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    void FormCreate(bool failCommon);
    void TimSplashTimer();
};

}  // namespace vx
