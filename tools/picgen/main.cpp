// SPDX-License-Identifier: GPL-3.0-or-later
// tankjagd-picgen ASSETS-DIR [--overlay FILE.png] [--sheet FILE.png]
// Regenerates every picture of the game below ASSETS-DIR. The output is
// byte-identical on every run. --overlay also saves the board background
// with the car rectangles drawn in; --sheet saves all pictures side by side.
#include "gifencoder.h"
#include "paintkit.h"
#include "pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

namespace picgen {

std::vector<QString> writeAll(const QString& assetsDir) {
    std::vector<Picture> all = diceAndCars();
    for (Picture& p : cardsAndNotices()) all.push_back(std::move(p));
    all.push_back({QStringLiteral("stored/hintergrund.gif"), boardBackground()});

    std::vector<QString> failed;
    const QDir root(assetsDir);
    for (const Picture& picture : all) {
        const QString path = root.filePath(picture.path);
        QDir().mkpath(QFileInfo(path).absolutePath());
        const bool ok =
            path.endsWith(QLatin1String(".gif")) ? writeGif(picture.image, path) : picture.image.save(path, "PNG");
        if (!ok) failed.push_back(path);
    }
    return failed;
}

namespace {

QImage contactSheet() {
    std::vector<Picture> all = diceAndCars();
    for (Picture& p : cardsAndNotices()) all.push_back(std::move(p));
    all.push_back({QStringLiteral("board.gif"), boardBackground()});
    const int width = 1000;
    int x = 0, y = 0, rowHeight = 0;
    std::vector<QPoint> at;
    for (const Picture& p : all) {
        if (x + p.image.width() > width) {
            x = 0;
            y += rowHeight + 6;
            rowHeight = 0;
        }
        at.push_back({x, y});
        x += p.image.width() + 6;
        rowHeight = std::max(rowHeight, p.image.height());
    }
    QImage sheet = canvas(width, y + rowHeight, QColor(255, 255, 128));
    QPainter painter(&sheet);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const QImage shown =
            all[i].path.endsWith(QLatin1String(".gif")) ? toImage(quantise(all[i].image)) : all[i].image;
        painter.drawImage(at[i], shown);
    }
    return sheet;
}

}  // namespace
}  // namespace picgen

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.at(1).startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: tankjagd-picgen ASSETS-DIR [--overlay FILE.png] [--sheet FILE.png]\n");
        return 2;
    }
    for (int i = 2; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--overlay"))
            picgen::boardDebugOverlay(picgen::toImage(picgen::quantise(picgen::boardBackground())))
                .save(args.at(i + 1));
        else if (args.at(i) == QLatin1String("--sheet"))
            picgen::contactSheet().save(args.at(i + 1));
    }
    const std::vector<QString> failed = picgen::writeAll(args.at(1));
    for (const QString& path : failed) std::fprintf(stderr, "tankjagd-picgen: cannot write %s\n", qPrintable(path));
    return failed.empty() ? 0 : 1;
}
