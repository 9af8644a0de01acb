#include "app/ui/weld_main.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>

#include "analysis/analysis_settings.h"
#include "analysis/ui/metrics_panel.h"
#include "app/ui/pictures.h"
#include "app/ui/status_bar.h"
#include "app/version.h"
#include "app/window_layout.h"
#include "common/text_table.h"
#include "common/ui/fonts.h"
#include "common/ui/form_tools.h"
#include "common/ui/message_box2.h"
#include "common/ui/picture_box.h"
#include "common/weld_common.h"
#include "display/ui/wave_chart.h"
#include "settings/settings_file.h"
#include "settings/settings_location.h"
#include "settings/ui/weld_wave_set.h"
#include "wavefile/wave_csv.h"
#include "wavefile/wave_tables.h"

namespace vx {

TFormWeldMain* FormWeldMain = nullptr;

namespace {

constexpr int kPnlBaseWidth = 953, kPnlBaseHeight = 641;
const QColor kScaleColors[3] = {QColor(255, 0, 0), QColor(0, 0, 255), QColor(0, 128, 0)};
constexpr int kLabelTops[11] = {472, 427, 382, 337, 293, 248, 203, 154, 114, 69, 24};
constexpr int kLabelHeights[11] = {24, 21, 18, 23, 19, 24, 21, 27, 22, 19, 24};
constexpr int kLabelLefts[3] = {113, 64, 15};
constexpr int kUnitLefts[3] = {98, 49, 0};
constexpr int kGridTops[9] = {431, 386, 341, 297, 252, 207, 162, 118, 73};

template <class W>
W* Make(QWidget* parent, const QString& name, int l, int t, int w, int h) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(l, t, w, h);
    return widget;
}

// A horizontal grey dotted line over the chart; lets the mouse through.
class DottedLine : public QFrame {
  public:
    using QFrame::QFrame;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(QColor(128, 128, 128), 1, Qt::DotLine));
        p.drawLine(0, 0, width(), 0);
    }
};

QFrame* MakePanel(QWidget* parent, const QString& name, int l, int t, int w, int h) {
    auto* f = Make<QFrame>(parent, name, l, t, w, h);
    f->setFrameStyle(QFrame::NoFrame);
    return f;
}

}  // namespace

TFormWeldMain::TFormWeldMain(WeldMainOptions options, QWidget* parent)
    : QWidget(parent),
      settingsPath_(std::move(options.settingsPath)),
      chooser_(std::move(options.chooser)),
      language_(options.language) {
    if (settingsPath_.empty()) settingsPath_ = PrepareSettingsFile(LocateSettings());
    if (!chooser_) chooser_ = ChooseFolderWithDialog;
    savePathChooser = ChooseSavePathWithDialog;
    setObjectName("FormWeldMain");
    setWindowIcon(AppIcon());
    setFont(GothicFont(19, true));
    resize(951, 663);
    setMinimumSize(200, 150);
    setAcceptDrops(true);  // a folder or a wave file dropped anywhere on the window
    BuildComponents();
    FormCreate(options.failOwnedObjects);
    if (created_) Connect();
}

TFormWeldMain::~TFormWeldMain() { FreeObjects(); }

void TFormWeldMain::BuildComponents() {
    PnlBase = Make<QFrame>(this, "PnlBase", 0, 0, kPnlBaseWidth, kPnlBaseHeight);
    PnlBase->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PnlBase->setLineWidth(2);
    PnlBase->installEventFilter(this);

    ImgLogoKORVEN = Make<PictureBox>(PnlBase, "ImgLogoKORVEN", 726, 16, 145, 66);
    ImgLogoKORVEN->SetPicture(LogoPicture());

    PnlBaseSub = MakePanel(PnlBase, "PnlBaseSub", 6, 98, 939, 511);

    GrpBoxMenu = Make<QGroupBox>(PnlBase, "GrpBoxMenu", 21, 7, 684, 82);
    GrpBoxMenu->setFont(GothicFont(19, true));
    BtnOpen = Make<QPushButton>(GrpBoxMenu, "BtnOpen", 30, 25, 150, 40);
    BtnDisp = Make<QPushButton>(GrpBoxMenu, "BtnDisp", 230, 25, 227, 40);
    BtnExit = Make<QPushButton>(GrpBoxMenu, "BtnExit", 508, 25, 150, 40);

    ChtWave = new WaveChart(PnlBase);
    ChtWave->setGeometry(71, 102, 706, 531);
    for (int i = 0; i < 9; ++i) {
        auto* line = new DottedLine(ChtWave);
        line->setObjectName(QString("ShpAxisHor%1").arg(i + 1, 2, 10, QChar('0')));
        line->setGeometry(WaveChart::kPlotLeft, kGridTops[i], WaveChart::kPlotWidth, 1);
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
        ShpAxisHor[i] = line;
    }

    // 4 px lower than the form's 90, so that each label's text centre sits on
    // its grid line; and short enough to leave the time axis' first label whole.
    PnlBaseLelfAxisHor = MakePanel(PnlBase, "PnlBaseLelfAxisHor", 6, 94, 151, 497);
    PnlBaseLelfAxisHor->setAutoFillBackground(true);
    const QFont scaleFont = GothicFont(16, true);
    for (int p = 0; p < 3; ++p) {
        QPalette pal;
        pal.setColor(QPalette::WindowText, kScaleColors[p]);
        auto* unit = Make<QLabel>(PnlBaseLelfAxisHor, QString("LblAxisHor%1Unit").arg(p + 1),
                                  kUnitLefts[p], 5, 49, 20);
        unit->setFont(scaleFont);
        unit->setPalette(pal);
        unit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        for (int s = 0; s < 11; ++s) {
            auto* l =
                Make<QLabel>(PnlBaseLelfAxisHor,
                             QString("LblAxisHor%1%2").arg(p + 1).arg(s + 1, 2, 10, QChar('0')),
                             kLabelLefts[p], kLabelTops[s], 36, kLabelHeights[s]);
            l->setFont(scaleFont);
            l->setPalette(pal);
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }

    PnlBaseRightAxisHor = MakePanel(PnlBase, "PnlBaseRightAxisHor", 694, 95, 220, 471);
    PnlBaseRightAxisHor->setAutoFillBackground(true);
    const int toggleTops[3] = {50, 88, 130};
    QToolButton* toggles[3];
    for (int k = 0; k < 3; ++k) {
        auto* b = Make<QToolButton>(PnlBaseRightAxisHor,
                                    QString("SpdBtnExp%1").arg(k + 1, 2, 10, QChar('0')), 0,
                                    toggleTops[k], 20, 20);
        b->setCheckable(true);
        b->setChecked(true);
        b->setAutoRaise(true);
        b->setIcon(SquareGlyph(kScaleColors[k]));
        b->setIconSize(QSize(16, 16));
        b->setProperty("Tag", k + 1);
        toggles[k] = b;
    }
    SpdBtnExp01 = toggles[0];
    SpdBtnExp02 = toggles[1];
    SpdBtnExp03 = toggles[2];
    LblExpTitle01 = Make<QLabel>(PnlBaseRightAxisHor, "LblExpTitle01", 25, 48, 192, 41);
    LblExpTitle02 = Make<QLabel>(PnlBaseRightAxisHor, "LblExpTitle02", 25, 88, 192, 41);
    LblExpTitle03 = Make<QLabel>(PnlBaseRightAxisHor, "LblExpTitle03", 26, 135, 192, 47);
    for (QLabel* l : {LblExpTitle01, LblExpTitle02, LblExpTitle03}) {
        l->setWordWrap(true);
        l->setFont(GothicFont(19, true));
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setTextFormat(Qt::PlainText);
    }
    BitBtnRewd = Make<QPushButton>(PnlBaseRightAxisHor, "BitBtnRewd", 0, 212, 25, 25);
    BitBtnPrev = Make<QPushButton>(PnlBaseRightAxisHor, "BitBtnPrev", 28, 212, 27, 25);
    BitBtnNext = Make<QPushButton>(PnlBaseRightAxisHor, "BitBtnNext", 70, 212, 27, 25);
    BitBtnFfwd = Make<QPushButton>(PnlBaseRightAxisHor, "BitBtnFfwd", 100, 212, 25, 25);
    BitBtnRewd->setIcon(StepIcon(StepGlyph::First));
    BitBtnPrev->setIcon(StepIcon(StepGlyph::Prev));
    BitBtnNext->setIcon(StepIcon(StepGlyph::Next));
    BitBtnFfwd->setIcon(StepIcon(StepGlyph::Last));
    CmbBoxCsvFile = Make<QComboBox>(PnlBaseRightAxisHor, "CmbBoxCsvFile", 0, 247, 125, 24);
    CmbBoxCsvFile->setFont(GothicFont(16, true));
    CmbBoxCsvFile->setEditable(false);
    CmbBoxCsvFile->setMaxVisibleItems(5);

    StsBarWave = new StatusBar(this, 2);
    StsBarWave->setObjectName("StsBarWave");
    StsBarWave->setGeometry(0, 641, 951, 22);
    StsBarWave->setFont(PGothicFont(12));
    StsBarWave->SetPanelWidth(0, 775);
    StsBarWave->SetPanelWidth(1, 100);

    PnlMetrics = new MetricsPanel(PnlBaseRightAxisHor);
    PnlMetrics->move(0, 284);

    TimToolTip = new QTimer(this);
    TimToolTip->setObjectName("TimToolTip");
    TimToolTip->setSingleShot(true);
    TimToolTip->setInterval(1000);
}

void TFormWeldMain::FormCreate(bool failOwnedObjects) {
    if (!failOwnedObjects) {
        Common = std::make_unique<WeldCommon>();
        WaveLines = std::make_unique<LineList>();
        CsvFileList = std::make_unique<std::vector<std::string>>();
    }
    if (!Common || !WaveLines || !CsvFileList) {
        FreeObjects();
        FailStart(QStringLiteral("Failed program start.(wave)"));
        return;
    }
    Common->SetPriority(3);
    static const char* const names[33] = {
        "Series001", "Series002", "Series003", "Series101", "Series102", "Series103", "Series104",
        "Series105", "Series106", "Series107", "Series108", "Series109", "Series110", "Series201",
        "Series202", "Series203", "Series204", "Series205", "Series206", "Series207", "Series208",
        "Series209", "Series210", "Series301", "Series302", "Series303", "Series304", "Series305",
        "Series306", "Series307", "Series308", "Series309", "Series310"};
    for (int i = 0; i < 33; ++i) SeriesWave[i] = ChtWave->Series(names[i]);
    for (int p = 0; p < 3; ++p) {
        for (int s = 0; s < 11; ++s)
            LblAxisHor[p][s] = PnlBaseLelfAxisHor->findChild<QLabel*>(
                QString("LblAxisHor%1%2").arg(p + 1).arg(s + 1, 2, 10, QChar('0')));
        LblAxisUnit[p] =
            PnlBaseLelfAxisHor->findChild<QLabel*>(QString("LblAxisHor%1Unit").arg(p + 1));
    }
    LblExpTitle = {LblExpTitle01, LblExpTitle02, LblExpTitle03};
    created_ = true;
}

void TFormWeldMain::Connect() {
    connect(BtnOpen, &QPushButton::clicked, this, GuardedSlot([this](bool) { BtnOpenClick(); }));
    connect(BtnDisp, &QPushButton::clicked, this, GuardedSlot([this](bool) { BtnDispClick(); }));
    connect(BtnExit, &QPushButton::clicked, this, GuardedSlot([this](bool) { BtnExitClick(); }));
    connect(PnlMetrics->SettingsButton(), &QToolButton::clicked, this,
            GuardedSlot([this](bool) { BtnAnalysisSetClick(); }));
    connect(PnlMetrics->OverviewButton(), &QToolButton::clicked, this,
            GuardedSlot([this](bool) { BtnOverviewClick(); }));
    for (QToolButton* b : {SpdBtnExp01, SpdBtnExp02, SpdBtnExp03})
        connect(b, &QToolButton::clicked, this,
                GuardedSlot([this, b](bool) { SpdBtnExpClick(b); }));
    connect(BitBtnRewd, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { BitBtnRewdClick(); }));
    connect(BitBtnPrev, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { BitBtnPrevClick(); }));
    connect(BitBtnNext, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { BitBtnNextClick(); }));
    connect(BitBtnFfwd, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { BitBtnFfwdClick(); }));
    // `activated` comes only from the user, not from selecting an item in code.
    connect(CmbBoxCsvFile, &QComboBox::activated, this,
            GuardedSlot([this](int i) { CmbBoxCsvFileChange(i); }));
    connect(ImgLogoKORVEN, &PictureBox::Clicked, this, GuardedSlot([this] { ImgLogoURLClick(); }));
    connect(ChtWave, &WaveChart::MouseMoved, this,
            GuardedSlot([this](int x, int) { ChtWaveMouseMove(x); }));
    connect(ChtWave, &WaveChart::Gestured, this,
            GuardedSlot([this](const Gesture& g) { ChtWaveGesture(g); }));
    connect(ChtWave, &WaveChart::WheelZoom, this,
            GuardedSlot([this](double anchor, double factor) { ChtWaveWheel(anchor, factor); }));
    MakeShortcuts();
    // The chart's own right click sets cursor B: the exports are offered on
    // the scale columns and the titles beside it.
    for (QWidget* side :
         {static_cast<QWidget*>(PnlBaseLelfAxisHor), static_cast<QWidget*>(PnlBaseRightAxisHor)}) {
        side->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(side, &QWidget::customContextMenuRequested, this,
                GuardedSlot([this, side](const QPoint& at) {
                    ExportMenu()->popup(side->mapToGlobal(at));
                }));
    }
    connect(TimToolTip, &QTimer::timeout, this, [this] { Guarded([this] { TimToolTipTimer(); }); });
}

void TFormWeldMain::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!shownOnce_ && created_) {
        shownOnce_ = true;
        CenterOnScreen(this);
        Guarded([this] { FormShow(); });
        // The platform sized the window before it was shown; this is the
        // first resize that FormShow's flag waits for.
        FormResize();
    }
}

void TFormWeldMain::FormShow() {
    FirstResize = true;
    ClearForm(this);
    ClearForm(FormWeldWaveSet);
    if (FormWeldWaveSet) FormWeldWaveSet->Common = Common.get();
    Common->SetLanguage(1);
    if (language_.value_or(LoadLanguageCode(settingsPath_)) == kLanguageJapanese)
        Common->UseJapaneseTexts();
    LangOffset = Common->TextOffset();
    InitView();
    SetCaptions();
    for (QWidget* w : std::initializer_list<QWidget*>{BitBtnRewd, BitBtnPrev, BitBtnNext,
                                                      BitBtnFfwd, CmbBoxCsvFile})
        w->setEnabled(false);
    ChtWave->Series("SeriesDummyL")->Clear();
    ChtWave->Series("SeriesDummyR")->Clear();
    StsBarWave->SetPanelText(1, QString::fromLatin1(kVersionText));
    StsBarWave->findChild<QLabel*>("StatusPanel1")->setAlignment(Qt::AlignCenter);
    SuspendChart();
    ResumeChartAfter(1000);
}

void TFormWeldMain::InitView() {
    CsvFolder.clear();
    StsBarWave->SetPanelText(0, QString());
    WaveLayout = 0;
    SampleCode = 0;
    CsvFileNo = 0;
    CsvFileCount = 0;
    WaveSetting.Multi.Enabled = false;
    MultiNo.fill(0);
    wave_ = LoadedWave{};
    overlays_.fill(LoadedWave{});
    view_.GoHome();
    LoadWaveSetting();
    analysis_ = LoadAnalysisParams(settingsPath_);
    UpdateMetrics();
    SetupAxes();
    for (int p = 0; p < 3; ++p) {
        SeriesWave[p]->Clear();
        for (int i = 0; i < 10; ++i) SeriesWave[3 + 10 * p + i]->Clear();
    }
    for (int k = 0; k < 3; ++k) {
        LblExpTitle[k]->setText(
            QString::fromStdString(Common->LoadTextUtf8(WaveTitleTable[WaveLayout][k])));
        LblAxisUnit[k]->setText(
            QString::fromStdString(Common->LoadTextUtf8(WaveUnitTable[WaveLayout][k])));
    }
    ChtWave->Replot();
}

void TFormWeldMain::SetCaptions() {
    auto text = [this](int id) { return QString::fromStdString(Common->LoadTextUtf8(id)); };
    setWindowTitle(text(kTextWaveWindowTitle));
    TFormWeldWaveSet* d = FormWeldWaveSet;
    GrpBoxMenu->setTitle(text(kTextMenu));
    BtnOpen->setText(text(kTextOpen));
    BtnDisp->setText(text(kTextDisplaySetting));
    BtnExit->setText(text(kTextExit));
    if (d) d->SetCaptions(*Common);
    PnlMetrics->SetCaptions(*Common);
    for (int k = 0; k < 3; ++k) {
        WaveSetting.Scale.Graph[k].Caption = Common->LoadTextUtf8(kTextCurrent + k);
        WaveSetting.Scale.GraphRecom[k].Caption = Common->LoadTextUtf8(kTextInitialValues);
    }
    WaveSetting.Scale.Graph[3].Caption = Common->LoadTextUtf8(kTextTime);
    WaveSetting.Scale.GraphRecom[3].Caption = Common->LoadTextUtf8(kTextInitialValues);
}

void TFormWeldMain::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (created_ && shownOnce_) FormResize();
}

void TFormWeldMain::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && created_ && shownOnce_) FormResize();
}

void TFormWeldMain::FormResize() {
    StsBarWave->setGeometry(0, height() - 22, width(), 22);
    const WindowState state = isMinimized()   ? WindowState::Minimized
                              : isMaximized() ? WindowState::Maximized
                                              : WindowState::Normal;
    const QRect outer = frameGeometry();
    if (auto pos = PnlBasePositionAfterResize(state, FirstResize, outer.width(), outer.height(),
                                              PnlBase->width(), PnlBase->height()))
        PnlBase->move(pos->left, pos->top);
    StsBarWave->SetPanelWidth(0, StatusPanel0Width(StsBarWave->width()));
}

bool TFormWeldMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PnlBase) {
        if (event->type() == QEvent::MouseButtonPress) {
            PnlBaseMouseDown();
            if (dragging_) dragOffset_ = static_cast<QMouseEvent*>(event)->position().toPoint();
        } else if (event->type() == QEvent::MouseMove && dragging_) {
            const QPoint inWindow =
                PnlBase->mapToParent(static_cast<QMouseEvent*>(event)->position().toPoint());
            PnlBase->move(inWindow - dragOffset_);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            dragging_ = false;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFormWeldMain::PnlBaseMouseDown() {
    // Only a maximized window lets the panel be dragged around inside it.
    dragging_ = isMaximized();
}

void TFormWeldMain::ImgLogoURLClick() {
    const QString hint = ImgLogoKORVEN->toolTip();
    if (!hint.isEmpty()) QDesktopServices::openUrl(QUrl::fromUserInput(hint));
}

void TFormWeldMain::BtnExitClick() { close(); }

void TFormWeldMain::SuspendChart() {
    TimToolTip->stop();
    ChtWave->setEnabled(false);
}

void TFormWeldMain::ResumeChartAfter(int delayMs) {
    TimToolTip->stop();
    TimToolTip->setInterval(delayMs);
    TimToolTip->start();
}

void TFormWeldMain::TimToolTipTimer() {
    TimToolTip->stop();
    if (!ChtWave->isEnabled()) ChtWave->setEnabled(true);
}

void TFormWeldMain::FreeObjects() {
    Common.reset();
    WaveLines.reset();
    CsvFileList.reset();
}

void TFormWeldMain::ShowMessage(int captionId, int messageId) {
    SetMessageBox2(*Common, captionId, messageId);
    if (FormMessageBox2) FormMessageBox2->ShowModal();
}

}  // namespace vx
