#include <QApplication>

#include "app/PreviewWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pixmora"));
    PreviewWindow window(QApplication::arguments().mid(1));
    window.show();
    return QApplication::exec();
}
