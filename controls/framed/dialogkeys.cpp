#include "controls/framed/dialogkeys.h"

#include "controls/framed/tkxbutton.h"
#include "controls/framework/controlservices.h"

#include <QKeyEvent>
#include <QWidget>

namespace {

const char *const kFilterName = "dialogKeys";

// The window's own part of the path: keys its controls left unused.
class DialogKeyFilter : public QObject {
public:
    explicit DialogKeyFilter(QWidget &window)
        : QObject(&window) {
        setObjectName(QLatin1String(kFilterName));
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != parent() || event->type() != QEvent::KeyPress)
            return false;
        return ClickDialogButton(*static_cast<QWidget *>(watched),
                                 *static_cast<QKeyEvent *>(event));
    }
};

} // namespace

bool ClickDialogButton(QWidget &widget, const QKeyEvent &event) {
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    const bool escape = event.key() == Qt::Key_Escape;
    if (modifiers != Qt::NoModifier || (!enter && !escape))
        return false;
    QWidget *window = widget.window();
    for (TKxButton *button : window->findChildren<TKxButton *>()) {
        if (button->window() != window || !button->CanTakeFocus())
            continue;
        if (enter ? button->DefaultLook() : button->Cancel()) {
            CallGuarded([button] { button->Click(); });
            return true;
        }
    }
    return false;
}

void WatchDialogKeys(QWidget &window) {
    if (window.findChild<QObject *>(QLatin1String(kFilterName), Qt::FindDirectChildrenOnly) ==
        nullptr)
        new DialogKeyFilter(window);
}
