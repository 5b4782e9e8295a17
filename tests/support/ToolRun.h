#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QString>
#include <QTemporaryDir>
#include <QTextStream>

#include "tools/PanelFiles.h"
#include "tools/ToolCommands.h"

// What a run of pixmora-tool's commands gave: the exit code and both outputs.
struct ToolResult {
    int code = -1;
    QString out;
    QString err;
};

inline ToolResult runToolWith(tools::PanelFiles& files, const QStringList& args) {
    ToolResult r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = tools::runTool(args, files, out, err);
    out.flush();
    err.flush();
    return r;
}

// A 40 x 10 PNG whose left half is `left` and right half `right`.
inline QString twoColourPicture(const QTemporaryDir& dir, const QString& name, QRgb left,
                                QRgb right) {
    QImage image(40, 10, QImage::Format_RGB32);
    image.fill(left);
    QPainter(&image).fillRect(20, 0, 20, 10, QColor(right));
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path));
    return path;
}
