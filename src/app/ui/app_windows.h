#pragma once
// The three long-lived windows, made in start-up order and registered where
// the windows find each other (FormWeldMain, FormWeldWaveSet, FormMessageBox2)
// for exactly as long as they live.
#include <memory>

#include "app/ui/weld_main.h"

namespace vx {

class TFormMessageBox2;
class TFormWeldWaveSet;

class AppWindows {
  public:
    // Makes the main window, then (when it could make its own objects) the
    // display-settings dialog and the message box.
    explicit AppWindows(WeldMainOptions options = {});
    ~AppWindows();
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;

    // False when the main window failed at creation; nothing else was made.
    bool Created() const { return main_ && main_->Created(); }
    TFormWeldMain& Main() const { return *main_; }
    TFormWeldWaveSet* WaveSet() const { return waveSet_.get(); }
    TFormMessageBox2* MessageBox() const { return messageBox_.get(); }

  private:
    std::unique_ptr<TFormWeldMain> main_;
    std::unique_ptr<TFormWeldWaveSet> waveSet_;
    std::unique_ptr<TFormMessageBox2> messageBox_;
};

}  // namespace vx
