#include "console/windows/registervalues.h"

#include <algorithm>
#include <cmath>

double usableScale(double scale) {
    return (scale == 0.0 || !std::isfinite(scale)) ? 1.0 : scale;
}

int16_t registerWordFromShown(double shown, double scale) {
    const double raw = std::round(shown / usableScale(scale));
    if (std::isnan(raw))
        return 0;
    return static_cast<int16_t>(std::clamp(raw, double(REGISTER_MIN), double(REGISTER_MAX)));
}

double clampShownToRegister(double shown, double scale) {
    const double s = usableScale(scale);
    const double a = REGISTER_MIN * s;
    const double b = REGISTER_MAX * s;
    return std::clamp(shown, std::min(a, b), std::max(a, b));
}

std::array<Qt::GlobalColor, STATUS_FIELDS> statusFieldColours(int statusWord) {
    const int b = statusWord & 0xFF;
    std::array<Qt::GlobalColor, STATUS_FIELDS> colours;
    colours.fill(Qt::gray);
    if (!(b & 0x10))
        colours[StatusRef] = (b & 0x01) ? Qt::green : Qt::red;
    if (!(b & 0x20))
        colours[StatusInput] = (b & 0x02) ? Qt::green : Qt::red;
    if ((b & 0x04) && !(b & 0x40))
        colours[StatusFreeze] = Qt::red;
    if ((b & 0x08) && !(b & 0x80))
        colours[StatusBars] = Qt::red;
    return colours;
}
