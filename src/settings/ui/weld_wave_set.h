#pragma once
// The display-settings dialog: scales of the four quantities and the choice
// of welds to overlay. Edits a record owned by the caller.
#include <QDialog>
#include <array>
#include <cstdint>

#include "settings/weld_wave_setting.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QFrame;

namespace vx {

class WeldCommon;

class TFormWeldWaveSet : public QDialog {
    Q_OBJECT
  public:
    explicit TFormWeldWaveSet(QWidget* parent = nullptr);

    void SetWaveSetting(WeldWaveSetting* setting) { WaveSetting = setting; }
    int ShowModal();
    // The window title and the captions of the dialog's controls.
    void SetCaptions(const WeldCommon& common);
    // A newly opened folder starts without overlay: the check box is cleared.
    void ResetOverlayChoice();

    WeldCommon* Common = nullptr;
    int32_t FileCount = 0;
    std::array<int32_t, 10> MultiNo{};

    QFrame* PnlBase;
    QTabWidget* PgCtrlDisp;
    QWidget* TabScale;
    QWidget* TabMulti;
    QLabel *LblScaleMin, *LblScaleMax;
    QLabel *LblWave1, *LblWave2, *LblWave3, *LblTime;
    QLineEdit *EdtMinWave1, *EdtMaxWave1, *EdtMinWave2, *EdtMaxWave2, *EdtMinWave3, *EdtMaxWave3;
    QLineEdit *EdtMinTime, *EdtMaxTime;
    QPushButton *BtnRecomCurrent, *BtnRecomVoltage, *BtnRecomWireSpeed, *BtnRecomTime;
    QFrame* PnlSep;
    QCheckBox* ChkBoxMulti;
    QGroupBox* GrpBoxMulti;
    QRadioButton *RadBtnRange, *RadBtnSep;
    QLineEdit *EdtRangeSta, *EdtRangeEnd, *EdtSep;
    QLabel* LblRange;
    QPushButton *BtnDisp, *BtnCancel;

    // Handlers, public so that tests can drive them as the controls do.
    void BtnRecomClick(QPushButton* sender);
    void ChkBoxMultiClick();
    void RadBtnClick(QRadioButton* sender);
    void BtnDispClick();
    void BtnCancelClick();
    void ShowWaveSetting();
    void EnableControls();
    void MakeMultiList();

  protected:
    void showEvent(QShowEvent* e) override;
    void reject() override;  // the close box and Escape cancel

  private:
    void FormCreate();
    void FormShow();

    std::array<QLineEdit*, 4> EdtMin{};
    std::array<QLineEdit*, 4> EdtMax{};
    std::array<QLabel*, 4> LblGraph{};
    std::array<QPushButton*, 4> BtnRecom{};
    WeldWaveSetting* WaveSetting = nullptr;
};

extern TFormWeldWaveSet* FormWeldWaveSet;

}  // namespace vx
