#include "store/TdlgIns.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>

namespace {

// The design's geometry; controls grow beyond it only when a text needs more room.
constexpr int kDialogWidth = 234;
constexpr int kDialogHeight = 128;
constexpr QRect kGroupPlace(8, 24, 217, 65);
constexpr int kChoiceLeft = 16;  // dialog coordinates, as the design places the choices
constexpr int kChoice1Top = 40;
constexpr int kChoice2Top = 64;
constexpr int kChoiceWidth = 145;
constexpr int kChoiceHeight = 17;
constexpr int kButtonTop = 96;
constexpr int kOkLeft = 80;
constexpr int kCancelLeft = 160;
constexpr QSize kButtonSize(65, 25);

// Captions are shown as written: an ampersand is a character, not a shortcut mark.
QString literal(const QString& text) {
    QString escaped = text;
    return escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

TdlgIns::TdlgIns(QWidget* owner, int frameCount)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("dlgIns"));
    setWindowTitle(QStringLiteral("挿入位置の確認"));

    Label2 = new QLabel(QString::number(frameCount) + QStringLiteral("Frames"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->move(16, 4);

    RadioGroup1 = new QGroupBox(QStringLiteral("ロードした画像の挿入位置"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    rbPos1 = new QRadioButton(QStringLiteral("現在のフレームの前"), RadioGroup1);
    rbPos1->setObjectName(QStringLiteral("rbPos1"));
    rbPos2 = new QRadioButton(QStringLiteral("現在のフレームの後"), RadioGroup1);
    rbPos2->setObjectName(QStringLiteral("rbPos2"));
    rbPos2->setChecked(true);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cansel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->hide();

    connect(Button1, &QPushButton::clicked, this, &TdlgIns::btnOKClick);
    connect(Button2, &QPushButton::clicked, this, &TdlgIns::btnCanClick);
    placeControls();
}

void TdlgIns::SetText(int index, const QString& text) {
    switch (index) {
        case 0:
            setWindowTitle(text);
            break;
        case 1:
            RadioGroup1->setTitle(literal(text));
            break;
        case 2:
            rbPos1->setText(literal(text));
            break;
        case 3:
            rbPos2->setText(literal(text));
            break;
        default:
            return;
    }
    placeControls();
}

void TdlgIns::btnOKClick() {
    answer_ = rbPos1->isChecked() ? kBefore : kAfter;
    done(answer_);
}

void TdlgIns::btnCanClick() {
    answer_ = kNoAnswer;
    done(kNoAnswer);
}

// Lays the controls out at the design's places and sizes, widening the choices, the group and
// the dialog as far as the current texts and font need, and centres the dialog on its screen.
void TdlgIns::placeControls() {
    Label2->adjustSize();
    const int choiceWidth =
        std::max({kChoiceWidth, rbPos1->sizeHint().width(), rbPos2->sizeHint().width()});
    const int choiceHeight =
        std::max({kChoiceHeight, rbPos1->sizeHint().height(), rbPos2->sizeHint().height()});
    const int choiceMargin = kChoiceLeft - kGroupPlace.left();
    const int groupWidth = std::max({kGroupPlace.width(), choiceMargin * 2 + choiceWidth,
                                     RadioGroup1->minimumSizeHint().width()});
    const int growth = groupWidth - kGroupPlace.width();

    RadioGroup1->setGeometry(kGroupPlace.adjusted(0, 0, growth, 0));
    rbPos1->setGeometry(choiceMargin, kChoice1Top - kGroupPlace.top(), choiceWidth, choiceHeight);
    rbPos2->setGeometry(choiceMargin, kChoice2Top - kGroupPlace.top(), choiceWidth, choiceHeight);
    Button1->setGeometry(QRect(QPoint(kOkLeft + growth / 2, kButtonTop), kButtonSize));
    Button2->setGeometry(QRect(QPoint(kCancelLeft + growth / 2, kButtonTop), kButtonSize));
    setFixedSize(kDialogWidth + growth, kDialogHeight);
    if (const QScreen* shownOn = screen()) {
        move(shownOn->availableGeometry().center() - rect().center());
    }
}
