#include "setup/tformaddr.h"

#include "controls/framed/tkxbutton.h"
#include "controls/framed/tkxnumericedit.h"
#include "setup/formfont.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStringList>
#include <QTimer>
#include <QWindow>

namespace {

constexpr int kClientWidth = 144;
constexpr int kClientHeight = 76;
constexpr int kOctetLefts[] = {8, 42, 76, 110};
constexpr int kColonLefts[] = {37, 71, 105};
constexpr int kInitialOctets[] = {192, 168, 0, 1};
static_assert(std::size(kOctetLefts) == 4 && std::size(kInitialOctets) == 4);

} // namespace

TFormAddr::TFormAddr(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setFixedSize(kClientWidth, kClientHeight);
    // The octet edits are sized for three digits in this font.
    setFont(FormFont());
    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(0, 0, kClientWidth, kClientHeight);
    Panel1->installEventFilter(this);

    QFont colonFont = font();
    colonFont.setBold(true);
    for (int i = 0; i < 4; ++i) {
        auto *edit = new TKxNumericEdit(Panel1);
        edit->setGeometry(kOctetLefts[i], 10, 25, 22);
        edit->setMaxLength(3);
        edit->SetCheckRange(true);
        edit->SetMax(255);
        edit->SetFrameHotTrack(true);
        edit->SetFrameVisible(true);
        edit->SetDisplayFormat(QStringLiteral(",0;(,0)"));
        edit->SetValueAsInteger(kInitialOctets[i]);
        edit->installEventFilter(this);
        Edits[i] = edit;
    }
    for (int left : kColonLefts) {
        auto *colon = new QLabel(QStringLiteral(":"), Panel1);
        colon->setFont(colonFont);
        colon->move(left, 14);
    }

    const struct {
        TKxButton *&button;
        const char *caption;
        QRect geometry;
        int modalResult;
    } buttons[] = {{BtnCoreGuiAdd, "Ok", QRect(26, 46, 41, 19), kModalOk},
                   {KxButton1, "Cancel", QRect(74, 46, 47, 19), kModalCancel}};
    for (const auto &entry : buttons) {
        entry.button = new TKxButton(Panel1);
        entry.button->SetCaption(QString::fromLatin1(entry.caption));
        entry.button->setGeometry(entry.geometry);
        // Closes the pop-up with this result.
        entry.button->SetModalResult(entry.modalResult);
        entry.button->installEventFilter(this);
    }
}

QString TFormAddr::AddressText() {
    QStringList parts;
    for (TKxNumericEdit *edit : Edits)
        parts.append(QString::number(edit->ValueAsInteger()));
    return parts.join(u'.');
}

void TFormAddr::WMFocusFirst() {
    Edits[0]->setFocus();
}

bool TFormAddr::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent *>(event)->key()))
        return true;
    if (watched == Panel1 && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && windowHandle()) {
        windowHandle()->startSystemMove();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFormAddr::keyPressEvent(QKeyEvent *event) {
    if (!FormKeyDown(event->key()))
        QDialog::keyPressEvent(event);
}

void TFormAddr::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    // Once shown, so the focus is not taken back by the window's activation.
    QTimer::singleShot(0, this, [this] { WMFocusFirst(); });
}

bool TFormAddr::FormKeyDown(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        done(kModalOk);
        return true;
    case Qt::Key_Escape:
        done(kModalCancel);
        return true;
    default:
        return false;
    }
}
