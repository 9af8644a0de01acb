#include "app/ui/chart_picture.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPageSize>
#include <QPdfWriter>
#include <QPointer>
#include <QPushButton>
#include <QSvgGenerator>
#include <algorithm>
#include <vector>

#include "analysis/ui/metrics_panel.h"
#include "app/ui/weld_main.h"
#include "common/atomic_file.h"
#include "common/ui/qt_text.h"
#include "display/ui/wave_chart.h"

namespace vx {
namespace {

// Hides the window's controls that sit among the titles for as long as it
// lives; a picture shows what is drawn, not what can be clicked.
class ControlsHidden {
  public:
    explicit ControlsHidden(TFormWeldMain& w) : focus_(QApplication::focusWidget()) {
        for (QWidget* c :
             std::initializer_list<QWidget*>{w.BitBtnRewd, w.BitBtnPrev, w.BitBtnNext, w.BitBtnFfwd,
                                             w.CmbBoxCsvFile, w.PnlMetrics})
            if (c && c->isVisible()) {
                c->setVisible(false);
                hidden_.push_back(c);
            }
    }
    ~ControlsHidden() {
        for (QWidget* c : hidden_) c->setVisible(true);
        // Hiding the control that had the focus moved it on; it goes back.
        if (focus_ && QApplication::focusWidget() != focus_) focus_->setFocus();
    }
    ControlsHidden(const ControlsHidden&) = delete;
    ControlsHidden& operator=(const ControlsHidden&) = delete;

  private:
    std::vector<QWidget*> hidden_;
    QPointer<QWidget> focus_;
};

QString FileNameShown(const TFormWeldMain& w) {
    if (!w.CurrentWave().loaded || w.CmbBoxCsvFile->currentIndex() < 0) return {};
    return w.CmbBoxCsvFile->currentText();
}

// Paints the chart area at (0,0) of `p` in the area's own pixels. The plot is
// drawn by the chart library into the painter, so SVG and PDF get lines, not
// a bitmap; what lies above it (grid lines, scale columns, titles) is drawn
// after it, in the window's stacking order.
void PaintChartArea(TFormWeldMain& w, QCPPainter& p) {
    const ControlsHidden hidden(w);
    const QRect area = ChartPictureArea(w);
    QCustomPlot* plot = w.ChtWave->Plot();
    const QPoint plotAt = plot->mapTo(w.PnlBase, QPoint(0, 0)) - area.topLeft();

    p.save();
    p.fillRect(QRect(QPoint(0, 0), area.size()), w.PnlBase->palette().window());
    const QWidget::RenderFlags flags = QWidget::DrawWindowBackground | QWidget::DrawChildren;
    plot->setVisible(false);
    w.PnlBase->render(&p, QPoint(0, 0), QRegion(area), flags);
    plot->setVisible(true);

    p.save();
    p.translate(plotAt);
    p.setClipRect(QRect(QPoint(0, 0), plot->size()));
    plot->toPainter(&p, plot->width(), plot->height());
    p.restore();
    // Over the plot inside the chart: its dotted grid lines.
    for (QObject* o : w.ChtWave->children()) {
        auto* c = qobject_cast<QWidget*>(o);
        if (!c || c == plot || !c->isVisible()) continue;
        const QPoint at = c->mapTo(w.PnlBase, QPoint(0, 0)) - area.topLeft();
        c->render(&p, at, QRegion(), flags);
    }
    // Over the chart in the panel: the scale columns and the titles.
    bool above = false;
    for (QObject* o : w.PnlBase->children()) {
        auto* c = qobject_cast<QWidget*>(o);
        if (!c) continue;
        if (c == w.ChtWave) {
            above = true;
            continue;
        }
        if (!above || !c->isVisible() || !c->geometry().intersects(area)) continue;
        c->render(&p, c->pos() - area.topLeft(), QRegion(), flags);
    }

    // The file name where the file list is in the window.
    if (const QString name = FileNameShown(w); !name.isEmpty()) {
        const QRect box = w.CmbBoxCsvFile->geometry().translated(
            w.CmbBoxCsvFile->parentWidget()->mapTo(w.PnlBase, QPoint(0, 0)) - area.topLeft());
        p.setFont(w.CmbBoxCsvFile->font());
        p.setPen(w.palette().color(QPalette::WindowText));
        p.drawText(QRect(box.left(), box.top(), 220, box.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, name);
    }
    p.restore();
}

QSize SizeOr(const TFormWeldMain& w, QSize size) {
    return size.isEmpty() ? ChartPictureSize(w) : size;
}

}  // namespace

void PaintFitted(TFormWeldMain& w, QCPPainter& p, QSize target) {
    const QSize natural = ChartPictureArea(w).size();
    const double scale = std::min(double(target.width()) / natural.width(),
                                  double(target.height()) / natural.height());
    p.save();
    // Nothing the widgets draw outside the area may reach the page around it.
    p.setClipRect(QRect(QPoint(0, 0), target), Qt::IntersectClip);
    p.fillRect(QRect(QPoint(0, 0), target), Qt::white);
    p.translate((target.width() - natural.width() * scale) / 2,
                (target.height() - natural.height() * scale) / 2);
    p.scale(scale, scale);
    PaintChartArea(w, p);
    p.restore();
}

std::optional<PictureFormat> PictureFormatOf(const std::string& path) {
    const QString suffix = QFileInfo(FromNativePath(path)).suffix().toLower();
    if (suffix == "png") return PictureFormat::Png;
    if (suffix == "svg") return PictureFormat::Svg;
    if (suffix == "pdf") return PictureFormat::Pdf;
    return std::nullopt;
}

// The part of the main panel below the menu: plot, scale columns, titles;
// without the panel's frame and the pixel beside it, which a PDF viewer
// would show as a hairline.
QRect ChartPictureArea(const TFormWeldMain& w) {
    const QRect panel = w.PnlBase->rect().adjusted(3, 0, -3, -3);
    return panel.intersected(QRect(0, 92, panel.right() + 1, panel.bottom() + 1 - 92));
}

QSize ChartPictureSize(const TFormWeldMain& w) { return ChartPictureArea(w).size(); }

QImage ChartImage(TFormWeldMain& w, QSize size) {
    size = SizeOr(w, size);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QCPPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    PaintFitted(w, p, size);
    p.end();
    return image;
}

std::string ChartPictureBytes(TFormWeldMain& w, PictureFormat format, QSize size) {
    size = SizeOr(w, size);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
        case PictureFormat::Png:
            ChartImage(w, size).save(&buffer, "PNG");
            break;
        case PictureFormat::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            svg.setTitle(FileNameShown(w));
            QCPPainter p(&svg);
            p.setMode(QCPPainter::pmVectorized);
            PaintFitted(w, p, size);
            break;
        }
        case PictureFormat::Pdf: {
            // One page of the picture's size, a pixel to a point.
            QPdfWriter pdf(&buffer);
            pdf.setResolution(72);
            pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setTitle(FileNameShown(w));
            pdf.setCreator(QStringLiteral("Varmonix"));
            QCPPainter p(&pdf);
            p.setMode(QCPPainter::pmVectorized);
            PaintFitted(w, p, size);
            break;
        }
    }
    buffer.close();
    return bytes.toStdString();
}

void SaveChartPicture(TFormWeldMain& w, const std::string& path, QSize size) {
    const std::optional<PictureFormat> format = PictureFormatOf(path);
    if (!format) throw FileWriteError(path, "not a .png, .svg or .pdf file name");
    const std::string bytes = ChartPictureBytes(w, *format, size);
    if (bytes.empty()) throw FileWriteError(path, "the picture could not be made");
    WriteFileAtomically(path, bytes);
}

}  // namespace vx
