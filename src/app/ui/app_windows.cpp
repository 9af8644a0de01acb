#include "app/ui/app_windows.h"

#include "common/ui/message_box2.h"
#include "settings/ui/weld_wave_set.h"

namespace vx {

AppWindows::AppWindows(WeldMainOptions options) {
    main_ = std::make_unique<TFormWeldMain>(std::move(options));
    if (!main_->Created()) return;
    FormWeldMain = main_.get();
    waveSet_ = std::make_unique<TFormWeldWaveSet>();
    FormWeldWaveSet = waveSet_.get();
    messageBox_ = std::make_unique<TFormMessageBox2>();
    FormMessageBox2 = messageBox_.get();
}

AppWindows::~AppWindows() {
    main_.reset();
    FormWeldMain = nullptr;
    FormWeldWaveSet = nullptr;
    FormMessageBox2 = nullptr;
}

}  // namespace vx
