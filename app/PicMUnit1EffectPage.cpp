// Layout of the effect page: the effect and its strength, the dithering, the effect preview.
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/FormParts.h"
#include "app/PicMUnit1.h"
#include "imaging/TLEAD.h"
#include "platform/TPanel.h"
#include "platform/TTrackBar.h"

using namespace formparts;

namespace {

constexpr int kChoiceColumnWidth = 260;

}  // namespace

void TForm1::setupEffectPage() {
    auto* page = new QHBoxLayout(TabSheet2);
    auto* choices = new QVBoxLayout;
    Panel19 = heading(TabSheet2, "Panel19");
    cbEffect = named<QComboBox>(TabSheet2, "cbEffect");
    tbEffect = trackBar(TabSheet2, "tbEffect", -1000, 1000, 0);
    Panel18 = heading(TabSheet2, "Panel18");
    cbDither = named<QComboBox>(TabSheet2, "cbDither");
    choices->addWidget(Panel19);
    choices->addWidget(cbEffect);
    choices->addWidget(tbEffect);
    choices->addSpacing(12);
    choices->addWidget(Panel18);
    choices->addWidget(cbDither);
    choices->addSpacing(12);
    auto* commands = new QHBoxLayout;
    abbDesideEfA =
        button(TabSheet2, "abbDesideEfA", "dialog-ok-apply", QStyle::SP_DialogApplyButton);
    sbDesideEf = button(TabSheet2, "sbDesideEf", "dialog-ok", QStyle::SP_DialogOkButton);
    sbDesideEf->hide();  // applying to the current frame alone is not offered
    abbUndo = button(TabSheet2, "abbUndo", "edit-undo", QStyle::SP_ArrowBack);
    for (TABitBtn* b : {abbDesideEfA, abbUndo}) {
        b->setIconSize(QSize(32, 32));
        commands->addWidget(b);
    }
    commands->addStretch();
    choices->addLayout(commands);
    choices->addStretch();
    auto* choiceColumn = new QWidget(TabSheet2);
    choiceColumn->setFixedWidth(kChoiceColumnWidth);
    choiceColumn->setLayout(choices);
    page->addWidget(choiceColumn);

    // The effect on the current frame, in colour and in panel greys.
    TPanel* previewBox = box(TabSheet2, "EffectPreviewBox", kBoxColour);
    previewBox->setFrameShape(QFrame::StyledPanel);
    auto* preview = new QVBoxLayout(previewBox);
    preview->setContentsMargins(0, 0, 0, 8);
    Panel33 = heading(previewBox, "Panel33");
    preview->addWidget(Panel33);
    Label8 = named<QLabel>(previewBox, "Label8");
    Label9 = named<QLabel>(previewBox, "Label9");
    auto* colourHolder = previewHolder(previewBox, "EfColorHolder");
    auto* monoHolder = previewHolder(previewBox, "EfMonoHolder");
    LeadEfColor = named<TLEAD>(colourHolder, "LeadEfColor");
    LeadEfMono = named<TLEAD>(monoHolder, "LeadEfMono");
    for (QLabel* l : {Label8, Label9}) {
        l->setContentsMargins(12, 6, 0, 0);
    }
    preview->addWidget(Label8);
    preview->addWidget(colourHolder, 0, Qt::AlignHCenter);
    preview->addWidget(Label9);
    preview->addWidget(monoHolder, 0, Qt::AlignHCenter);
    preview->addStretch();
    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(previewBox);
    previewColumn->addStretch();
    page->addLayout(previewColumn, 1);
}
