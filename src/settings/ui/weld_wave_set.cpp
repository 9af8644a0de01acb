#include "settings/ui/weld_wave_set.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <stdexcept>

#include "common/text_table.h"
#include "common/ui/fonts.h"
#include "common/ui/form_tools.h"
#include "common/ui/message_box2.h"
#include "common/weld_common.h"
#include "settings/multi_list.h"
#include "settings/scale_edit.h"

namespace vx {

TFormWeldWaveSet* FormWeldWaveSet = nullptr;

namespace {

constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;

template <class W>
W* Make(QWidget* parent, const char* name, int l, int t, int w, int h) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(l, t, w, h);
    return widget;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int l, int t, int w, int h, int maxLength) {
    auto* e = Make<QLineEdit>(parent, name, l, t, w, h);
    if (maxLength > 0) e->setMaxLength(maxLength);
    return e;
}

// Tab order along the given controls.
void TabChain(std::initializer_list<QWidget*> chain) {
    QWidget* previous = nullptr;
    for (QWidget* w : chain) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

QString Utf8(const std::string& s) { return QString::fromStdString(s); }
std::string Std(const QString& s) { return s.toStdString(); }

}  // namespace

TFormWeldWaveSet::TFormWeldWaveSet(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("FormWeldWaveSet");
    setModal(true);
    setFixedSize(545, 251);
    setFont(GothicFont(19, true));

    PnlBase = Make<QFrame>(this, "PnlBase", 0, 0, 545, 251);
    PnlBase->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PnlBase->setLineWidth(3);
    const QFont f = GothicFont(16, true);
    PnlBase->setFont(f);

    PgCtrlDisp = Make<QTabWidget>(PnlBase, "PgCtrlDisp", 10, 10, 525, 195);
    TabScale = new QWidget;
    TabScale->setObjectName("TabScale");
    TabMulti = new QWidget;
    TabMulti->setObjectName("TabMulti");
    PgCtrlDisp->addTab(TabScale, QString());
    PgCtrlDisp->addTab(TabMulti, QString());
    PgCtrlDisp->setCurrentIndex(0);

    LblScaleMin = Make<QLabel>(TabScale, "LblScaleMin", 160, 5, 84, 20);
    LblScaleMin->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LblScaleMax = Make<QLabel>(TabScale, "LblScaleMax", 248, 5, 82, 20);
    LblScaleMax->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    LblWave1 = Make<QLabel>(TabScale, "LblWave1", 20, 28, 145, 24);
    EdtMinWave1 = MakeEdit(TabScale, "EdtMinWave1", 170, 28, 73, 24, 4);
    EdtMaxWave1 = MakeEdit(TabScale, "EdtMaxWave1", 256, 28, 73, 24, 4);
    BtnRecomCurrent = Make<QPushButton>(TabScale, "BtnRecomCurrent", 342, 27, 155, 25);
    LblWave2 = Make<QLabel>(TabScale, "LblWave2", 20, 58, 145, 24);
    EdtMinWave2 = MakeEdit(TabScale, "EdtMinWave2", 170, 58, 73, 24, 4);
    EdtMaxWave2 = MakeEdit(TabScale, "EdtMaxWave2", 256, 58, 73, 24, 4);
    BtnRecomVoltage = Make<QPushButton>(TabScale, "BtnRecomVoltage", 342, 58, 155, 25);
    LblWave3 = Make<QLabel>(TabScale, "LblWave3", 20, 88, 145, 24);
    EdtMinWave3 = MakeEdit(TabScale, "EdtMinWave3", 170, 88, 73, 24, 4);
    EdtMaxWave3 = MakeEdit(TabScale, "EdtMaxWave3", 256, 88, 73, 24, 4);
    BtnRecomWireSpeed = Make<QPushButton>(TabScale, "BtnRecomWireSpeed", 342, 88, 155, 25);
    PnlSep = Make<QFrame>(TabScale, "PnlSep", 10, 120, 495, 2);
    PnlSep->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    LblTime = Make<QLabel>(TabScale, "LblTime", 20, 128, 145, 24);
    EdtMinTime = MakeEdit(TabScale, "EdtMinTime", 170, 128, 73, 24, 7);
    EdtMaxTime = MakeEdit(TabScale, "EdtMaxTime", 256, 128, 73, 24, 7);
    BtnRecomTime = Make<QPushButton>(TabScale, "BtnRecomTime", 342, 128, 155, 25);
    for (QLabel* l : {LblWave1, LblWave2, LblWave3, LblTime})
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    TabChain({EdtMinWave1, EdtMaxWave1, EdtMinWave2, EdtMaxWave2, EdtMinWave3, EdtMaxWave3,
              EdtMinTime, EdtMaxTime, BtnRecomCurrent, BtnRecomVoltage, BtnRecomWireSpeed,
              BtnRecomTime});

    GrpBoxMulti = Make<QGroupBox>(TabMulti, "GrpBoxMulti", 13, 32, 476, 97);
    ChkBoxMulti = Make<QCheckBox>(TabMulti, "ChkBoxMulti", 21, 30, 460, 17);
    ChkBoxMulti->setEnabled(false);
    // The check box covers the group box's top edge like a title; page and
    // box share one explicit background so the covered stretch does not show.
    for (QWidget* w : {TabScale, TabMulti, static_cast<QWidget*>(ChkBoxMulti)}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, palette().color(QPalette::Window));
        w->setPalette(pal);
        w->setAutoFillBackground(true);
    }
    ChkBoxMulti->raise();
    RadBtnRange = Make<QRadioButton>(GrpBoxMulti, "RadBtnRange", 15, 30, 190, 20);
    RadBtnRange->setChecked(true);
    EdtRangeSta = MakeEdit(GrpBoxMulti, "EdtRangeSta", 213, 28, 50, 24, 7);
    LblRange = Make<QLabel>(GrpBoxMulti, "LblRange", 281, 28, 12, 24);
    LblRange->setFont(GothicFont(12));
    LblRange->setAlignment(Qt::AlignCenter);
    EdtRangeEnd = MakeEdit(GrpBoxMulti, "EdtRangeEnd", 303, 28, 50, 24, 7);
    RadBtnSep = Make<QRadioButton>(GrpBoxMulti, "RadBtnSep", 15, 60, 190, 20);
    EdtSep = MakeEdit(GrpBoxMulti, "EdtSep", 213, 58, 140, 24, 0);
    TabChain({RadBtnRange, RadBtnSep, EdtRangeSta, EdtRangeEnd, EdtSep});

    BtnDisp = Make<QPushButton>(PnlBase, "BtnDisp", 305, 214, 99, 25);
    BtnCancel = Make<QPushButton>(PnlBase, "BtnCancel", 413, 214, 99, 25);
    BtnDisp->setDefault(true);
    TabChain({PgCtrlDisp, BtnDisp, BtnCancel});

    for (QPushButton* b : {BtnRecomCurrent, BtnRecomVoltage, BtnRecomWireSpeed, BtnRecomTime})
        connect(b, &QPushButton::clicked, this, GuardedSlot([this, b](bool) { BtnRecomClick(b); }));
    connect(ChkBoxMulti, &QCheckBox::clicked, this,
            GuardedSlot([this](bool) { ChkBoxMultiClick(); }));
    for (QRadioButton* r : {RadBtnRange, RadBtnSep})
        connect(r, &QRadioButton::clicked, this, GuardedSlot([this, r](bool) { RadBtnClick(r); }));
    connect(BtnDisp, &QPushButton::clicked, this, GuardedSlot([this](bool) { BtnDispClick(); }));
    connect(BtnCancel, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { BtnCancelClick(); }));

    FormCreate();
}

void TFormWeldWaveSet::FormCreate() {
    EdtMin = {EdtMinWave1, EdtMinWave2, EdtMinWave3, EdtMinTime};
    EdtMax = {EdtMaxWave1, EdtMaxWave2, EdtMaxWave3, EdtMaxTime};
    LblGraph = {LblWave1, LblWave2, LblWave3, LblTime};
    BtnRecom = {BtnRecomCurrent, BtnRecomVoltage, BtnRecomWireSpeed, BtnRecomTime};
}

int TFormWeldWaveSet::ShowModal() { return exec(); }

void TFormWeldWaveSet::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    CenterOnScreen(this);
    FormShow();
}

void TFormWeldWaveSet::FormShow() {
    if (!Common) {
        FailStart(QStringLiteral("Failed program start.(setting)"));
        return;
    }
    Guarded([this] { ShowWaveSetting(); });
}

void TFormWeldWaveSet::ShowWaveSetting() {
    static const QRegularExpression digits("[0-9]*");
    std::vector<QLineEdit*> numeric(EdtMin.begin(), EdtMin.end());
    numeric.insert(numeric.end(), EdtMax.begin(), EdtMax.end());
    numeric.push_back(EdtRangeSta);
    numeric.push_back(EdtRangeEnd);
    for (QLineEdit* e : numeric) {
        if (!e->validator()) e->setValidator(new QRegularExpressionValidator(digits, e));
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    // Only as wide as its caption, so the box's edge shows on both sides of it.
    ChkBoxMulti->resize(std::min(492, ChkBoxMulti->sizeHint().width() + 6), 17);
    if (!WaveSetting) return;
    WeldWaveSetting& s = *WaveSetting;
    for (int k = 0; k < 4; ++k) {
        EdtMin[k]->setText(QString::number(s.Scale.Graph[k].Min));
        EdtMax[k]->setText(QString::number(s.Scale.Graph[k].Max));
        LblGraph[k]->setText(Utf8(s.Scale.Graph[k].Caption));
        BtnRecom[k]->setText(Utf8(s.Scale.GraphRecom[k].Caption));
    }
    ChkBoxMulti->setChecked(s.Multi.Enabled);
    (s.Multi.SelMode == 0 ? RadBtnRange : RadBtnSep)->setChecked(true);
    std::string range[2];
    WeldCommon::SplitFields(s.Multi.RangeText, ",", false, 2, range);
    EdtRangeSta->setText(Utf8(range[0]));
    EdtRangeEnd->setText(Utf8(range[1]));
    EdtSep->setText(Utf8(s.Multi.SepText));
    EnableControls();
}

void TFormWeldWaveSet::EnableControls() {
    for (int k = 0; k < 4; ++k) {
        EdtMin[k]->setEnabled(true);
        EdtMax[k]->setEnabled(true);
        LblGraph[k]->setEnabled(true);
        BtnRecom[k]->setEnabled(true);
    }
    const bool on = WaveSetting && WaveSetting->Multi.Enabled;
    const bool range = WaveSetting && WaveSetting->Multi.SelMode == 0;
    RadBtnRange->setEnabled(on);
    RadBtnSep->setEnabled(on);
    EdtRangeSta->setEnabled(on && range);
    LblRange->setEnabled(on && range);
    EdtRangeEnd->setEnabled(on && range);
    EdtSep->setEnabled(on && !range);
}

void TFormWeldWaveSet::BtnRecomClick(QPushButton* sender) {
    if (!WaveSetting) return;
    for (int k = 0; k < 4; ++k) {
        if (BtnRecom[k] != sender) continue;
        GraphInfo& g = WaveSetting->Scale.Graph[k];
        const GraphInfo& r = WaveSetting->Scale.GraphRecom[k];
        g.Min = r.Min;
        g.Max = r.Max;
        EdtMin[k]->setText(QString::number(g.Min));
        EdtMax[k]->setText(QString::number(g.Max));
        EnableControls();
        return;
    }
}

void TFormWeldWaveSet::ChkBoxMultiClick() {
    if (!WaveSetting) return;
    WaveSetting->Multi.Enabled = ChkBoxMulti->isChecked();
    EnableControls();
}

void TFormWeldWaveSet::RadBtnClick(QRadioButton* sender) {
    if (!WaveSetting) return;
    WaveSetting->Multi.SelMode = sender == RadBtnRange ? 0 : 1;
    EnableControls();
}

void TFormWeldWaveSet::BtnDispClick() {
    if (!WaveSetting) return;
    std::array<ScaleRowText, 4> rows;
    for (int k = 0; k < 4; ++k) rows[k] = {Std(EdtMin[k]->text()), Std(EdtMax[k]->text())};
    if (const int bad = FirstInvalidScaleRow(rows); bad >= 0) {
        if (Common) SetMessageBox2(*Common, kTextSettingWindowTitle, kTextScaleMaxBelowMin);
        if (FormMessageBox2) FormMessageBox2->ShowModal();
        EdtMax[bad]->setFocus();
        return;
    }
    if (ChkBoxMulti->isChecked()) MakeMultiList();
    for (int k = 0; k < 4; ++k) {
        for (auto [edit, target] : {std::pair{EdtMin[k], &WaveSetting->Scale.Graph[k].Min},
                                    std::pair{EdtMax[k], &WaveSetting->Scale.Graph[k].Max}}) {
            const std::string text = Std(edit->text());
            std::optional<int32_t> v = StrictInt(text);
            if (!v) throw std::runtime_error(NotAnIntegerMessage(text));
            *target = *v;
        }
    }
    if (RadBtnRange->isChecked()) {
        WaveSetting->Multi.RangeText =
            MakeRangeText(Std(EdtRangeSta->text()), Std(EdtRangeEnd->text()));
        WaveSetting->Multi.SepText.clear();
    } else {
        WaveSetting->Multi.RangeText.clear();
        WaveSetting->Multi.SepText = Std(EdtSep->text());
    }
    done(kResultOk);
}

void TFormWeldWaveSet::BtnCancelClick() { done(kResultCancel); }

void TFormWeldWaveSet::reject() { done(kResultCancel); }

void TFormWeldWaveSet::MakeMultiList() {
    MultiNo.fill(0);
    const bool range = WaveSetting ? WaveSetting->Multi.SelMode == 0 : RadBtnRange->isChecked();
    if (range) {
        RangeListResult r =
            MakeRangeList(Std(EdtRangeSta->text()), Std(EdtRangeEnd->text()), FileCount);
        EdtRangeSta->setText(Utf8(r.StaText));
        EdtRangeEnd->setText(Utf8(r.EndText));
        MultiNo = r.MultiNo;
    } else {
        SepListResult r = MakeSepList(Std(EdtSep->text()), FileCount);
        EdtSep->setText(Utf8(r.Text));
        MultiNo = r.MultiNo;
    }
}

void TFormWeldWaveSet::SetCaptions(const WeldCommon& common) {
    auto text = [&common](int id) { return QString::fromStdString(common.LoadTextUtf8(id)); };
    setWindowTitle(text(kTextSettingWindowTitle));
    PgCtrlDisp->setTabText(0, text(kTextScaleTab));
    PgCtrlDisp->setTabText(1, text(kTextOverlayTab));
    LblScaleMin->setText(text(kTextMinimum));
    LblScaleMax->setText(text(kTextMaximum));
    LblTime->setText(text(kTextTime));
    BtnCancel->setText(text(kTextCancel));
    RadBtnRange->setText(text(kTextRangeChoice));
    LblRange->setText(text(kTextRangeDash));
    RadBtnSep->setText(text(kTextIndependentChoice));
    ChkBoxMulti->setText(text(kTextOverlayWaves));
    BtnDisp->setText(text(kTextOk));
}

void TFormWeldWaveSet::ResetOverlayChoice() {
    ChkBoxMulti->setEnabled(true);
    ChkBoxMulti->setChecked(false);
}

}  // namespace vx
