// Feeds arbitrary server text (Windows-1251, as block descriptions arrive) to the control-table
// line parser, whole and as the ";"-separated entries a table holds. Every line must come out
// within the bounds the panels rely on.
#include "console/windows/controltableline.h"

#include "platform/codec1251.h"

#include <QByteArrayView>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

void check(QStringView entry) {
    const ControlTableLine line = ControlTableLine::parse(entry);
    if (line.scale == 0.0 || !std::isfinite(line.scale) || line.decimals < 0)
        __builtin_trap();
    if (!std::isfinite(line.minimum) || !std::isfinite(line.maximum))
        __builtin_trap();
    if (line.items.size() > MAX_CONTROL_ITEMS || line.lampLetters.size() > MAX_LAMP_COLOURS)
        __builtin_trap();
    if (line.caption.size() > entry.size())
        __builtin_trap();
    for (int value = -1; value <= MAX_LAMP_COLOURS + 1; ++value)
        (void)line.lampColour(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text = fromWin1251(QByteArrayView(data, qsizetype(size)));
    check(text);
    for (QStringView entry : QStringView(text).split(u';'))
        check(entry);
    return 0;
}
