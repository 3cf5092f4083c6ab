#include "controls/painting/textflags.h"

#include <QFontMetrics>
#include <QPainter>

QtTextFlags TextFlagsToQt(unsigned drawTextFlags) {
    QtTextFlags result;
    const unsigned f = drawTextFlags;
    int flags = (f & DT_CENTER)  ? Qt::AlignHCenter
                : (f & DT_RIGHT) ? Qt::AlignRight
                                 : Qt::AlignLeft;
    if (f & DT_SINGLELINE) {
        flags |= Qt::TextSingleLine;
        flags |= (f & DT_VCENTER)  ? Qt::AlignVCenter
                 : (f & DT_BOTTOM) ? Qt::AlignBottom
                                   : Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
    }
    if (f & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    if (f & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    if (!(f & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    result.flags = flags;
    result.elide = (f & DT_PATH_ELLIPSIS)  ? Qt::ElideMiddle
                   : (f & DT_END_ELLIPSIS) ? Qt::ElideRight
                                           : Qt::ElideNone;
    result.calcRect = (f & DT_CALCRECT) != 0;
    result.clip = !(f & DT_NOCLIP);
    result.rightToLeft = (f & DT_RTLREADING) != 0;
    return result;
}

QRect DrawTextWithFlags(QPainter &canvas, const QRect &rect, const QString &text,
                        unsigned drawTextFlags) {
    const QtTextFlags q = TextFlagsToQt(drawTextFlags);
    QString shown = text;
    if (q.elide != Qt::ElideNone)
        shown = QFontMetrics(canvas.font()).elidedText(text, q.elide, rect.width(), q.flags);
    if (q.calcRect) {
        const int width = (q.flags & Qt::TextWordWrap) ? rect.width() : 0x7FFF;
        const QRect bounds = QFontMetrics(canvas.font())
                                 .boundingRect(QRect(rect.topLeft(), QSize(width, 0x7FFF)),
                                               q.flags & ~Qt::AlignVertical_Mask, shown);
        return QRect(rect.topLeft(), bounds.size());
    }
    canvas.save();
    if (q.rightToLeft)
        canvas.setLayoutDirection(Qt::RightToLeft);
    if (q.clip)
        canvas.setClipRect(rect, Qt::IntersectClip);
    QRect used;
    canvas.drawText(rect, q.flags, shown, &used);
    canvas.restore();
    return used;
}

int FontTextHeight(const QFont &font) {
    return QFontMetrics(font).height() + 2;
}
