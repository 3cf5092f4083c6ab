#include "console/windows/blockdlg.h"

#include "console/windows/mybutton.h"
#include "console/windows/mydspin.h"
#include "console/windows/mylist.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSignalBlocker>

#include <algorithm>

namespace {

constexpr const char *STATUS_TEXTS[STATUS_FIELDS] = {"REF", "INPUT", "FREEZE", "BARS"};

// A register value that may be a list or group index: 0..255.
bool isItemIndex(int value) {
    return value >= 0 && value < 256;
}

// A button group checks its button at `value` when bit 15 is clear and the value is below
// the number of buttons.
bool isGroupPosition(int value, qsizetype count) {
    return value >= 0 && (value & 0x8000) == 0 && value < count;
}

void setSmallFont(QWidget *widget) {
    QFont font = widget->font();
    font.setPixelSize(9);
    widget->setFont(font);
}

// A group box of fixed height 19 with its buttons side by side. Its frame is one pixel wide
// and leaves no title margin, so the 15-pixel controls show whole inside it (the style's own
// frame keeps only 10 pixels for them).
QGroupBox *buttonBox(QHBoxLayout *&layout) {
    auto *box = new QGroupBox;
    box->setFixedHeight(19);
    box->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin: 0px; "
        "padding: 0px; }"));
    layout = new QHBoxLayout(box);
    layout->setSpacing(2);
    layout->setContentsMargins(0, 0, 0, 0);
    return box;
}

MyButton *panelButton(int value, const QString &text) {
    auto *button = new MyButton(value, text);
    setSmallFont(button);
    button->setCheckable(true);
    return button;
}

void setBase(QWidget *widget, Qt::GlobalColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

// Refills a list's items; a value that is no item index keeps the current item, which for a
// list that had no items yet is its first.
void fillList(QComboBox *list, const ControlTableLine &line, int value) {
    const int current = list->count() > 0 ? list->currentIndex() : 0;
    list->clear();
    list->addItems(line.items);
    list->setCurrentIndex(isItemIndex(value) ? value : current);
}

void setNumber(QDoubleSpinBox *spin, double scale, int raw) {
    spin->setValue(raw * scale);
}

} // namespace

BlockDlg::BlockDlg(MessageSink sink, QWidget *parent)
    : QDialog(parent)
    , sink(std::move(sink)) {
    scale.fill(1.0);
}

QWidget *BlockDlg::control(int line, int item) const {
    if (line < 0 || line >= int(rows.size()) || item < 0)
        return nullptr;
    const std::vector<QWidget *> &controls = rows[line].controls;
    return item < int(controls.size()) ? controls[item] : nullptr;
}

QDoubleSpinBox *BlockDlg::spin(int line) const {
    const ControlKind kind = rowKind(line);
    if (kind != ControlKind::Number && kind != ControlKind::ReadOnlyNumber)
        return nullptr;
    return static_cast<QDoubleSpinBox *>(control(line, 0));
}

ControlKind BlockDlg::rowKind(int line) const {
    return (line > 0 && line < int(rows.size())) ? rows[line].kind : ControlKind::Empty;
}

QLineEdit *BlockDlg::statusField(int field) const {
    return (field >= 0 && field < STATUS_FIELDS) ? statusFields[field] : nullptr;
}

void BlockDlg::keyPressEvent(QKeyEvent *event) {
    // The panel lives inside a pane; Escape must not hide it as it would a dialog.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void BlockDlg::makeFrame() {
    scrollArea = new QScrollArea(this);
    scrollArea->setMinimumSize(575, 634);
    const QRect edges[4] = {{0, 0, 580, 6}, {574, 0, 6, 673}, {0, 667, 580, 6}, {0, 0, 6, 673}};
    QPalette black;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        black.setColor(group, QPalette::Base, Qt::black);
        black.setColor(group, QPalette::Window, Qt::black);
    }
    for (int i = 0; i < 4; ++i) {
        auto *strip = new QLineEdit(this);
        strip->setFrame(false);
        strip->setEnabled(false);
        strip->setPalette(black);
        strip->setGeometry(edges[i]);
        strip->hide();
        borderStrips[i] = strip;
    }
}

void BlockDlg::CreateBlockControls() {
    if (!scrollArea)
        makeFrame();
    content = new QWidget;
    grid = new QGridLayout(content);
    rows.assign(PANEL_LINES, Row{});

    buildStatusRow();
    // Line n shows register n; the table's last entry has no register of its own.
    for (int n = 1; n < PANEL_LINES; ++n) {
        if (lines[n - 1].isEmpty())
            continue;
        const ControlTableLine line = ControlTableLine::parse(lines[n - 1]);
        QWidget *widget = buildRow(n, line);
        if (!widget)
            continue;
        grid->addWidget(new QLabel(line.caption), n, 0, Qt::AlignLeft);
        grid->addWidget(widget, n, 1, Qt::AlignLeft);
    }

    grid->setContentsMargins(30, 30, 30, 30);
    grid->setVerticalSpacing(4);
    content->setMinimumSize(570, 628);
    scrollArea->setWidget(content);
}

void BlockDlg::buildStatusRow() {
    grid->addWidget(new QLabel("STATUS"), 0, 0, Qt::AlignLeft);
    QHBoxLayout *layout = nullptr;
    QGroupBox *box = buttonBox(layout);
    for (int f = 0; f < STATUS_FIELDS; ++f) {
        auto *field = new QLineEdit(STATUS_TEXTS[f]);
        field->setEnabled(false);
        field->setFixedSize(50, 15);
        field->setAlignment(Qt::AlignCenter);
        statusPalettes[f] = field->palette();
        statusFields[f] = field;
        rows[0].controls.push_back(field);
        layout->addWidget(field);
    }
    colourStatusFields(state != -1);
    if (state != -1) {
        for (int f = 0; f < STATUS_FIELDS; ++f)
            statusFields[f]->setPalette(statusPalettes[f]);
    }
    grid->addWidget(box, 0, 1, Qt::AlignLeft);
}

void BlockDlg::colourStatusFields(bool coloured) {
    std::array<Qt::GlobalColor, STATUS_FIELDS> colours;
    colours.fill(Qt::gray);
    if (coloured && slotIndex != 0)
        colours = statusFieldColours(values[0]);
    for (int f = 0; f < STATUS_FIELDS; ++f)
        statusPalettes[f].setColor(QPalette::Base, colours[f]);
}

void BlockDlg::setLampColour(QWidget *lamp, const ControlTableLine &line, int value, bool atBuild) {
    const std::optional<Qt::GlobalColor> colour = line.lampColour(value);
    if (colour)
        setBase(lamp, *colour);
    else if (atBuild)
        setBase(lamp, Qt::gray);
}

QWidget *BlockDlg::buildRow(int n, const ControlTableLine &line) {
    Row &row = rows[n];
    const int value = values[n];
    const bool hasValues = state != -1;
    // Sending controls learn their register and keep the palette they were built with.
    const auto addSender = [&](auto *control) {
        control->target = RegisterTarget{sink, slotIndex, ipOctets, n};
        control->normalPalette = hasValues ? control->palette() : QPalette();
        row.controls.push_back(control);
    };

    QWidget *widget = nullptr;
    switch (line.kind) {
    case ControlKind::Empty:
        return nullptr;
    case ControlKind::Lamp: {
        auto *lamp = new QLineEdit;
        lamp->setFixedSize(10, 10);
        lamp->setEnabled(false);
        if (hasValues)
            setLampColour(lamp, line, value, true);
        row.controls.push_back(lamp);
        widget = lamp;
        break;
    }
    case ControlKind::OnOff: {
        QHBoxLayout *layout = nullptr;
        widget = buttonBox(layout);
        MyButton *on = panelButton(1, "ON");
        MyButton *off = panelButton(0, "OFF");
        for (MyButton *button : {off, on}) {
            const QSignalBlocker blocker(button);
            button->setFixedSize(35, 15);
            button->setAutoExclusive(true);
            if (hasValues)
                button->setStyleSheet(MyButton::CHECKED_STYLE);
            layout->addWidget(button);
        }
        {
            const QSignalBlocker blockOn(on);
            const QSignalBlocker blockOff(off);
            if (value == 1)
                on->setChecked(true);
            else if (value == 0)
                off->setChecked(true);
        }
        addSender(on);
        addSender(off);
        break;
    }
    case ControlKind::Toggle: {
        MyButton *toggle = panelButton(MyButton::TOGGLE, line.toggleText);
        const QSignalBlocker blocker(toggle);
        toggle->setFixedSize(45, 15);
        if (hasValues) {
            toggle->setStyleSheet(MyButton::CHECKED_STYLE);
            if (value == 1 || value == 0)
                toggle->setChecked(value == 1);
        }
        addSender(toggle);
        widget = toggle;
        break;
    }
    case ControlKind::List:
    case ControlKind::ReadOnlyList: {
        const bool sends = line.kind == ControlKind::List;
        QComboBox *list = sends ? new MyList : new QComboBox;
        const QSignalBlocker blocker(list);
        list->setFixedWidth(200);
        list->setEnabled(sends);
        fillList(list, line, value);
        if (sends)
            addSender(static_cast<MyList *>(list));
        else
            row.controls.push_back(list);
        widget = list;
        break;
    }
    case ControlKind::Number:
    case ControlKind::ReadOnlyNumber: {
        const bool sends = line.kind == ControlKind::Number;
        QDoubleSpinBox *spin = sends ? new MyDspin : new QDoubleSpinBox;
        const QSignalBlocker blocker(spin);
        spin->setDecimals(line.decimals);
        if (sends)
            spin->setRange(line.minimum, line.maximum);
        else
            spin->setRange(DEFAULT_NUMBER_MINIMUM, DEFAULT_NUMBER_MAXIMUM);
        spin->setSingleStep(line.scale);
        spin->setFixedWidth(60);
        spin->setEnabled(sends);
        scale[n] = line.scale;
        setNumber(spin, line.scale, value);
        if (sends) {
            auto *field = static_cast<MyDspin *>(spin);
            field->scale = line.scale;
            addSender(field);
        } else {
            row.controls.push_back(spin);
        }
        widget = spin;
        break;
    }
    case ControlKind::ButtonGroup: {
        QHBoxLayout *layout = nullptr;
        widget = buttonBox(layout);
        qsizetype longest = 0;
        for (const QString &item : line.items)
            longest = std::max(longest, item.size());
        const int width = int(5 * longest + 20);
        for (int i = 0; i < int(line.items.size()); ++i) {
            MyButton *button = panelButton(i, line.items[i]);
            const QSignalBlocker blocker(button);
            button->setAutoExclusive(true);
            button->setStyleSheet(MyButton::CHECKED_STYLE);
            button->setFixedSize(width, 15);
            layout->addWidget(button);
            addSender(button);
        }
        if (hasValues && isGroupPosition(value, line.items.size())) {
            const QSignalBlocker blocker(row.controls[value]);
            static_cast<MyButton *>(row.controls[value])->setChecked(true);
        }
        break;
    }
    }
    row.kind = line.kind;
    return widget;
}

void BlockDlg::UpdateBlockControls() {
    if (!content)
        return;
    colourStatusFields(true);
    for (int f = 0; f < STATUS_FIELDS; ++f) {
        QLineEdit *field = statusFields[f];
        field->setEnabled(true);
        field->setAlignment(Qt::AlignCenter);
        setSmallFont(field);
        field->setPalette(statusPalettes[f]);
        field->setEnabled(false);
    }
    for (int n = 1; n < PANEL_LINES; ++n) {
        if (lines[n - 1].isEmpty())
            continue;
        const ControlTableLine line = ControlTableLine::parse(lines[n - 1]);
        if (line.kind == rows[n].kind)
            updateRow(n, line);
    }
}

void BlockDlg::showValuesNotLive() {
    if (!content)
        return;
    for (QLineEdit *field : statusFields)
        setBase(field, Qt::gray);
    for (const Row &row : rows)
        if (row.kind == ControlKind::Lamp)
            setBase(row.controls.front(), Qt::gray);
}

void BlockDlg::updateRow(int n, const ControlTableLine &line) {
    const std::vector<QWidget *> &controls = rows[n].controls;
    const int value = values[n];
    std::vector<QSignalBlocker> blockers;
    blockers.reserve(controls.size());
    for (QWidget *control : controls)
        blockers.emplace_back(control);

    switch (line.kind) {
    case ControlKind::Empty:
        break;
    case ControlKind::Lamp:
        setLampColour(controls[0], line, value, false);
        break;
    case ControlKind::OnOff:
    case ControlKind::Toggle:
    case ControlKind::ButtonGroup:
        for (QWidget *control : controls)
            static_cast<MyButton *>(control)->restoreNormalPalette();
        if (line.kind == ControlKind::OnOff) {
            if (value == 1 || value == 0)
                static_cast<MyButton *>(controls[value == 1 ? 0 : 1])->setChecked(true);
        } else if (line.kind == ControlKind::Toggle) {
            if (value == 1 || value == 0)
                static_cast<MyButton *>(controls[0])->setChecked(value == 1);
        } else if (isGroupPosition(value,
                                   std::min(line.items.size(), qsizetype(controls.size())))) {
            static_cast<MyButton *>(controls[value])->setChecked(true);
        }
        break;
    case ControlKind::List:
    case ControlKind::ReadOnlyList:
        fillList(static_cast<QComboBox *>(controls[0]), line, value);
        if (line.kind == ControlKind::List)
            static_cast<MyList *>(controls[0])->restoreNormalPalette();
        break;
    case ControlKind::ReadOnlyNumber:
        scale[n] = line.scale;
        setNumber(static_cast<QDoubleSpinBox *>(controls[0]), line.scale, value);
        break;
    case ControlKind::Number: {
        auto *field = static_cast<MyDspin *>(controls[0]);
        scale[n] = line.scale;
        field->scale = line.scale;
        field->showValue(value * line.scale);
        field->restoreNormalPalette();
        break;
    }
    }
}
