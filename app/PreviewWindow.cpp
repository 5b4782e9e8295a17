#include "app/PreviewWindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "imaging/TLEAD.h"

namespace {

constexpr int kRun = 10;  // pages decoded at a time, as the input store does

QString describe(const QString& file, int pages, int delay, int status) {
    const QString name = QFileInfo(file).fileName();
    if (status != 0) {
        return QStringLiteral("%1: cannot be read (status %2)").arg(name).arg(status);
    }
    if (delay == 0) {
        return QStringLiteral("%1: still picture").arg(name);
    }
    return QStringLiteral("%1: %2 frames, %3 ms each").arg(name).arg(pages).arg(delay);
}

}  // namespace

PreviewWindow::PreviewWindow(const QStringList& files, QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Pixmora"));
    auto* layout = new QHBoxLayout(this);
    for (const QString& file : files) {
        addFile(file);
    }
    if (files.isEmpty()) {
        layout->addWidget(new QLabel(
            QStringLiteral("Give pictures (JPEG, PNG, BMP) or AVI clips on the command line.")));
    }
}

void PreviewWindow::addFile(const QString& file) {
    auto* column = new QVBoxLayout;
    auto* lead = new TLEAD(this);
    auto* caption = new QLabel(this);
    auto* slider = new QSlider(Qt::Horizontal, this);
    int status = lead->GetFileInfo(file);
    if (status == 0) {
        status = lead->Load(file, 24, 1, kRun);
    }
    caption->setText(describe(file, lead->InfoTotalPages(), lead->BitmapDelay(), status));
    lead->setFixedSize(std::max(lead->BitmapWidth(), 160), std::max(lead->BitmapHeight(), 54));
    slider->setRange(1, std::max(1, lead->InfoTotalPages()));
    slider->setVisible(lead->InfoTotalPages() > 1);
    connect(slider, &QSlider::valueChanged, lead, [lead, file](int page) {
        const int runStart = (page - 1) / kRun * kRun + 1;
        const bool inRun = lead->BitmapListCount() > 0 && lead->property("runStart") == runStart;
        if (!inRun) {
            lead->Load(file, 24, runStart, kRun);
            lead->setProperty("runStart", runStart);
        }
        lead->setBitmapListIndex(page - runStart);
    });
    lead->setProperty("runStart", 1);
    column->addWidget(caption);
    column->addWidget(lead);
    column->addWidget(slider);
    column->addStretch();
    static_cast<QHBoxLayout*>(layout())->addLayout(column);
}
