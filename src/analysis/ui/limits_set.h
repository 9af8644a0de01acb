#pragma once
// "Quality limits": a minimum and a maximum per figure, either left empty for
// no bound. "From selection" proposes the control-chart band of the welds
// selected in the overview. OK checks every text and, when one is wrong,
// says which and keeps the dialog open.
#include <QDialog>
#include <array>
#include <vector>

#include "analysis/limits.h"

class QLineEdit;
class QPushButton;

namespace vx {

class WeldCommon;

class TFormLimitsSet : public QDialog {
    Q_OBJECT
  public:
    // selection[k]: the figures of limit k of the selected welds (those
    // that have one).
    TFormLimitsSet(const WeldCommon& common, const Limits& limits,
                   std::array<std::vector<double>, kLimitCount> selection,
                   QWidget* parent = nullptr);

    // The accepted limits (after OK).
    const Limits& Chosen() const { return limits_; }

    // [key][0] minimum, [key][1] maximum.
    std::array<std::array<QLineEdit*, 2>, kLimitCount> Edits{};
    QPushButton* BtnFromSelection;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;

  private:
    void FromSelectionClick();
    void OkClick();

    const WeldCommon& common_;
    Limits limits_;
    std::array<std::vector<double>, kLimitCount> selection_;
};

}  // namespace vx
