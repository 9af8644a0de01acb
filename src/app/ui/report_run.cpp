#include "app/ui/report_run.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QDateTime>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <atomic>
#include <csignal>
#include <optional>
#include <ostream>

#include "analysis/metrics_run.h"
#include "analysis/report.h"
#include "analysis/ui/trend_chart.h"
#include "app/ui/app_windows.h"
#include "app/ui/chart_picture.h"
#include "app/ui/headless.h"
#include "app/ui/weld_main.h"
#include "app/version.h"
#include "common/atomic_file.h"
#include "common/output_status.h"
#include "common/text_table.h"
#include "common/ui/fonts.h"
#include "common/ui/qt_text.h"
#include "display/ui/wave_chart.h"

namespace vx {
namespace {

// A4 landscape in points, the painter's unit at 72 dpi.
constexpr int kPageW = 842;
constexpr int kPageH = 595;
constexpr int kMargin = 28;
constexpr int kContentW = kPageW - 2 * kMargin;
constexpr int kFooterY = kPageH - kMargin + 6;
constexpr int kRowH = 13;
constexpr int kTrendTop = 104;
constexpr int kTrendH = 160;
constexpr int kFirstTableTop = kTrendTop + kTrendH + 14;
constexpr int kLaterTableTop = kMargin + 60;  // below the title, paths and summary
constexpr int kTableBottom = kPageH - kMargin - 8;

// Overview table column widths, in table order; together within kContentW.
constexpr int kColumnW[kOverviewColumns] = {34, 136, 64, 58, 58, 86, 62, 68, 52, 46, 42, 64};

// Set by Ctrl+C or a kill: the report stops and nothing is written. Lock-free,
// so the signal handler may set it.
std::atomic<bool> gStop{false};
static_assert(std::atomic<bool>::is_always_lock_free);
extern "C" void OnStopSignal(int) { gStop = true; }

// The stop signals lead to gStop for as long as this lives.
class StopOnSignals {
  public:
    StopOnSignals() {
        gStop = false;
        sigint_ = std::signal(SIGINT, OnStopSignal);
        sigterm_ = std::signal(SIGTERM, OnStopSignal);
    }
    ~StopOnSignals() {
        std::signal(SIGINT, sigint_);
        std::signal(SIGTERM, sigterm_);
    }
    StopOnSignals(const StopOnSignals&) = delete;
    StopOnSignals& operator=(const StopOnSignals&) = delete;

  private:
    void (*sigint_)(int) = nullptr;
    void (*sigterm_)(int) = nullptr;
};

const QColor kFailColor(200, 20, 20);
const QColor kPassColor(20, 130, 40);
const QColor kGrey(110, 110, 110);

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }
QString English(int id) { return Q(std::string(LoadStrUtf8(id + kEnglish))); }

// The PDF's bytes go into the atomic file as they come, so a report of
// thousands of pages is never held whole; pieces keep the calls few.
class AtomicDevice : public QIODevice {
  public:
    explicit AtomicDevice(AtomicFile& file) : file_(file) { open(QIODevice::WriteOnly); }
    // Throws the first write error.
    void Finish() {
        Flush();
        if (error_) throw *error_;
    }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (error_) return -1;
        pending_.append(data, static_cast<size_t>(size));
        if (pending_.size() >= (size_t{1} << 20)) Flush();
        return error_ ? -1 : size;
    }

  private:
    void Flush() {
        if (error_ || pending_.empty()) return;
        try {
            file_.Write(pending_);
        } catch (const FileWriteError& e) {
            error_ = e;
        }
        pending_.clear();
    }
    AtomicFile& file_;
    std::string pending_;
    std::optional<FileWriteError> error_;
};

QFont Font(double points, bool bold = false) {
    QFont f = GothicFont(12, bold);
    f.setPointSizeF(points);
    return f;
}

void Text(QPainter& p, const QRectF& r, const QString& s, double points, bool bold = false,
          QColor color = Qt::black, int align = Qt::AlignLeft | Qt::AlignVCenter) {
    p.setFont(Font(points, bold));
    p.setPen(color);
    const QString shown = QFontMetricsF(p.font()).elidedText(s, Qt::ElideMiddle, r.width());
    p.drawText(r, align, shown);
}

void Footer(QPainter& p, int page, int pages) {
    Text(p, QRectF(kMargin, kFooterY, kContentW / 2, 12), kProgramVersionText, 7, false, kGrey);
    Text(p, QRectF(kMargin + kContentW / 2, kFooterY, kContentW / 2, 12),
         QStringLiteral("Page %1 of %2").arg(page).arg(pages), 7, false, kGrey,
         Qt::AlignRight | Qt::AlignVCenter);
}

class ReportWriter {
  public:
    ReportWriter(const CommandLine& cl, const std::string& settingsPath, std::ostream& err)
        : cl_(cl), settingsPath_(settingsPath), err_(err) {}
    int Run();

  private:
    void OverviewPage(size_t page, std::pair<size_t, size_t> rows);
    void TableRows(int top, std::pair<size_t, size_t> rows);
    void WeldPageDrawn(size_t i);
    void ChartOf(size_t i, const QRect& area, bool drawn);
    void FiguresColumn(const WeldPageText& t, const QRect& area);

    const CommandLine& cl_;
    std::string settingsPath_;
    std::ostream& err_;
    ReportSettings settings_;
    std::vector<std::string> files_;
    std::vector<OverviewRow> rows_;
    std::vector<std::pair<size_t, size_t>> overviewPages_;
    int pages_ = 0;
    QCPPainter* p_ = nullptr;
    TFormWeldMain* main_ = nullptr;
};

int ReportWriter::Run() {
    AtomicFile file(cl_.outPath);  // an output that cannot be written fails before any work
    settings_ = LoadReportSettings(settingsPath_);
    bool allRead = ExpandPaths(cl_.files, settings_.accepted, files_, err_);
    if (files_.empty()) {
        err_ << "varmonix: no wave files to report\n";
        return 1;
    }
    const StopOnSignals stop;
    const auto stopped = [this] {
        if (!gStop) return false;
        err_ << "varmonix: report stopped, nothing written\n";
        return true;
    };
    ReportProgress progress(files_.size(), err_);
    rows_ = MeasureReportRows(files_, settings_, gStop);
    if (stopped()) return 1;
    progress.Measured();
    for (const OverviewRow& r : rows_) allRead = allRead && r.file.readable;

    const int firstRows = (kTableBottom - kFirstTableTop) / kRowH - 1;
    const int laterRows = (kTableBottom - kLaterTableTop) / kRowH - 1;
    overviewPages_ = SplitRows(rows_.size(), firstRows, laterRows);
    pages_ = static_cast<int>(overviewPages_.size() + rows_.size());

    WeldMainOptions options;
    options.settingsPath = settingsPath_;
    AppWindows windows(options);
    if (!windows.Created()) return 1;
    main_ = &windows.Main();
    ShowOffScreen(*main_);
    const MessagesToStream messages(err_);

    AtomicDevice device(file);
    QPdfWriter pdf(&device);
    pdf.setResolution(72);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                  QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    pdf.setTitle(QStringLiteral("Weld report"));
    pdf.setCreator(QStringLiteral("Varmonix"));
    QCPPainter painter(&pdf);
    painter.setMode(QCPPainter::pmVectorized);
    p_ = &painter;
    for (size_t k = 0; k < overviewPages_.size(); ++k) {
        if (k > 0) pdf.newPage();
        OverviewPage(k, overviewPages_[k]);
    }
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (stopped()) return 1;  // the atomic file leaves nothing behind
        pdf.newPage();
        WeldPageDrawn(i);
        progress.PageDone(i + 1);
    }
    painter.end();
    p_ = nullptr;
    device.Finish();
    file.Commit();
    return allRead ? 0 : 1;
}

void ReportWriter::OverviewPage(size_t page, std::pair<size_t, size_t> rows) {
    QPainter& p = *p_;
    Text(p, QRectF(kMargin, kMargin, kContentW * 0.7, 22), QStringLiteral("Weld report"), 16, true);
    Text(p, QRectF(kMargin + kContentW * 0.7, kMargin, kContentW * 0.3, 22),
         QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")), 9, false, kGrey,
         Qt::AlignRight | Qt::AlignVCenter);
    QStringList paths;
    for (const std::string& f : cl_.files) paths << FromNativePath(f);
    Text(p, QRectF(kMargin, kMargin + 24, kContentW, 13), paths.join(QStringLiteral(", ")), 8,
         false, kGrey);
    QString summary = Q(ReportSummary(rows_));
    if (!settings_.limits.AnySet()) summary += QStringLiteral("; no quality limits set");
    Text(p, QRectF(kMargin, kMargin + 38, kContentW, 14), summary, 10);

    int top = kLaterTableTop;
    if (page == 0) {
        Text(p, QRectF(kMargin, kTrendTop - 16, kContentW, 14),
             English(kTextTrend) + QStringLiteral(": ") + English(kTextLimitArcTime + 1), 10, true);
        TrendChart trend;
        trend.resize(kContentW, kTrendH);
        trend.SetTitles(English(kTextColumnNumber), English(kTextLimitArcTime + 1));
        trend.SetLimit(settings_.limits.bound[LimitKeyOfColumn(kColCurrent)]);
        trend.SetPoints(TrendPoints(rows_, kColCurrent));
        p.save();
        p.translate(kMargin, kTrendTop);
        trend.PaintInto(*p_, QSize(kContentW, kTrendH));
        p.restore();
        top = kFirstTableTop;
    }
    TableRows(top, rows);
    Footer(p, static_cast<int>(page) + 1, pages_);
}

void ReportWriter::TableRows(int top, std::pair<size_t, size_t> rows) {
    QPainter& p = *p_;
    const std::array<std::string, kOverviewColumns> headers = ReportHeaders();
    const auto row = [&](int y, const auto& cellAt, bool header) {
        double x = kMargin;
        for (int c = 0; c < kOverviewColumns; ++c) {
            const auto [text, fails] = cellAt(c);
            const int align = (c == kColFile || c == kColResult ? Qt::AlignLeft : Qt::AlignRight) |
                              Qt::AlignVCenter;
            Text(p, QRectF(x + 2, y, kColumnW[c] - 6, kRowH), Q(text), header ? 7.5 : 8, header,
                 fails ? kFailColor : Qt::black, align);
            x += kColumnW[c];
        }
    };
    row(
        top,
        [&](int c) {
            return ReportCell{headers[c], false};
        },
        true);
    p.setPen(QPen(kGrey, 0.5));
    p.drawLine(QPointF(kMargin, top + kRowH), QPointF(kMargin + kContentW, top + kRowH));
    int y = top + kRowH + 1;
    for (size_t i = rows.first; i < rows.second; ++i, y += kRowH) {
        const std::array<ReportCell, kOverviewColumns> cells = ReportCells(rows_[i]);
        if ((i - rows.first) % 2 == 1)
            p.fillRect(QRectF(kMargin, y, kContentW, kRowH), QColor(242, 242, 242));
        row(
            y, [&](int c) { return cells[c]; }, false);
    }
}

void ReportWriter::WeldPageDrawn(size_t i) {
    QPainter& p = *p_;
    const OverviewRow& row = rows_[i];
    const WeldPageText t = WeldPage(row, rows_.size(), files_[i], settings_.limits);
    Text(p, QRectF(kMargin, kMargin, kContentW * 0.7, 22), Q(t.title), 14, true);
    Text(p, QRectF(kMargin + kContentW * 0.7, kMargin, kContentW * 0.3, 22), Q(t.number), 9, false,
         kGrey, Qt::AlignRight | Qt::AlignVCenter);
    Text(p, QRectF(kMargin, kMargin + 22, kContentW, 12), FromNativePath(t.path), 8, false, kGrey);

    constexpr int kColumnX = kMargin + 612;
    ChartOf(i, QRect(kMargin, kMargin + 42, kColumnX - kMargin - 16, 470), t.drawn);
    FiguresColumn(t, QRect(kColumnX, kMargin + 42, kPageW - kMargin - kColumnX, 470));
    Footer(p, static_cast<int>(overviewPages_.size() + i) + 1, pages_);
}

void ReportWriter::ChartOf(size_t i, const QRect& area, bool drawn) {
    QPainter& p = *p_;
    const OverviewRow& row = rows_[i];
    bool shown = false;
    if (drawn && row.file.waveFile) {
        const uint64_t before = main_->WavesDrawn();
        main_->OpenPath(AbsolutePath(files_[i]));
        shown = main_->WavesDrawn() != before;
        if (shown) {
            main_->ChtWave->ReplotNow();
            QApplication::processEvents();
            p.save();
            p.translate(area.topLeft());
            // The picture keeps its proportions; it sits at the top.
            const QSize natural = ChartPictureSize(*main_);
            const double scale = std::min(double(area.width()) / natural.width(),
                                          double(area.height()) / natural.height());
            PaintFitted(*main_, *p_,
                        QSize(area.width(), static_cast<int>(natural.height() * scale)));
            p.restore();
        }
    }
    if (!shown) {
        p.setPen(QPen(kGrey, 0.5));
        p.drawRect(area);
        const QString why = Q(ReportCells(row)[kColResult].text);
        Text(p, area, why.isEmpty() ? English(kTextNotDrawn) : why, 12, false, kGrey,
             Qt::AlignCenter);
    }
}

void ReportWriter::FiguresColumn(const WeldPageText& t, const QRect& area) {
    QPainter& p = *p_;
    double y = area.top();
    const auto line = [&](const ReportLine& l, double points) {
        const QColor color = l.fails ? kFailColor : Qt::black;
        Text(p, QRectF(area.left(), y, area.width() * 0.58, 14), Q(l.label), points, false, color);
        Text(p, QRectF(area.left() + area.width() * 0.58, y, area.width() * 0.42, 14), Q(l.value),
             points, l.fails, color, Qt::AlignRight | Qt::AlignVCenter);
        y += 14;
        if (!l.limit.empty()) {
            Text(p, QRectF(area.left() + 8, y, area.width() - 8, 11),
                 QStringLiteral("limit ") + Q(l.limit), 7, false, kGrey);
            y += 12;
        }
    };
    if (!t.result.empty()) {
        Text(p, QRectF(area.left(), y, area.width(), 24), Q(t.result), 18, true,
             t.fails ? kFailColor : kPassColor);
        y += 32;
    }
    if (!t.metrics.empty()) {
        Text(p, QRectF(area.left(), y, area.width(), 16), English(kTextMetricsTitle), 11, true);
        y += 20;
        for (const ReportLine& l : t.metrics) line(l, 9);
        Text(p, QRectF(area.left(), y, area.width(), 12), English(kTextEstimateNote), 7, false,
             kGrey);
        y += 22;
    }
    if (!t.limits.empty()) {
        Text(p, QRectF(area.left(), y, area.width(), 16), English(kTextLimitsTitle), 11, true);
        y += 20;
        for (const ReportLine& l : t.limits) line(l, 9);
    }
}

}  // namespace

int RunReport(const CommandLine& cl, const std::string& settingsPath, std::ostream& err) {
    return GuardedRun(err, [&] {
        try {
            ReportWriter w(cl, settingsPath, err);
            return w.Run();
        } catch (const FileWriteError& e) {
            err << "varmonix: cannot write " << e.Path() << ": " << e.Reason() << '\n';
            return 1;
        }
    });
}

}  // namespace vx
