#pragma once
// A status bar with fixed-width text panels, the last one centred.
#include <QFrame>
#include <vector>

class QLabel;

namespace vx {

class StatusBar : public QFrame {
    Q_OBJECT
  public:
    StatusBar(QWidget* parent, int panelCount);
    void SetPanelText(int i, const QString& text);
    QString PanelText(int i) const;
    void SetPanelWidth(int i, int width);
    int PanelWidth(int i) const;

  protected:
    void resizeEvent(QResizeEvent* e) override;

  private:
    void Relayout();
    std::vector<QLabel*> panels_;
    std::vector<int> widths_;
};

}  // namespace vx
