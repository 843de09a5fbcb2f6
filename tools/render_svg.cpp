// Renders an SVG file with Qt's SVG module and writes its pixels to standard
// output as raw 8-bit RGBA, rows top to bottom, not premultiplied: the form
// ImageMagick gives for "rgba:-", so the icon check compares like with like.
//
//   render_svg FILE SIZE    draws the whole view box into SIZE x SIZE pixels

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>

#include <cstddef>
#include <cstdio>
#include <stdexcept>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: render_svg FILE SIZE\n");
        return 2;
    }
    int size = 0;
    try {
        size = std::stoi(argv[2]);
    } catch (const std::exception&) {
    }
    if (size < 1 || size > 4096) {
        std::fprintf(stderr, "render_svg: SIZE must be from 1 to 4096, not '%s'\n", argv[2]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_svg: cannot read %s as SVG\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    for (int y = 0; y < size; ++y) {
        const auto row = static_cast<std::size_t>(size) * 4;
        if (std::fwrite(rgba.constScanLine(y), 1, row, stdout) != row) {
            std::perror("render_svg");
            return 1;
        }
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
