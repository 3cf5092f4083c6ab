#include "controls/painting/gradient.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

int MinimumBandLines(int colorSteps, bool boxMode) {
    if (colorSteps > 8)
        return (boxMode ? 256 : 255) / colorSteps + 1;
    return std::max(colorSteps, 1);
}

struct ChannelRamp {
    int begin;
    int delta;
    int At(int line) const { return std::clamp((begin + line * delta) >> 16, 0, 255); }
};

ChannelRamp Ramp(int from, int to, int lines) {
    return {from << 16, ((to - from) << 16) / lines};
}

void FillEndBands(QPainter &painter, int lines, bool vertical, int across, const QColor &first,
                  const QColor &second, int steps, int start, int direction) {
    for (const GradientBand &band : GradientBands(lines, first, second, steps, false)) {
        const int from = direction > 0 ? start + band.first : start - band.first - band.count + 1;
        const QRect r =
            vertical ? QRect(from, 0, band.count, across) : QRect(0, from, across, band.count);
        painter.fillRect(r, band.color);
    }
}

void FillDiagonal(QPainter &painter, QSize size, bool up, const QColor &first, const QColor &second,
                  int steps) {
    const int w = size.width();
    const int h = size.height();
    const int lines = int(std::sqrt(double(w) * w + double(h) * h)) + 1;
    const double scale = double(w + h) / lines;
    if (up) {
        painter.translate(0, h);
        painter.scale(1, -1);
    }
    painter.setPen(Qt::NoPen);
    for (const GradientBand &band : GradientBands(lines, first, second, steps, false)) {
        const double s0 = band.first * scale;
        const bool last = band.first + band.count >= lines;
        const double s1 = last ? 2.0 * (w + h) : (band.first + band.count) * scale;
        painter.setBrush(band.color);
        painter.drawPolygon(QPolygonF({{s0, 0}, {s1, 0}, {0, s1}, {0, s0}}));
    }
}

void FillBoxes(QPainter &painter, QSize size, TGradientDirection direction, const QColor &first,
               const QColor &second, int steps) {
    const int w = size.width();
    const int h = size.height();
    painter.fillRect(QRect(QPoint(0, 0), size), second);
    if (w < 5 || h <= 4)
        return;
    // The innermost rectangle: a centre bar, a centre column, the centre point or a centre box.
    const bool quarterWidth = direction == gdHorizontalBox || direction == gdBigSquareBox;
    const bool quarterHeight = direction == gdVerticalBox || direction == gdBigSquareBox;
    const int maxX = quarterWidth ? w / 4 : w / 2;
    const int maxY = quarterHeight ? h / 4 : h / 2;
    const int lines = std::max({maxX, maxY, 1});
    for (const GradientBand &band : GradientBands(lines, first, second, steps, true)) {
        const int dx = band.first * maxX / lines;
        const int dy = band.first * maxY / lines;
        painter.fillRect(QRect(dx, dy, w - 2 * dx, h - 2 * dy), band.color);
    }
}

} // namespace

std::vector<GradientBand> GradientBands(int lines, const QColor &from, const QColor &to,
                                        int colorSteps, bool boxMode) {
    std::vector<GradientBand> bands;
    if (lines <= 0)
        return bands;
    const ChannelRamp red = Ramp(from.red(), to.red(), lines);
    const ChannelRamp green = Ramp(from.green(), to.green(), lines);
    const ChannelRamp blue = Ramp(from.blue(), to.blue(), lines);
    const auto colorAt = [&](int line) {
        return QColor(red.At(line), green.At(line), blue.At(line));
    };
    const int minimum = MinimumBandLines(colorSteps, boxMode);
    for (int line = 0; line < lines;) {
        const QColor color = colorAt(line);
        int count = std::min(minimum, lines - line);
        while (line + count < lines && colorAt(line + count) == color)
            ++count;
        bands.push_back({line, count, color});
        line += count;
    }
    return bands;
}

void FillGradientRect(QPainter &canvas, const QRect &rect, TGradientDirection direction,
                      int colorSteps, const QColor &first, const QColor &second) {
    if (rect.isEmpty())
        return;
    if (first == second) {
        canvas.fillRect(rect, first);
        return;
    }
    QImage image(rect.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = rect.width();
    const int h = rect.height();
    switch (direction) {
    case gdHorizontalEnd:
        FillEndBands(painter, h, false, w, first, second, colorSteps, h - 1, -1);
        break;
    case gdVerticalEnd:
        FillEndBands(painter, w, true, h, first, second, colorSteps, w - 1, -1);
        break;
    case gdHorizontalCenter:
        FillEndBands(painter, h / 2, false, w, first, second, colorSteps, h / 2 - 1, -1);
        FillEndBands(painter, h - h / 2, false, w, first, second, colorSteps, h / 2, 1);
        break;
    case gdVerticalCenter:
        FillEndBands(painter, w / 2, true, h, first, second, colorSteps, w / 2 - 1, -1);
        FillEndBands(painter, w - w / 2, true, h, first, second, colorSteps, w / 2, 1);
        break;
    case gdDiagonalUp:
    case gdDiagonalDown:
        FillDiagonal(painter, rect.size(), direction == gdDiagonalUp, first, second, colorSteps);
        break;
    case gdHorizontalBox:
    case gdVerticalBox:
    case gdSquareBox:
    case gdBigSquareBox:
        FillBoxes(painter, rect.size(), direction, first, second, colorSteps);
        break;
    }
    painter.end();
    canvas.drawImage(rect.topLeft(), image);
}
