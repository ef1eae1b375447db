// make_board_photo OUTPUT.jpg
//
// Draws the photograph of the data-acquisition card shown on the board page and writes it as a
// 600 x 611 progressive JPEG. The jumper blocks and connectors sit where the page's highlight
// circles expect them; a fixed seed keeps the output identical from run to run.

#include "cardpainter.h"
#include "jpegwriter.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_board_photo OUTPUT.jpg\n");
        return 2;
    }
    const QImage photo = boardphoto::CardPainter().render().convertToFormat(QImage::Format_RGB888);
    std::FILE *file = std::fopen(argv[1], "wb");
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = boardphoto::writeProgressiveJpeg(photo, file);
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "make_board_photo: could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
