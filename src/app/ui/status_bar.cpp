#include "app/ui/status_bar.h"

#include <QLabel>

namespace vx {

StatusBar::StatusBar(QWidget* parent, int panelCount) : QFrame(parent), widths_(panelCount, 100) {
    for (int i = 0; i < panelCount; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QString("StatusPanel%1").arg(i));
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setIndent(3);
        l->setTextFormat(Qt::PlainText);
        panels_.push_back(l);
    }
    Relayout();
}

void StatusBar::SetPanelText(int i, const QString& text) { panels_.at(i)->setText(text); }
QString StatusBar::PanelText(int i) const { return panels_.at(i)->text(); }
int StatusBar::PanelWidth(int i) const { return widths_.at(i); }

void StatusBar::SetPanelWidth(int i, int width) {
    widths_.at(i) = width;
    Relayout();
}

void StatusBar::resizeEvent(QResizeEvent* e) {
    QFrame::resizeEvent(e);
    Relayout();
}

void StatusBar::Relayout() {
    int x = 0;
    for (size_t i = 0; i < panels_.size(); ++i) {
        // The last panel takes what is left, like the platform's status bar.
        int w = i + 1 == panels_.size() ? std::max(0, width() - x) : std::max(0, widths_[i]);
        panels_[i]->setGeometry(x, 2, std::max(0, w - 2), std::max(0, height() - 2));
        x += w;
    }
}

}  // namespace vx
