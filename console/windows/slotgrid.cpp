#include "console/windows/slotgrid.h"

#include "console/windows/consolecolours.h"
#include "console/windows/mymainbutton.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr QSize RACK_BUTTON_SIZE{22, 123};
constexpr QSize SLOT_BUTTON_SIZE{96, 123};
constexpr QSize CORNER_SIZE{22, 22};
constexpr QSize NUMBER_BUTTON_SIZE{96, 22};
constexpr int RACK_ROWS_SPACING = 5;
constexpr int PANEL_WIDTH_EXTRA = 60;
constexpr int PANE_HEADER_HEIGHT = 26;
constexpr int PANE_ROW_HEIGHT = 127;
constexpr int PANE_ROWS_HEIGHT = 308;
constexpr int MONITOR_COLUMN_HEIGHT = 962;
constexpr int STRIP = 6;

QFont pixelFont(int pixels, bool bold = false) {
    QFont font;
    font.setPixelSize(pixels);
    if (bold)
        font.setWeight(QFont::Bold);
    return font;
}

// A palette whose every face, the line edits' base included, is `colour`.
QPalette solidPalette(const QColor &colour) {
    QPalette palette(colour);
    palette.setColor(QPalette::Base, colour);
    return palette;
}

QBoxLayout *rowLayout(QWidget *box) {
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    return layout;
}

// Four frameless, disabled, hidden strips framing a button of `size`.
std::array<QLineEdit *, FRAME_STRIPS> makeFrameStrips(QWidget *parent, QSize size,
                                                      const QPalette &palette) {
    const int w = size.width();
    const int h = size.height();
    const std::array<QRect, FRAME_STRIPS> rects = {
        QRect(0, 0, w, STRIP), QRect(w - STRIP, 0, STRIP, h), QRect(0, h - 4, w, STRIP),
        QRect(0, 0, STRIP, h)};
    std::array<QLineEdit *, FRAME_STRIPS> strips{};
    for (int i = 0; i < FRAME_STRIPS; ++i) {
        auto *strip = new QLineEdit(parent);
        strip->setFrame(false);
        strip->setEnabled(false);
        strip->setGeometry(rects[i]);
        strip->setPalette(palette);
        strip->hide();
        strips[i] = strip;
    }
    return strips;
}

MyMainButton *makeRackButton(int gridRow) {
    auto *button = new MyMainButton;
    button->setFixedSize(RACK_BUTTON_SIZE);
    button->setFont(pixelFont(9));
    button->setOrientation(Qt::Vertical);
    button->setMirrored(true);
    button->slot = 0;
    button->rack = gridRow;
    return button;
}

// A child made after others goes below them, as if made first: a selection frame placed on
// the button stays on top.
template <typename Child> Child *lowered(Child *child) {
    child->lower();
    return child;
}

} // namespace

SlotGrid::SlotGrid(SlotPressed pressed, SlotMenuRequested menuRequested)
    : pressed(std::move(pressed))
    , menuRequested(std::move(menuRequested))
    , normalPalette(normalColor)
    , whitePalette(QColor(Qt::white))
    , grayPalette(QColor(Qt::gray))
    , alarmLabelFont(pixelFont(8, true))
    , ledPalettes{solidPalette(Qt::gray), solidPalette(Qt::red), solidPalette(Qt::green)}
    , panePalettes{QPalette(paneColor1), QPalette(paneColor2)} {
    static_assert(int(LedColour::Gray) == 0 && int(LedColour::Red) == 1 &&
                  int(LedColour::Green) == 2);
    gridColumn = new QWidget;
    gridColumnLayout = new QVBoxLayout(gridColumn);
    gridColumnLayout->setContentsMargins(2, 5, 2, 5);
    gridColumnLayout->setSpacing(0);
    gridColumn->hide();
    rackPanelWidth = SLOTS_PER_RACK * SLOT_BUTTON_SIZE.width() + PANEL_WIDTH_EXTRA;

    // The frames wait, hidden, in the rack panel until a slot is selected: a slot button
    // need not exist for them.
    for (int p = 0; p < PANES; ++p)
        selectionStrips[p] =
            makeFrameStrips(gridColumn, SLOT_BUTTON_SIZE, solidPalette(paneColor[p]));
    buildPaneRows();
}

SlotRow &SlotGrid::rackRow(int rack) {
    buildRackRows(rack);
    return rackRows[rack];
}

HeaderRow &SlotGrid::rackHeader(int rack) {
    buildRackRows(rack);
    return rackHeaders[rack];
}

void SlotGrid::buildRackRows(int rack) {
    if (made[rack])
        return;
    made[rack] = true;
    SlotRow &row = rackRows[rack];
    buildSlotRow(row, rack + 1);
    buildHeaderRow(rackHeaders[rack], true);
    for (int s = 1; s < GRID_COLUMNS; ++s) {
        MyMainButton *button = row.buttons[s];
        button->alarmMark = -1;
        button->normalPalette = normalPalette;
        button->setPalette(normalPalette);
        if (pressed)
            button->selected = pressed;
        if (menuRequested)
            QObject::connect(button, &QWidget::customContextMenuRequested, button,
                             [this, button](const QPoint &pos) { menuRequested(button, pos); });
    }
}

void SlotGrid::buildSlotRow(SlotRow &row, int gridRow) {
    row.box = new QGroupBox;
    QBoxLayout *layout = rowLayout(row.box);
    row.buttons[0] = makeRackButton(gridRow);
    layout->addWidget(row.buttons[0]);
    for (int s = 1; s < GRID_COLUMNS; ++s) {
        auto *button = new MyMainButton;
        button->setFixedSize(SLOT_BUTTON_SIZE);
        button->slot = s;
        button->rack = gridRow;
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        row.buttons[s] = button;
        layout->addWidget(button);
    }
}

QLabel *SlotGrid::moduleLabel(SlotRow &row, int column) {
    QLabel *&label = row.moduleLabels[column];
    if (!label) {
        label = lowered(new QLabel(row.buttons[column]));
        label->setGeometry(7, 10, 85, 30);
        label->setPalette(whitePalette);
        label->show();
    }
    return label;
}

QLineEdit *SlotGrid::alarmLed(SlotRow &row, int column, int alarm) {
    QLineEdit *&led = row.alarmLeds[column][alarm];
    if (!led) {
        led = lowered(new QLineEdit(row.buttons[column]));
        led->move(5, 68 + 9 * alarm);
        led->setFixedSize(10, 7);
        led->setPalette(ledPalettes[0]);
        led->setEnabled(false);
        led->hide();
    }
    return led;
}

QLabel *SlotGrid::alarmLabel(SlotRow &row, int column, int alarm) {
    QLabel *&label = row.alarmLabels[column][alarm];
    if (!label) {
        label = lowered(new QLabel(row.buttons[column]));
        label->setGeometry(18, 63 + 9 * alarm, 75, 16);
        label->setFont(alarmLabelFont);
        label->hide();
    }
    return label;
}

void SlotGrid::buildHeaderRow(HeaderRow &header, bool fixedWidths) {
    header.box = new QGroupBox;
    QBoxLayout *layout = rowLayout(header.box);
    auto *corner = new MyMainButton;
    corner->setFixedSize(CORNER_SIZE);
    corner->setEnabled(false);
    corner->setPalette(grayPalette);
    header.buttons[0] = corner;
    layout->addWidget(corner);
    const QFont numberFont = pixelFont(9);
    for (int s = 1; s < GRID_COLUMNS; ++s) {
        auto *number = new MyMainButton;
        if (fixedWidths)
            number->setFixedSize(NUMBER_BUTTON_SIZE);
        number->setFont(numberFont);
        number->setText(QString::number(s - 1));
        header.buttons[s] = number;
        layout->addWidget(number);
    }
}

void SlotGrid::buildPaneRows() {
    paneRowsWidget = new QWidget;
    paneRowsWidget->setFixedHeight(PANE_ROWS_HEIGHT);
    auto *rows = new QVBoxLayout(paneRowsWidget);
    rows->setContentsMargins(1, 2, 1, 0);
    rows->setSpacing(0);
    for (int p = 0; p < PANES; ++p) {
        buildHeaderRow(paneHeaders[p], false);
        paneHeaders[p].box->setFixedHeight(PANE_HEADER_HEIGHT);
        buildSlotRow(paneRows[p], 0);
        paneRows[p].box->setFixedHeight(PANE_ROW_HEIGHT);
        for (int s = 1; s < GRID_COLUMNS; ++s) {
            MyMainButton *button = paneRows[p].buttons[s];
            button->rack = -(p + 1);
            button->setIconSize(QSize(94, 119));
            paneRowStrips[p][s] =
                makeFrameStrips(button, SLOT_BUTTON_SIZE, solidPalette(paneColor[p]));
        }
        if (p == 1)
            rows->addSpacing(4);
        rows->addWidget(paneHeaders[p].box);
        rows->addWidget(paneRows[p].box);
    }
    monitorColumn = new QWidget;
    monitorColumn->setFixedHeight(MONITOR_COLUMN_HEIGHT);
    auto *column = new QVBoxLayout(monitorColumn);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(paneRowsWidget);
}

void SlotGrid::addRackRows(int rack, const QString &ipText) {
    rackButton(rack)->setText(ipText);
    for (QGroupBox *box : {rackHeader(rack).box, rackRow(rack).box}) {
        gridColumnLayout->addWidget(box);
        // At once, so the rack panel's next size counts the rows.
        box->show();
    }
    gridColumnLayout->addSpacing(RACK_ROWS_SPACING);
}

void SlotGrid::setRackRowsVisible(int rack, bool visible) {
    rackHeader(rack).box->setVisible(visible);
    rackRow(rack).box->setVisible(visible);
}

void SlotGrid::resizeRackPanel(int height) {
    gridColumn->resize(rackPanelWidth, height);
    gridColumn->adjustSize();
    gridColumn->show();
}

void SlotGrid::emptySlotButton(int rack, int slot) {
    MyMainButton *button = slotButton(rack, slot);
    button->setPalette(rackButton(rack)->palette());
    button->setIcon(QIcon());
    if (QLabel *label = rackRow(rack).moduleLabels[slot + 1])
        label->clear();
    button->setEnabled(false);
    // A slot without a module has no alarm to show: the tree's icons follow this mark.
    button->alarmMark = -1;
}

void SlotGrid::setSlotModule(int rack, int slot, const QString &iconPath, const QString &label) {
    QIcon icon;
    if (!iconPath.isEmpty()) {
        auto found = moduleIcons.constFind(iconPath);
        if (found == moduleIcons.constEnd())
            found = moduleIcons.insert(iconPath, QIcon(QPixmap(iconPath)));
        icon = *found;
    }
    slotButton(rack, slot)->setIcon(icon);
    SlotRow &row = rackRow(rack);
    if (!label.isEmpty() || row.moduleLabels[slot + 1])
        moduleLabel(row, slot + 1)->setText(label);
}

void SlotGrid::setSlotButtonAlarm(int rack, int slot, bool alarm) {
    MyMainButton *button = slotButton(rack, slot);
    button->setPalette(alarm ? QPalette(alarmColor) : normalPalette);
    button->alarmMark = alarm ? 1 : -1;
}

void SlotGrid::hideSlotAlarm(int rack, int slot, int alarm) {
    SlotRow &row = rackRow(rack);
    if (QLineEdit *led = row.alarmLeds[slot + 1][alarm]) {
        led->hide();
        led->setPalette(ledPalettes[0]);
    }
    if (QLabel *label = row.alarmLabels[slot + 1][alarm]) {
        label->hide();
        label->clear();
    }
}

void SlotGrid::showSlotAlarm(int rack, int slot, int alarm, const QString &name) {
    SlotRow &row = rackRow(rack);
    QLabel *label = alarmLabel(row, slot + 1, alarm);
    label->setText(name);
    alarmLed(row, slot + 1, alarm)->show();
    label->show();
}

void SlotGrid::setSlotAlarmLed(int rack, int slot, int alarm, LedColour colour) {
    alarmLed(rackRow(rack), slot + 1, alarm)->setPalette(ledPalettes[int(colour)]);
}

void SlotGrid::setPaneAlarmLed(int pane, int alarm, LedColour colour) {
    alarmLed(paneRows[pane - 1], 1, alarm)->setPalette(ledPalettes[int(colour)]);
}

void SlotGrid::setPaneHeaderAlarm(int pane, bool alarm) {
    paneHeader(pane)->setPalette(alarm ? QPalette(alarmColor) : normalPalette);
}

void SlotGrid::refreshPaneHeader(int pane, int rack, int slot, int alarmCount) {
    MyMainButton *header = paneHeader(pane);
    const MyMainButton *source = slotButton(rack, slot);
    SlotRow &paneRow = paneRows[pane - 1];
    const SlotRow &row = rackRow(rack);
    header->setIcon(source->icon());
    header->setPalette(source->palette());
    const QLabel *sourceLabel = row.moduleLabels[slot + 1];
    if (sourceLabel || paneRow.moduleLabels[1])
        moduleLabel(paneRow, 1)->setText(sourceLabel ? sourceLabel->text() : QString());
    const int shown = std::clamp(alarmCount, 0, ALARMS_PER_SLOT);
    for (int a = 0; a < ALARMS_PER_SLOT; ++a) {
        const QLineEdit *sourceLed = row.alarmLeds[slot + 1][a];
        const QLabel *sourceAlarm = row.alarmLabels[slot + 1][a];
        const bool on = a < shown;
        // An indicator never made is hidden, gray and empty already.
        if (!on && !paneRow.alarmLeds[1][a] && !paneRow.alarmLabels[1][a])
            continue;
        QLineEdit *led = alarmLed(paneRow, 1, a);
        QLabel *label = alarmLabel(paneRow, 1, a);
        led->setVisible(on);
        label->setVisible(on);
        led->setPalette(on && sourceLed ? sourceLed->palette() : ledPalettes[0]);
        label->setText(on && sourceAlarm ? sourceAlarm->text() : QString());
    }
}

void SlotGrid::resetRowAlarms(SlotRow &row, int firstColumn, int lastColumn) {
    for (int s = firstColumn; s <= lastColumn; ++s) {
        for (int a = 0; a < ALARMS_PER_SLOT; ++a) {
            if (QLineEdit *led = row.alarmLeds[s][a]) {
                led->setPalette(ledPalettes[0]);
                led->setEnabled(false);
                led->hide();
            }
            if (QLabel *label = row.alarmLabels[s][a]) {
                label->clear();
                label->hide();
            }
        }
        MyMainButton *button = row.buttons[s];
        button->alarmMark = -1;
        button->normalPalette = normalPalette;
        button->setPalette(normalPalette);
    }
}

void SlotGrid::resetAlarmIndicators() {
    // Rows not made yet will be made as a reset leaves them.
    for (int r = 0; r < MAX_RACK_NUMBER; ++r)
        if (made[r])
            resetRowAlarms(rackRows[r], 1, SLOTS_PER_RACK);
    for (SlotRow &row : paneRows)
        resetRowAlarms(row, 1, 1);
}

void SlotGrid::placeSelectionFrame(int pane, int rack, int slot) {
    MyMainButton *button = slotButton(rack, slot);
    for (QLineEdit *strip : selectionStrips[pane - 1]) {
        strip->setParent(button);
        strip->show();
    }
}

void SlotGrid::hideSelectionFrame(int pane) {
    for (QLineEdit *strip : selectionStrips[pane - 1])
        strip->hide();
}

bool SlotGrid::frameSitsOn(int pane, const MyMainButton *button) const {
    return selectionStrips[pane - 1][0]->parentWidget() == button;
}

void SlotGrid::markSlotHeader(int pane, int rack, int slot) {
    headerButton(rack, slot)->setPalette(panePalettes[pane - 1]);
}

void SlotGrid::restoreSlotHeader(int rack, int slot) {
    headerButton(rack, slot)->setPalette(rackButton(rack)->palette());
}
