#include "app/ui/weld_help.h"

#include <QGridLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>

#include "app/viewer_keys.h"
#include "common/text_table.h"
#include "common/ui/fonts.h"
#include "common/weld_common.h"

namespace vx {

TFormWeldHelp::TFormWeldHelp(const WeldCommon& common, QWidget* parent) : QDialog(parent) {
    auto text = [&common](int id) { return QString::fromStdString(common.LoadTextUtf8(id)); };
    setObjectName("FormWeldHelp");
    setWindowTitle(text(kTextHelpTitle));
    setFont(GothicFont(14, true));
    setModal(false);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(2);
    int row = 0;
    auto heading = [&](int id) {
        auto* l = new QLabel(text(id), this);
        l->setFont(GothicFont(16, true));
        grid->addWidget(l, row++, 0, 1, 2);
    };
    auto add = [&](const QString& what, const QString& does) {
        const int n = static_cast<int>(rows_.size()) + 1;
        auto* left = new QLabel(what, this);
        left->setObjectName(QString("LblHelpKey%1").arg(n));
        auto* right = new QLabel(does, this);
        right->setObjectName(QString("LblHelpText%1").arg(n));
        right->setFont(GothicFont(14));
        for (QLabel* l : {left, right}) l->setTextFormat(Qt::PlainText);
        grid->addWidget(left, row, 0);
        grid->addWidget(right, row++, 1);
        rows_.emplace_back(what, does);
    };

    heading(kTextHelpKeyHeading);
    for (const ViewerKey& k : ViewerKeys()) {
        QStringList keys;
        for (const char* key : k.keys) {
            if (!key) continue;
            QString name = QKeySequence::fromString(key, QKeySequence::PortableText)
                               .toString(QKeySequence::NativeText);
            if (name.startsWith("Num+") && name.size() > 4) name = "Num " + name.mid(4);
            keys << name;
        }
        add(keys.join(", "), text(k.textId));
    }
    grid->setRowMinimumHeight(row++, 8);
    heading(kTextHelpMouseHeading);
    for (const ViewerGesture& g : ViewerGestures()) add(text(g.nameId), text(g.textId));

    BtnClose = new QPushButton(text(kTextHelpClose), this);
    BtnClose->setObjectName("BtnHelpClose");
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::close);
    grid->addWidget(BtnClose, row + 1, 1, Qt::AlignRight);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace vx
