#pragma once
// The OK-only message box through which the program reports what the user can mend.
#include <QDialog>

class QLabel;
class QPushButton;

namespace vx {

class TFormMessageBox2 : public QDialog {
    Q_OBJECT
  public:
    explicit TFormMessageBox2(QWidget* parent = nullptr);

    // The label shows a CR LF of the text table as a line break.
    void SetTexts(const QString& caption, const QString& message);
    QString MessageText() const;
    int ShowModal();

    QPushButton* BtnOkMessageBox2;
    QLabel* LabelMessageBox2;

  protected:
    void showEvent(QShowEvent* e) override;
};

// The one instance, created hidden at start-up.
extern TFormMessageBox2* FormMessageBox2;

}  // namespace vx
