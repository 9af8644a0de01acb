#pragma once
// "Analysis settings": the five parameters of the weld metrics. OK checks
// every value and, when one is wrong, says which and keeps the dialog open.
#include <QDialog>
#include <array>

#include "analysis/metrics.h"
#include "analysis/parameter_edit.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vx {

class WeldCommon;

class TFormAnalysisSet : public QDialog {
    Q_OBJECT
  public:
    TFormAnalysisSet(const WeldCommon& common, const AnalysisParams& params,
                     QWidget* parent = nullptr);

    // The accepted values (after OK).
    const AnalysisParams& Params() const { return params_; }

    std::array<QLineEdit*, kParameterCount> Edits{};
    QPushButton* BtnOk;
    QPushButton* BtnCancel;

  private:
    void OkClick();

    const WeldCommon& common_;
    AnalysisParams params_;
};

}  // namespace vx
