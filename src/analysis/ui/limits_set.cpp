#include "analysis/ui/limits_set.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "analysis/limit_edit.h"
#include "common/number_text.h"
#include "common/text_table.h"
#include "common/ui/fonts.h"
#include "common/ui/message_box2.h"
#include "common/weld_common.h"

namespace vx {
namespace {

constexpr int kTop = 40;
constexpr int kRowHeight = 30;
constexpr int kLabelWidth = 260;
constexpr int kEditLeft = 280, kEditWidth = 110, kEditGap = 10;

}  // namespace

TFormLimitsSet::TFormLimitsSet(const WeldCommon& common, const Limits& limits,
                               std::array<std::vector<double>, kLimitCount> selection,
                               QWidget* parent)
    : QDialog(parent), common_(common), limits_(limits), selection_(std::move(selection)) {
    auto text = [&common](int id) { return QString::fromStdString(common.LoadTextUtf8(id)); };
    setObjectName("FormLimitsSet");
    setWindowTitle(text(kTextLimitsTitle));
    setFont(GothicFont(15, true));
    const int right = kEditLeft + 2 * kEditWidth + kEditGap;
    const int buttonsTop = kTop + kLimitCount * kRowHeight + 16;
    setFixedSize(right + 16, buttonsTop + 48);

    for (int s = 0; s < 2; ++s) {
        auto* head = new QLabel(text(s == 0 ? kTextMinimum : kTextMaximum), this);
        head->setObjectName(s == 0 ? "LblLimitMin" : "LblLimitMax");
        head->setGeometry(kEditLeft + s * (kEditWidth + kEditGap), 10, kEditWidth, 24);
        head->setAlignment(Qt::AlignCenter);
    }
    const LimitTexts texts = TextsOfLimits(limits);
    for (int k = 0; k < kLimitCount; ++k) {
        const int top = kTop + k * kRowHeight;
        auto* label = new QLabel(text(kTextLimitArcTime + k), this);
        label->setObjectName(QString("LblLimit%1").arg(k + 1));
        label->setGeometry(16, top, kLabelWidth, 26);
        label->setToolTip(QString::fromLatin1(kLimitKeys[k].name));
        for (int s = 0; s < 2; ++s) {
            auto* edit = new QLineEdit(QString::fromStdString(texts[k][s]), this);
            edit->setObjectName(QString(s == 0 ? "EdtLimitMin%1" : "EdtLimitMax%1").arg(k + 1));
            edit->setGeometry(kEditLeft + s * (kEditWidth + kEditGap), top, kEditWidth, 26);
            edit->setAlignment(Qt::AlignRight);
            Edits[k][s] = edit;
        }
        label->setBuddy(Edits[k][0]);
    }

    BtnFromSelection = new QPushButton(text(kTextFromSelection), this);
    BtnFromSelection->setObjectName("BtnFromSelection");
    BtnFromSelection->setGeometry(16, buttonsTop, 180, 32);
    BtnFromSelection->setToolTip(text(kTextFromSelectionTip));
    bool any = false;
    for (const auto& v : selection_) any = any || !v.empty();
    BtnFromSelection->setEnabled(any);
    BtnOk = new QPushButton(text(kTextOk), this);
    BtnOk->setObjectName("BtnOk");
    BtnOk->setGeometry(right - 208, buttonsTop, 100, 32);
    BtnOk->setDefault(true);
    BtnCancel = new QPushButton(text(kTextCancel), this);
    BtnCancel->setObjectName("BtnCancel");
    BtnCancel->setGeometry(right - 100, buttonsTop, 100, 32);
    connect(BtnFromSelection, &QPushButton::clicked, this, [this] { FromSelectionClick(); });
    connect(BtnOk, &QPushButton::clicked, this, [this] { OkClick(); });
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormLimitsSet::FromSelectionClick() {
    for (int k = 0; k < kLimitCount; ++k) {
        const std::optional<Bound> b = ProposeLimit(k, selection_[k]);
        if (!b) continue;  // no selected weld has this figure: left as it is
        Edits[k][0]->setText(QString::fromStdString(ShortestText(*b->min)));
        Edits[k][1]->setText(QString::fromStdString(ShortestText(*b->max)));
    }
}

void TFormLimitsSet::OkClick() {
    LimitTexts texts;
    for (int k = 0; k < kLimitCount; ++k)
        for (int s = 0; s < 2; ++s) texts[k][s] = Edits[k][s]->text().toStdString();
    const auto r = ParseLimitTexts(texts);
    if (const auto* bad = std::get_if<BadLimit>(&r)) {
        auto text = [this](int id) { return QString::fromStdString(common_.LoadTextUtf8(id)); };
        const int why = bad->why == BadLimit::NotANumber ? kTextNumberOrEmpty : kTextMaxBelowMin;
        if (FormMessageBox2) {
            FormMessageBox2->SetTexts(text(kTextLimitsTitle),
                                      text(kTextLimitArcTime + bad->key) + "\r\n" + text(why));
            FormMessageBox2->ShowModal();
        }
        QLineEdit* edit = Edits[bad->key][bad->side];
        edit->setFocus();
        edit->selectAll();
        return;
    }
    limits_ = std::get<Limits>(r);
    accept();
}

}  // namespace vx
