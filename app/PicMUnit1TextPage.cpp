// Layout of the text page: the text image over the current frame, the text and its style.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/FontListDelegate.h"
#include "app/FormParts.h"
#include "app/PicMUnit1.h"
#include "imaging/TLEAD.h"
#include "platform/TPanel.h"
#include "platform/TTrackBar.h"
#include "platform/TUpDown.h"

using namespace formparts;

namespace {

constexpr int kAngleStep = 15;

}  // namespace

void TForm1::setupTextPage() {
    auto* page = new QHBoxLayout(TabSheet3);

    // Left: the text image over the current frame, the commands and the text itself.
    auto* left = new QVBoxLayout;
    Panel14 = heading(TabSheet3, "Panel14");
    Panel24 = box(TabSheet3, "Panel24", kBoxColour);
    Panel24->setFixedSize(kPreviewHolderWidth, kPreviewHolderHeight + 20);
    LeadFont = named<TLEAD>(Panel24, "LeadFont");
    left->addWidget(Panel14);
    left->addWidget(Panel24, 0, Qt::AlignHCenter);
    auto* commands = new QHBoxLayout;
    abbInsFont = letterButton(TabSheet3, "abbInsFont", QStringLiteral("T"));
    abbInsFontA = letterButton(TabSheet3, "abbInsFontA", QStringLiteral("T*"));
    abbUndo2 = button(TabSheet3, "abbUndo2", "edit-undo", QStyle::SP_ArrowBack);
    for (TABitBtn* b : {abbInsFont, abbInsFontA, abbUndo2}) {
        b->setIconSize(QSize(32, 32));
        commands->addWidget(b);
    }
    commands->addStretch();
    left->addLayout(commands);
    Panel16 = heading(TabSheet3, "Panel16");
    Memo1 = named<QPlainTextEdit>(TabSheet3, "Memo1");
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    left->addWidget(Panel16);
    left->addWidget(Memo1, 1);
    page->addLayout(left, 1);

    // Right: font, size, style, decoration, colours and angle.
    auto* right = new QVBoxLayout;
    Panel15 = heading(TabSheet3, "Panel15");
    FontList = named<QListWidget>(TabSheet3, "FontList");
    FontList->setUniformItemSizes(true);
    FontList->setItemDelegate(new FontListDelegate(FontList));
    FontList->setMinimumHeight(4 * FontListDelegate::kItemHeight);
    right->addWidget(Panel15);
    right->addWidget(FontList, 1);

    auto* size = new QHBoxLayout;
    size->setSpacing(0);
    Label11 = named<QLabel>(TabSheet3, "Label11");
    FontSize = named<QLineEdit>(TabSheet3, "FontSize");
    FontSize->setMaxLength(3);
    FontSize->setFixedWidth(48);
    FontSize->setAlignment(Qt::AlignRight);
    udFont = named<TUpDown>(TabSheet3, "udFont");
    udFont->setMin(10);
    udFont->setMax(36);
    udFont->setAssociate(FontSize);
    udFont->setPosition(10);
    size->addWidget(Label11);
    size->addSpacing(8);
    size->addWidget(FontSize);
    size->addWidget(udFont);
    size->addStretch();
    right->addLayout(size);

    Panel17 = heading(TabSheet3, "Panel17");
    right->addWidget(Panel17);
    auto* style = new QGridLayout;
    Label19 = named<QLabel>(TabSheet3, "Label19");
    cboxBold = named<QCheckBox>(TabSheet3, "cboxBold");
    cboxItalic = named<QCheckBox>(TabSheet3, "cboxItalic");
    cboxUnderL = named<QCheckBox>(TabSheet3, "cboxUnderL");
    cboxStrikeOut = named<QCheckBox>(TabSheet3, "cboxStrikeOut");
    style->addWidget(Label19, 0, 0);
    style->addWidget(cboxBold, 0, 1);
    style->addWidget(cboxItalic, 0, 2);
    style->addWidget(cboxUnderL, 1, 1);
    style->addWidget(cboxStrikeOut, 1, 2);
    Label16 = named<QLabel>(TabSheet3, "Label16");
    cbFEffect = named<QComboBox>(TabSheet3, "cbFEffect");
    Label17 = named<QLabel>(TabSheet3, "Label17");
    cbFColor = named<QComboBox>(TabSheet3, "cbFColor");
    Label18 = named<QLabel>(TabSheet3, "Label18");
    cbFontB = named<QComboBox>(TabSheet3, "cbFontB");
    Label12 = named<QLabel>(TabSheet3, "Label12");
    tbFontAngle = trackBar(TabSheet3, "tbFontAngle", 0, 360, 0);
    tbFontAngle->setPageStep(kAngleStep);
    std::vector<int> angles;
    for (int a = 0; a <= 360; a += kAngleStep) {
        angles.push_back(a);
    }
    tbFontAngle->setTicks(angles);
    int row = 2;
    for (auto [label, field] : {std::pair<QLabel*, QWidget*>{Label16, cbFEffect},
                                {Label17, cbFColor},
                                {Label18, cbFontB},
                                {Label12, tbFontAngle}}) {
        label->setWordWrap(true);  // long catalogue labels take two lines in the fixed column
        style->addWidget(label, row, 0);
        style->addWidget(field, row, 1, 1, 2);
        ++row;
    }
    right->addLayout(style);
    auto* rightColumn = new QWidget(TabSheet3);
    rightColumn->setFixedWidth(300);
    rightColumn->setLayout(right);
    page->addWidget(rightColumn);
}
