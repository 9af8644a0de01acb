#include "common/ui/message_box2.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "common/ui/fonts.h"
#include "common/ui/form_tools.h"

namespace vx {

TFormMessageBox2* FormMessageBox2 = nullptr;

TFormMessageBox2::TFormMessageBox2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName("FormMessageBox2");
    setModal(true);
    resize(399, 167);
    setFont(PGothicFont(12));
    setAutoFillBackground(true);

    BtnOkMessageBox2 = new QPushButton("OK", this);
    BtnOkMessageBox2->setObjectName("BtnOkMessageBox2");
    BtnOkMessageBox2->setGeometry(132, 118, 140, 35);
    BtnOkMessageBox2->setFont(GothicFont(16));
    BtnOkMessageBox2->setDefault(true);
    connect(BtnOkMessageBox2, &QPushButton::clicked, this, &QDialog::accept);

    LabelMessageBox2 = new QLabel(this);
    LabelMessageBox2->setObjectName("LabelMessageBox2");
    LabelMessageBox2->setGeometry(16, 24, 369, 81);
    LabelMessageBox2->setFont(PGothicFont(16));
    LabelMessageBox2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelMessageBox2->setTextFormat(Qt::PlainText);

    setTabOrder(BtnOkMessageBox2, BtnOkMessageBox2);
}

void TFormMessageBox2::SetTexts(const QString& caption, const QString& message) {
    setWindowTitle(caption);
    QString shown = message;
    shown.replace("\r\n", "\n");
    LabelMessageBox2->setText(shown);
}

QString TFormMessageBox2::MessageText() const { return LabelMessageBox2->text(); }

int TFormMessageBox2::ShowModal() { return exec(); }

void TFormMessageBox2::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    CenterOnScreen(this);
    BtnOkMessageBox2->setFocus();
}

}  // namespace vx
