#include "console/windows/alarmtable.h"

#include "console/windows/alarmdspin.h"
#include "console/windows/alarmsetting.h"
#include "console/windows/alarmsnmpsetbtn.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr int COLUMN_WIDTHS[AlarmTable::COLUMNS] = {115, 88, 88, 130, 130};
constexpr int CHOICE_FONT_PIXELS = 10;
constexpr int CHOICE_MARGIN = 2;
// Wide enough that a right-aligned row number clears the pane's 6-pixel border strip, narrow
// enough that the five columns still fit the table's 570 pixels.
constexpr int ROW_NUMBER_WIDTH = 16;

// A table cell that lends its place to one alarm cell and gives it back (hidden, without
// parent) when it shows another or is destroyed with its table.
class CellHolder : public QWidget {
public:
    CellHolder() {
        auto *box = new QHBoxLayout(this);
        box->setContentsMargins(0, 0, 0, 0);
        box->setSpacing(0);
    }
    ~CellHolder() override { release(); }

    void hold(QWidget *cell) {
        release();
        layout()->addWidget(cell);
        cell->show();
        content = cell;
    }

    void release() {
        if (content && content->parentWidget() == this) {
            content->hide();
            content->setParent(nullptr);
        }
        content = nullptr;
    }

private:
    QPointer<QWidget> content;
};

// The two radio buttons of a choice cell, "Normal" first.
QWidget *makeChoiceCell(const QFont &font, AlarmSnmpSetBtn *&normal, AlarmSnmpSetBtn *&ignore,
                        ConsoleTables &tables, ConsoleViews &views, int r, int s, int normalKind,
                        int a) {
    auto *cell = new QWidget;
    auto *box = new QHBoxLayout(cell);
    // The layout's default margins would cut "Normal" in the 130-pixel column.
    box->setContentsMargins(CHOICE_MARGIN, 0, CHOICE_MARGIN, 0);
    box->setSpacing(CHOICE_MARGIN);
    normal =
        new AlarmSnmpSetBtn(tables, views, QStringLiteral("Normal"), r, s, normalKind, a, cell);
    ignore =
        new AlarmSnmpSetBtn(tables, views, QStringLiteral("Ignore"), r, s, normalKind + 1, a, cell);
    normal->setFont(font);
    ignore->setFont(font);
    box->addWidget(normal);
    box->addWidget(ignore);
    return cell;
}

// The control of a table cell that takes the keyboard: the checked choice of a choice cell,
// else its first control that takes Tab focus; null for a cell without one (a name, a
// disabled limit).
QWidget *focusTarget(QWidget *holder) {
    if (!holder)
        return nullptr;
    QWidget *first = nullptr;
    for (QWidget *w : holder->findChildren<QWidget *>()) {
        if (!w->isEnabled() || !w->isVisibleTo(holder) || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(w); button && button->isChecked())
            return button;
        if (!first)
            first = w;
    }
    return first;
}

// Takes the keyboard focus to the current cell's control when the focus is in the table,
// so that keys go where the highlight is.
void focusCurrentCell(QTableWidget &table, int row, int column) {
    QWidget *focused = QApplication::focusWidget();
    if (!focused || (focused != &table && !table.isAncestorOf(focused)))
        return;
    QWidget *holder = table.cellWidget(row, column);
    if (holder && holder->isAncestorOf(focused))
        return;
    if (QWidget *target = focusTarget(holder))
        target->setFocus(Qt::TabFocusReason);
    else
        table.setFocus(Qt::TabFocusReason);
}

// The highlight follows the focus into a cell's control (a click there).
void highlightFocusedCell(QTableWidget &table, QWidget *focused) {
    QWidget *viewport = table.viewport();
    if (!focused || !viewport->isAncestorOf(focused))
        return;
    QWidget *holder = focused;
    while (holder->parentWidget() != viewport)
        holder = holder->parentWidget();
    for (int row = 0; row < table.rowCount(); ++row)
        for (int column = 0; column < table.columnCount(); ++column)
            if (table.cellWidget(row, column) == holder) {
                if (table.currentRow() != row || table.currentColumn() != column)
                    table.setCurrentCell(row, column);
                return;
            }
}

std::array<QWidget *, AlarmTable::COLUMNS> rowWidgets(const AlarmTable::Cells &c) {
    return {c.name, c.lower, c.upper, c.alarmSetCell, c.snmpCell};
}

void showUnsetLimit(AlarmDspin *editor, const QString &kind) {
    editor->setSpecialValueText(kind);
    editor->setValue(editor->minimum());
}

} // namespace

AlarmTable::AlarmTable(ConsoleTables &tables, ConsoleViews &views, RegisterSpinLookup registerSpin)
    : tables(tables)
    , views(views)
    , registerSpin(std::move(registerSpin)) {}

void AlarmTable::makeSlotCells(int r, int s) {
    if (made[r][s])
        return;
    made[r][s] = true;
    // Each cell is made without a parent: a common parent would make every later reparenting
    // walk the focus chain of all the cells.
    QFont choiceFont;
    choiceFont.setPixelSize(CHOICE_FONT_PIXELS);
    for (int a = 0; a < ALARMS_PER_SLOT; ++a) {
        Cells &c = store[r][s][a];
        c.name = new QLabel;
        c.name->setAlignment(Qt::AlignVCenter);
        c.upper = new AlarmDspin(tables, r, s, AlarmUpperLimit, a);
        c.lower = new AlarmDspin(tables, r, s, AlarmLowerLimit, a);
        c.alarmSetCell = makeChoiceCell(choiceFont, c.alarmSetNormal, c.alarmSetIgnore, tables,
                                        views, r, s, AlarmSetNormal, a);
        c.snmpCell = makeChoiceCell(choiceFont, c.snmpNormal, c.snmpIgnore, tables, views, r, s,
                                    AlarmSnmpNormal, a);
    }
}

AlarmTable::Cells &AlarmTable::cells(int rack, int slot, int alarm) {
    makeSlotCells(rack, slot);
    return store[rack][slot][alarm];
}

AlarmTable::~AlarmTable() {
    // A table that still shows a cell only borrows it; deleting it takes it out of the table.
    for (auto &rack : store)
        for (auto &slot : rack)
            for (Cells &c : slot)
                for (QWidget *w : rowWidgets(c))
                    delete w;
}

QTableWidget *AlarmTable::createPaneTable(QWidget *alarmPage) {
    auto *table = new QTableWidget(0, COLUMNS, alarmPage);
    table->setMinimumSize(570, 330);
    table->setHorizontalHeaderLabels(
        {QStringLiteral("Alarm Name"), QStringLiteral("Lower Limit"), QStringLiteral("Upper Limit"),
         QStringLiteral("Alarm Setting"), QStringLiteral("SNMP trap Setting")});
    for (int column = 0; column < COLUMNS; ++column)
        table->setColumnWidth(column, COLUMN_WIDTHS[column]);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab and Shift+Tab move the highlighted cell; the keyboard focus goes with it.
    QObject::connect(table, &QTableWidget::currentCellChanged, table,
                     [table](int row, int column) { focusCurrentCell(*table, row, column); });
    QObject::connect(qApp, &QApplication::focusChanged, table,
                     [table](QWidget *, QWidget *now) { highlightFocusedCell(*table, now); });
    // The pane's border strip runs along the table's left edge: the row numbers keep clear
    // of it at the right of their header.
    table->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->verticalHeader()->setMinimumWidth(ROW_NUMBER_WIDTH);
    QPalette palette = table->palette();
    palette.setColor(QPalette::Highlight, Qt::yellow);
    palette.setColor(QPalette::HighlightedText, Qt::black);
    table->setPalette(palette);
    return table;
}

void AlarmTable::showSlot(QTableWidget &table, int rack, int slot) {
    if (rack < 0 || rack >= MAX_RACK_NUMBER || slot < 0 || slot >= SLOTS_PER_RACK)
        return;
    for (int row = 0; row < table.rowCount(); ++row)
        for (int column = 0; column < COLUMNS; ++column)
            if (auto *holder = dynamic_cast<CellHolder *>(table.cellWidget(row, column)))
                holder->release();

    makeSlotCells(rack, slot);
    SlotAlarms &alarms = tables.alarm_table[rack][slot];
    const int rows = std::clamp(alarms[0].alarmCount, 0, ALARMS_PER_SLOT);
    table.setRowCount(rows);
    for (int a = 0; a < ALARMS_PER_SLOT; ++a) {
        Cells &c = store[rack][slot][a];
        c.name->setContentsMargins(5, 2, 2, 2);
        c.name->setText(alarms[a].name);
        fillCells(rack, slot, a, true);
        if (a >= rows)
            continue;
        table.setRowHeight(a, ROW_HEIGHT);
        const std::array<QWidget *, COLUMNS> row = rowWidgets(c);
        for (int column = 0; column < COLUMNS; ++column) {
            auto *holder = dynamic_cast<CellHolder *>(table.cellWidget(a, column));
            if (!holder) {
                holder = new CellHolder;
                table.setCellWidget(a, column, holder);
            }
            holder->hold(row[column]);
        }
    }
    alarms[0].widgetsLoaded = 1;
}

void AlarmTable::loadAlarmWidgets(int rack, int slot, int alarm) {
    if (rack < 1 || rack > MAX_RACK_NUMBER || slot < 1 || slot > SLOTS_PER_RACK || alarm < 0 ||
        alarm >= ALARMS_PER_SLOT)
        return;
    makeSlotCells(rack - 1, slot - 1);
    fillCells(rack - 1, slot - 1, alarm, false);
}

void AlarmTable::fillCells(int r, int s, int a, bool atBuild) {
    Cells &c = store[r][s][a];
    AlarmEntry &entry = tables.alarm_table[r][s][a];
    const BlockDescription &block = tables.block(r, s);
    const QSignalBlocker blockers[] = {
        QSignalBlocker(c.lower),          QSignalBlocker(c.upper),
        QSignalBlocker(c.alarmSetNormal), QSignalBlocker(c.alarmSetIgnore),
        QSignalBlocker(c.snmpNormal),     QSignalBlocker(c.snmpIgnore)};

    const bool defined = a < tables.alarm_table[r][s][0].alarmCount;
    const bool limitPair = entry.kind == QLatin1String("L");
    if (defined && !limitPair) {
        showUnsetLimit(c.lower, entry.kind);
        showUnsetLimit(c.upper, entry.kind);
    } else if (defined && entry.reg < block.valueCount) {
        if (atBuild) {
            if (entry.decimals == 1) {
                const double scale = alarmRegisterScale(block, entry.reg);
                entry.upper *= scale;
                entry.lower *= scale;
                entry.decimals = 2;
            }
            const QDoubleSpinBox *field = registerSpin ? registerSpin(r, s, entry.reg) : nullptr;
            for (AlarmDspin *editor : {c.lower, c.upper}) {
                editor->setDecimals(field ? field->decimals() : 0);
                editor->setSingleStep(field ? field->singleStep() : 1.0);
            }
        }
        // Setting the text rewrites the field, also over digits the operator is typing.
        for (AlarmDspin *editor : {c.lower, c.upper})
            if (!editor->specialValueText().isEmpty())
                editor->setSpecialValueText(QString());
        c.lower->showValue(entry.lower);
        c.upper->showValue(entry.upper);
    }
    (entry.alarm_set == 1 ? c.alarmSetNormal : c.alarmSetIgnore)->setChecked(true);
    (entry.snmp == 1 ? c.snmpNormal : c.snmpIgnore)->setChecked(true);
    if (atBuild && defined) {
        c.lower->setEnabled(limitPair);
        c.upper->setEnabled(limitPair);
    }
}
