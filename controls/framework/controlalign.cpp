#include "controls/framework/controlalign.h"

#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace {

constexpr const char *kAlignProperty = "Align";

} // namespace

TAlign AlignOf(const QWidget *widget) {
    const QVariant value = widget->property(kAlignProperty);
    return value.isValid() ? TAlign(value.toInt()) : alNone;
}

void SetAlignOf(QWidget *widget, TAlign align) {
    widget->setProperty(kAlignProperty, int(align));
}

std::vector<QRect> AlignedBounds(const QRect &area, const std::vector<AlignedControl> &controls) {
    std::vector<QRect> bounds;
    bounds.reserve(controls.size());
    for (const AlignedControl &control : controls)
        bounds.push_back(control.bounds);
    int left = area.left();
    int top = area.top();
    int right = area.left() + area.width();
    int bottom = area.top() + area.height();
    for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (controls[i].align != kind)
                continue;
            const int w = controls[i].bounds.width();
            const int h = controls[i].bounds.height();
            const int width = std::max(0, right - left);
            const int height = std::max(0, bottom - top);
            switch (kind) {
            case alTop:
                bounds[i] = QRect(left, top, width, h);
                top += h;
                break;
            case alBottom:
                bounds[i] = QRect(left, bottom - h, width, h);
                bottom -= h;
                break;
            case alLeft:
                bounds[i] = QRect(left, top, w, height);
                left += w;
                break;
            case alRight:
                bounds[i] = QRect(right - w, top, w, height);
                right -= w;
                break;
            default:
                bounds[i] = QRect(left, top, width, height);
                break;
            }
        }
    }
    return bounds;
}

QRect KeepAlignedEdge(TAlign align, const QRect &old, const QRect &requested) {
    QRect bounds = requested;
    if (align == alBottom && requested.height() != old.height())
        bounds.moveTop(old.top() + old.height() - requested.height());
    if (align == alRight && requested.width() != old.width())
        bounds.moveLeft(old.left() + old.width() - requested.width());
    return bounds;
}
