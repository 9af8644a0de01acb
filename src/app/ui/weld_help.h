#pragma once
// The help window (F1): every key of the main window and every mouse gesture
// of its chart, with what each does. It stays open beside the main window.
#include <QDialog>
#include <QString>
#include <utility>
#include <vector>

class QPushButton;

namespace vx {

class WeldCommon;

class TFormWeldHelp : public QDialog {
    Q_OBJECT
  public:
    TFormWeldHelp(const WeldCommon& common, QWidget* parent);

    // The rows as shown: keys or gesture, and what it does; keys first.
    const std::vector<std::pair<QString, QString>>& Rows() const { return rows_; }
    QPushButton* BtnClose;

  private:
    std::vector<std::pair<QString, QString>> rows_;
};

}  // namespace vx
