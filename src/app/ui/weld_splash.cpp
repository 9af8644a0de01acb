#include "app/ui/weld_splash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "app/ui/pictures.h"
#include "common/ui/fonts.h"
#include "common/ui/form_tools.h"
#include "common/ui/picture_box.h"
#include "common/weld_common.h"

namespace vx {

TFormWeldSplash::TFormWeldSplash(bool failCommon, int splashMs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("FormWeldSplash");
    setWindowTitle(QString::fromUtf8("スプラッシュウィンドウ"));
    setFixedSize(782, 373);
    setFont(GothicFont(12));

    LblTitle = new QLabel("pellandor", this);
    LblTitle->setObjectName("LblTitle");
    LblTitle->setGeometry(0, 0, 782, 50);
    QFont titleFont;
    titleFont.setFamilies({"Arial", "Liberation Sans", "DejaVu Sans"});
    titleFont.setPixelSize(37);
    titleFont.setBold(true);
    LblTitle->setFont(titleFont);
    LblTitle->setAlignment(Qt::AlignCenter);
    LblTitle->setAutoFillBackground(true);
    QPalette pal = LblTitle->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    LblTitle->setPalette(pal);

    ImgSplash = new PictureBox(this);
    ImgSplash->setObjectName("ImgSplash");
    const QPixmap picture = SplashPicture();
    ImgSplash->SetPicture(picture);
    ImgSplash->setGeometry(0, 50, picture.width(), picture.height());

    TimSplash = new QTimer(this);
    TimSplash->setObjectName("TimSplash");
    TimSplash->setInterval(splashMs);
    TimSplash->setSingleShot(false);
    connect(TimSplash, &QTimer::timeout, this, [this] { Guarded([this] { TimSplashTimer(); }); });

    FormCreate(failCommon);
}

TFormWeldSplash::~TFormWeldSplash() = default;

void TFormWeldSplash::FormCreate(bool failCommon) {
    if (!failCommon) Common = std::make_unique<WeldCommon>();
    if (!Common) {
        FailStart(QStringLiteral("Failed program start.(splash)"));
        return;
    }
    Common->SetPriority(3);
}

void TFormWeldSplash::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    CenterOnScreen(this);
    TimSplash->start();
}

void TFormWeldSplash::TimSplashTimer() {
    TimSplash->stop();
    close();
}

}  // namespace vx
