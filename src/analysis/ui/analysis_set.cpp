#include "analysis/ui/analysis_set.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/text_table.h"
#include "common/ui/fonts.h"
#include "common/ui/message_box2.h"
#include "common/weld_common.h"

namespace vx {
namespace {

constexpr int kRowTop = 16;
constexpr int kRowHeight = 34;

}  // namespace

TFormAnalysisSet::TFormAnalysisSet(const WeldCommon& common, const AnalysisParams& params,
                                   QWidget* parent)
    : QDialog(parent), common_(common), params_(params) {
    auto text = [&common](int id) { return QString::fromStdString(common.LoadTextUtf8(id)); };
    setObjectName("FormAnalysisSet");
    setWindowTitle(text(kTextAnalysisSettings));
    setFont(GothicFont(16, true));
    setFixedSize(420, kRowTop + kParameterCount * kRowHeight + 60);

    const auto texts = ParameterTexts(params);
    for (int i = 0; i < kParameterCount; ++i) {
        const int top = kRowTop + i * kRowHeight;
        auto* label = new QLabel(text(kTextArcThreshold + i), this);
        label->setObjectName(QString("LblParam%1").arg(i + 1));
        label->setGeometry(16, top, 200, 26);
        auto* edit = new QLineEdit(QString::fromStdString(texts[i]), this);
        edit->setObjectName(QString("EdtParam%1").arg(i + 1));
        edit->setGeometry(220, top, 90, 26);
        edit->setAlignment(Qt::AlignRight);
        label->setBuddy(edit);
        Edits[i] = edit;
        if (RuleOf(i) == ParameterRule::ZeroOrMore) {
            auto* hint = new QLabel(text(kTextZeroUnknown), this);
            hint->setObjectName(QString("LblParamHint%1").arg(i + 1));
            hint->setGeometry(318, top, 100, 26);
            hint->setFont(GothicFont(13));
        }
    }
    const int buttonsTop = kRowTop + kParameterCount * kRowHeight + 14;
    BtnOk = new QPushButton(text(kTextOk), this);
    BtnOk->setObjectName("BtnOk");
    BtnOk->setGeometry(200, buttonsTop, 100, 32);
    BtnOk->setDefault(true);
    BtnCancel = new QPushButton(text(kTextCancel), this);
    BtnCancel->setObjectName("BtnCancel");
    BtnCancel->setGeometry(308, buttonsTop, 100, 32);
    connect(BtnOk, &QPushButton::clicked, this, [this] { OkClick(); });
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormAnalysisSet::OkClick() {
    std::array<std::string, kParameterCount> texts;
    for (int i = 0; i < kParameterCount; ++i) texts[i] = Edits[i]->text().toStdString();
    const auto r = ParseParameterTexts(texts);
    if (const auto* bad = std::get_if<BadParameter>(&r)) {
        const int ruleText = RuleOf(bad->index) == ParameterRule::AboveZero    ? kTextAboveZero
                             : RuleOf(bad->index) == ParameterRule::ZeroOrMore ? kTextZeroOrMore
                                                                               : kTextFraction;
        auto text = [this](int id) { return QString::fromStdString(common_.LoadTextUtf8(id)); };
        if (FormMessageBox2) {
            FormMessageBox2->SetTexts(
                text(kTextAnalysisSettings),
                text(kTextArcThreshold + bad->index) + "\r\n" + text(ruleText));
            FormMessageBox2->ShowModal();
        }
        Edits[bad->index]->setFocus();
        Edits[bad->index]->selectAll();
        return;
    }
    params_ = std::get<AnalysisParams>(r);
    accept();
}

}  // namespace vx
