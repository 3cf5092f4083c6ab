#include "console/windows/alarmtable.h"

#include "console/link/consoletables.h"
#include "console/link/nullconsoleviews.h"
#include "console/link/rings.h"
#include "console/windows/alarmdspin.h"
#include "console/windows/alarmsetting.h"
#include "console/windows/alarmsnmpsetbtn.h"
#include "tests/console/windows/windowtesting.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPointer>
#include <QTableWidget>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr uint32_t MODULE_ID = 0x0A1B2C3D;

// Views that remember which alarm lamps turned gray.
class LampViews : public NullConsoleViews {
public:
    void setSlotAlarmLed(int rack, int slot, int alarm, LedColour colour) override {
        if (colour == LedColour::Gray)
            grayLamps.push_back({rack, slot, alarm});
    }
    std::vector<std::array<int, 3>> grayLamps;
};

QByteArray bigEndian(const std::vector<int> &words) {
    QByteArray bytes;
    for (const int w : words) {
        bytes.append(char((w >> 8) & 0xFF));
        bytes.append(char(w & 0xFF));
    }
    return bytes;
}

// The code-70 message for rack address 10.0.0.7, the module MODULE_ID, and the given slot,
// register, kind, limits, value, choices and alarm index.
QByteArray alarmMessage(int slot, int reg, int kind, int lower, int upper, int value, int alarmSet,
                        int snmp, int alarm) {
    return bigEndian({19,    70,    1,     10,       0,    0,     7,    slot, reg,  kind,
                      lower, upper, value, alarmSet, snmp, alarm, 0x0A, 0x1B, 0x2C, 0x3D});
}

TEST(AlarmLimitWord, DividesInDoubleTruncatesInSinglePrecisionAndClamps) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char *name;
        double limit;
        double scale;
        int16_t word;
    };
    const std::vector<Case> cases = {
        {"scale 0.1, 12.5", 12.5, 0.1, 125},
        {"scale 0.1, 12.34 truncated", 12.34, 0.1, 123},
        {"scale 0.1, -0.05 truncated toward zero", -0.05, 0.1, 0},
        {"scale 1, negative truncated toward zero", -7.9, 1.0, -7},
        {"scale 0 counts as 1", 5.0, 0.0, 5},
        {"scale not a number counts as 1", 5.0, nan, 5},
        {"infinite scale counts as 1", 5.0, std::numeric_limits<double>::infinity(), 5},
        {"limit not a number", nan, 1.0, 0},
        {"above 16 bits clamped", 40000.0, 1.0, 32767},
        {"below 16 bits clamped", -40000.0, 1.0, -32768},
        {"far beyond single precision clamped", 1e300, 1e-300, 32767},
        {"largest word kept", 32767.0, 1.0, 32767},
        {"scale 10", 1234.0, 10.0, 123},
        {"scale 0.01, 0.29 is 29 in single precision", 0.29, 0.01, 29},
        {"scale 0.01, 12.34", 12.34, 0.01, 1234},
        {"scale 0.01, negative", -12.34, 0.01, -1234},
        {"scale 0.1, negative", -5.5, 0.1, -55},
        {"scale 0.01, above 16 bits clamped", 400.0, 0.01, 32767},
        {"scale 0.01, below 16 bits clamped", -400.0, 0.01, -32768},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(alarmLimitWord(c.limit, c.scale), c.word);
    }
}

// One set of alarm cells for the whole program (creating them costs), over one set of tables
// that each test prepares for the slot it uses.
class AlarmTableTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        tables = ConsoleTables::create().release();
        views = new LampViews;
        registerField = new QDoubleSpinBox;
        registerField->setDecimals(3);
        registerField->setSingleStep(0.05);
        cells = new AlarmTable(*tables, *views, [](int, int, int reg) {
            return reg == 1 ? static_cast<const QDoubleSpinBox *>(registerField) : nullptr;
        });
    }
    static void TearDownTestSuite() {
        delete cells;
        delete registerField;
        delete views;
        delete tables;
    }

    void SetUp() override {
        takeSent();
        views->grayLamps.clear();
        page = std::make_unique<QWidget>();
        table = AlarmTable::createPaneTable(page.get());
    }

    // Slot s of rack r holds MODULE_ID at 10.0.0.7 with `values` register values.
    void prepareSlot(int r, int s, int alarmCount, int values = 4) {
        tables->rack[r].nRackStructureTable[s] = MODULE_ID;
        BlockDescription &block = tables->block(r, s);
        block.ip = {10, 0, 0, 7};
        block.slot = uint8_t(s);
        block.valueCount = values;
        block.scale.fill(1.0);
        for (int a = 0; a < ALARMS_PER_SLOT; ++a)
            tables->resetAlarmEntry(r, s, a);
        tables->alarm_table[r][s][0].alarmCount = alarmCount;
    }

    AlarmEntry &limitAlarm(int r, int s, int a, int reg, double lower, double upper) {
        AlarmEntry &e = tables->alarm_table[r][s][a];
        e.name = QStringLiteral("Level %1").arg(a);
        e.kind = QStringLiteral("L");
        e.reg = reg;
        e.lower = lower;
        e.upper = upper;
        e.decimals = 2;
        e.alarm_set = 1;
        e.snmp = 1;
        return e;
    }

    static ConsoleTables *tables;
    static LampViews *views;
    static QDoubleSpinBox *registerField;
    static AlarmTable *cells;
    std::unique_ptr<QWidget> page;
    QTableWidget *table = nullptr;
};

ConsoleTables *AlarmTableTest::tables = nullptr;
LampViews *AlarmTableTest::views = nullptr;
QDoubleSpinBox *AlarmTableTest::registerField = nullptr;
AlarmTable *AlarmTableTest::cells = nullptr;

TEST_F(AlarmTableTest, PaneTableHasTheFiveTitledColumnsAndNoTextEditing) {
    ASSERT_EQ(table->columnCount(), 5);
    const QStringList titles = {"Alarm Name", "Lower Limit", "Upper Limit", "Alarm Setting",
                                "SNMP trap Setting"};
    const int widths[] = {115, 88, 88, 130, 130};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(table->horizontalHeaderItem(c)->text(), titles[c]);
        EXPECT_EQ(table->columnWidth(c), widths[c]);
    }
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_EQ(table->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(table->minimumSize(), QSize(570, 330));
    EXPECT_EQ(table->palette().color(QPalette::Highlight), QColor(Qt::yellow));
}

TEST_F(AlarmTableTest, ShowingASlotFillsItsCellsFromTheEntriesAndSendsNothing) {
    const int r = 2, s = 3;
    prepareSlot(r, s, 3);
    tables->block(r, s).scale[2] = 0.1;
    limitAlarm(r, s, 0, 1, -2.5, 7.25).alarm_set = 0;
    AlarmEntry &other = tables->alarm_table[r][s][1];
    other.name = QStringLiteral("Door");
    other.kind = QStringLiteral("D");
    other.reg = 0;
    other.snmp = 0;
    other.alarm_set = 1;
    // Read by the alarm-settings handler before the block's scale was known.
    AlarmEntry &early = limitAlarm(r, s, 2, 2, 50.0, 80.0);
    early.decimals = 1;

    cells->showSlot(*table, r, s);

    EXPECT_TRUE(takeSent().empty());
    EXPECT_EQ(tables->alarm_table[r][s][0].widgetsLoaded, 1);
    ASSERT_EQ(table->rowCount(), 3);
    for (int a = 0; a < 3; ++a) {
        SCOPED_TRACE(a);
        const AlarmTable::Cells &c = cells->cells(r, s, a);
        EXPECT_EQ(table->rowHeight(a), 50);
        EXPECT_TRUE(table->isAncestorOf(c.name));
        EXPECT_TRUE(table->isAncestorOf(c.snmpCell));
        EXPECT_EQ(c.name->text(), tables->alarm_table[r][s][a].name);
    }
    const AlarmTable::Cells &limits = cells->cells(r, s, 0);
    EXPECT_TRUE(limits.lower->isEnabled());
    EXPECT_DOUBLE_EQ(limits.lower->value(), -2.5);
    EXPECT_DOUBLE_EQ(limits.upper->value(), 7.25);
    EXPECT_EQ(limits.lower->decimals(), 3); // from the block panel's field of register 1
    EXPECT_DOUBLE_EQ(limits.lower->singleStep(), 0.05);
    EXPECT_TRUE(limits.alarmSetIgnore->isChecked());
    EXPECT_TRUE(limits.snmpNormal->isChecked());

    const AlarmTable::Cells &door = cells->cells(r, s, 1);
    EXPECT_FALSE(door.lower->isEnabled());
    EXPECT_FALSE(door.upper->isEnabled());
    EXPECT_EQ(door.lower->text(), QStringLiteral("D"));
    EXPECT_EQ(door.upper->text(), QStringLiteral("D"));
    EXPECT_TRUE(door.alarmSetNormal->isChecked());
    EXPECT_TRUE(door.snmpIgnore->isChecked());

    const AlarmTable::Cells &scaled = cells->cells(r, s, 2);
    EXPECT_DOUBLE_EQ(early.lower, 5.0);
    EXPECT_DOUBLE_EQ(early.upper, 8.0);
    EXPECT_EQ(early.decimals, 2);
    EXPECT_EQ(scaled.lower->decimals(), 0); // register 2 has no number field
    EXPECT_DOUBLE_EQ(scaled.lower->value(), 5.0);
    EXPECT_DOUBLE_EQ(scaled.upper->value(), 8.0);
}

TEST_F(AlarmTableTest, ASlotsCellsAreMadeWhenItIsFirstShownOrLoadedAndThenKept) {
    const int r = 39;
    prepareSlot(r, 14, 2);
    prepareSlot(r, 15, 2);
    limitAlarm(r, 15, 1, 1, 3.0, 4.0);
    ASSERT_FALSE(cells->hasCells(r, 14));
    ASSERT_FALSE(cells->hasCells(r, 15));

    cells->showSlot(*table, r, 14);
    EXPECT_TRUE(cells->hasCells(r, 14));
    EXPECT_FALSE(cells->hasCells(r, 15));
    const QLabel *shownName = cells->cells(r, 14, 0).name;

    cells->loadAlarmWidgets(r + 1, 15 + 1, 1);
    ASSERT_TRUE(cells->hasCells(r, 15));
    EXPECT_DOUBLE_EQ(cells->cells(r, 15, 1).upper->value(), 4.0);
    EXPECT_FALSE(cells->hasCells(r, 16));

    cells->showSlot(*table, r, 15);
    cells->showSlot(*table, r, 14);
    EXPECT_EQ(cells->cells(r, 14, 0).name, shownName);
    EXPECT_EQ(table->cellWidget(0, 0)->findChild<QLabel *>(), shownName);
    EXPECT_TRUE(takeSent().empty());
}

TEST_F(AlarmTableTest, LoadAlarmWidgetsRefillsOneAlarmAndSendsNothing) {
    const int r = 0, s = 0;
    prepareSlot(r, s, 2);
    limitAlarm(r, s, 0, 1, 1.0, 2.0);
    limitAlarm(r, s, 1, 1, 3.0, 4.0);
    cells->showSlot(*table, r, s);

    AlarmEntry &e = tables->alarm_table[r][s][1];
    e.lower = -1.5;
    e.upper = 9.5;
    e.alarm_set = 0;
    e.snmp = 0;
    tables->alarm_table[r][s][0].lower = 100.0;
    cells->loadAlarmWidgets(r + 1, s + 1, 1);

    const AlarmTable::Cells &c = cells->cells(r, s, 1);
    EXPECT_DOUBLE_EQ(c.lower->value(), -1.5);
    EXPECT_DOUBLE_EQ(c.upper->value(), 9.5);
    EXPECT_TRUE(c.alarmSetIgnore->isChecked());
    EXPECT_TRUE(c.snmpIgnore->isChecked());
    EXPECT_DOUBLE_EQ(cells->cells(r, s, 0).lower->value(), 1.0); // only alarm 1 was loaded

    // Another kind arrives for the alarm: both editors show the kind's text.
    e.kind = QStringLiteral("X");
    cells->loadAlarmWidgets(r + 1, s + 1, 1);
    EXPECT_EQ(c.lower->text(), QStringLiteral("X"));
    EXPECT_TRUE(takeSent().empty());

    cells->loadAlarmWidgets(0, 1, 0); // out of range: ignored
    cells->loadAlarmWidgets(1, 18, 0);
    cells->loadAlarmWidgets(1, 1, 6);
    EXPECT_TRUE(takeSent().empty());
}

TEST_F(AlarmTableTest, EachOperatorChangeSendsTheExactAlarmSetting) {
    struct Case {
        const char *name;
        QString kind;
        int reg;
        double scale; // of the alarm's register when it is 0..255
        int16_t value;
        bool upper;     // which editor the operator sets
        double entered; // engineering units
        QByteArray expected;
    };
    const int s = 5;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<Case> cases = {
        {"L, scale 1", "L", 1, 1.0, 0, false, 12.0, alarmMessage(s, 1, 1, 12, 20, 0, 1, 1, 0)},
        {"L, scale 0.1", "L", 2, 0.1, 0, false, 12.34, alarmMessage(s, 2, 1, 123, 200, 0, 1, 1, 0)},
        {"L, scale 0 counts as 1", "L", 3, 0.0, 0, true, 33.0,
         alarmMessage(s, 3, 1, 10, 33, 0, 1, 1, 0)},
        {"L, scale not a number counts as 1", "L", 3, nan, 0, true, 33.0,
         alarmMessage(s, 3, 1, 10, 33, 0, 1, 1, 0)},
        {"L, limit beyond 16 bits clamped", "L", 1, 1.0, 0, true, 500000.0,
         alarmMessage(s, 1, 1, 10, 32767, 0, 1, 1, 0)},
        {"L, below 16 bits clamped", "L", 1, 0.5, 0, false, -900000.0,
         alarmMessage(s, 1, 1, -32768, 40, 0, 1, 1, 0)},
        {"L, scale 0.01, 0.29", "L", 2, 0.01, 0, false, 0.29,
         alarmMessage(s, 2, 1, 29, 2000, 0, 1, 1, 0)},
        {"L, scale 0.01, negative lower", "L", 2, 0.01, 0, false, -12.34,
         alarmMessage(s, 2, 1, -1234, 2000, 0, 1, 1, 0)},
        {"L, scale 0.1, negative upper", "L", 2, 0.1, 0, true, -5.5,
         alarmMessage(s, 2, 1, 100, -55, 0, 1, 1, 0)},
        {"L, scale 0.01, beyond 16 bits clamped", "L", 2, 0.01, 0, true, 500.0,
         alarmMessage(s, 2, 1, 1000, 32767, 0, 1, 1, 0)},
        {"other kind sends 0 limits and its value", "H", 1, 0.1, 42, false, 12.0,
         alarmMessage(s, 1, 2, 0, 0, 42, 1, 1, 0)},
        {"other kind at scale 0.01", "D", 2, 0.01, -3, true, 7.0,
         alarmMessage(s, 2, 2, 0, 0, -3, 1, 1, 0)},
        {"register beyond 255 uses no scale", "L", 300, 0.1, 0, false, 7.5,
         alarmMessage(s, 300, 1, 7, 20, 0, 1, 1, 0)},
        {"register -1 uses no scale", "L", -1, 0.1, 0, true, 8.0,
         alarmMessage(s, -1, 1, 10, 8, 0, 1, 1, 0)},
    };
    const int r = 7;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        prepareSlot(r, s, 1, 256);
        AlarmEntry &e = limitAlarm(r, s, 0, c.reg, 10.0, 20.0);
        e.kind = c.kind;
        e.value = c.value;
        if (c.reg >= 0 && c.reg < MAX_CONTROL_LINES)
            tables->block(r, s).scale[c.reg] = c.scale;
        else
            tables->block(r, s).scale.fill(c.scale);
        cells->showSlot(*table, r, s);
        AlarmDspin *editor = c.upper ? cells->cells(r, s, 0).upper : cells->cells(r, s, 0).lower;
        editor->setDecimals(2);
        editor->setValue(c.entered);

        const QList<QByteArray> sent = takeSent();
        ASSERT_EQ(sent.size(), 1);
        EXPECT_EQ(sent[0].size(), 40);
        EXPECT_EQ(sent[0].toHex(' '), c.expected.toHex(' '));
        EXPECT_DOUBLE_EQ(c.upper ? e.upper : e.lower, editor->value());
    }
}

TEST_F(AlarmTableTest, ChoicesAreStoredAndSentAndIgnoreGraysTheLampOnce) {
    const int r = 1, s = 16, a = 4;
    prepareSlot(r, s, 5);
    AlarmEntry &e = limitAlarm(r, s, a, 1, 1.5, 2.5);
    e.state = 1;
    cells->showSlot(*table, r, s);
    const AlarmTable::Cells &c = cells->cells(r, s, a);

    c.alarmSetIgnore->click();
    EXPECT_EQ(e.alarm_set, 0);
    EXPECT_EQ(e.alarmSetOld, 1);
    EXPECT_EQ(e.state, -1);
    EXPECT_EQ(views->grayLamps, (std::vector<std::array<int, 3>>{{r, s, a}}));
    QList<QByteArray> sent = takeSent();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0], alarmMessage(s, 1, 1, 1, 2, 0, 0, 1, a));

    // Ignore again: sent again, no further colour change.
    c.alarmSetIgnore->click();
    EXPECT_EQ(views->grayLamps.size(), 1u);
    EXPECT_EQ(takeSent().size(), 1);

    c.snmpIgnore->click();
    EXPECT_EQ(e.snmp, 0);
    sent = takeSent();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0], alarmMessage(s, 1, 1, 1, 2, 0, 0, 0, a));

    c.alarmSetNormal->click();
    EXPECT_EQ(e.alarm_set, 1);
    EXPECT_EQ(e.alarmSetOld, 0);
    c.snmpNormal->click();
    EXPECT_EQ(e.snmp, 1);
    sent = takeSent();
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent[1], alarmMessage(s, 1, 1, 1, 2, 0, 1, 1, a));
}

TEST_F(AlarmTableTest, WheelChangesALimitOnlyWithFocus) {
    const int r = 3, s = 1;
    prepareSlot(r, s, 1);
    limitAlarm(r, s, 0, 1, 5.0, 6.0);
    cells->showSlot(*table, r, s);
    page->show();
    AlarmDspin *editor = cells->cells(r, s, 0).lower;
    ASSERT_FALSE(editor->hasFocus());
    EXPECT_EQ(editor->focusPolicy(), Qt::StrongFocus);

    const QPointF at(editor->width() / 2.0, editor->height() / 2.0);
    QWheelEvent wheel(at, editor->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(editor, &wheel);

    EXPECT_DOUBLE_EQ(editor->value(), 5.0);
    EXPECT_FALSE(editor->hasFocus());
    EXPECT_TRUE(takeSent().empty());

    // With focus the wheel steps the limit, and the change is sent.
    page->activateWindow();
    QApplication::setActiveWindow(page.get());
    editor->setFocus();
    ASSERT_TRUE(editor->hasFocus());
    QApplication::sendEvent(editor, &wheel);
    EXPECT_NE(editor->value(), 5.0);
    EXPECT_EQ(takeSent().size(), 1);
}

TEST_F(AlarmTableTest, ALimitEditorWritesEachCommittedLimitOnce) {
    const int r = 2, s = 9;
    prepareSlot(r, s, 1);
    tables->block(r, s).scale[1] = 0.01;
    AlarmEntry &e = limitAlarm(r, s, 0, 1, 5.0, 20.0);
    cells->showSlot(*table, r, s);
    AlarmDspin *editor = cells->cells(r, s, 0).lower;
    ASSERT_TRUE(showActive(*page));
    for (const SpinOperatorStep &step : spinOperatorSteps()) {
        SCOPED_TRACE(step.what);
        editor->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(editor->hasFocus());
        step.act({*editor, *cells->cells(r, s, 0).upper,
                  [&] { cells->loadAlarmWidgets(r + 1, s + 1, 0); }});
        const QList<QByteArray> sent = takeSent();
        ASSERT_EQ(int(sent.size()), step.writes);
        if (step.writes == 1) {
            EXPECT_DOUBLE_EQ(e.lower, editor->value());
            EXPECT_EQ(sent[0],
                      alarmMessage(s, 1, 1, alarmLimitWord(e.lower, 0.01), 2000, 0, 1, 1, 0));
        }
    }
    EXPECT_DOUBLE_EQ(e.lower, 12.49);
}

// Tab and Shift+Tab take the keyboard focus to the cell they highlight, so digits typed after
// each Tab land where the operator sees the highlight; the choices take no digits, and arrow
// keys there move between Normal and Ignore without writing.
TEST_F(AlarmTableTest, TabTakesTheFocusToTheHighlightedCell) {
    const int r = 6, s = 4;
    prepareSlot(r, s, 2);
    AlarmEntry &e = limitAlarm(r, s, 0, 1, 180.0, 245.0);
    limitAlarm(r, s, 1, 1, 1.0, 2.0);
    cells->showSlot(*table, r, s);
    page->resize(600, 400);
    ASSERT_TRUE(showActive(*page));
    const AlarmTable::Cells &c = cells->cells(r, s, 0);
    const auto focused = [] { return QApplication::focusWidget(); };
    const auto key = [&](int k, const QString &text = QString(),
                         Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        pressKey(*focused(), k, text, modifiers);
    };
    const auto retype = [&](const QString &digits) {
        key(Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier);
        for (const QChar d : digits)
            key(d.unicode(), QString(d));
    };
    const auto tab = [&] { key(Qt::Key_Tab, QStringLiteral("\t")); };
    const auto backtab = [&] { key(Qt::Key_Backtab, QString(), Qt::ShiftModifier); };
    const auto isIn = [&](QWidget *cell) {
        return focused() && (focused() == cell || cell->isAncestorOf(focused()));
    };

    clickAt(*c.lower, QPoint(10, c.lower->height() / 2));
    ASSERT_TRUE(isIn(c.lower));
    EXPECT_EQ(table->currentColumn(), 1) << "the highlight follows the click";
    struct Step {
        const char *what;
        std::function<void()> act;
        int column;     // highlighted, and holding the focus
        QWidget *focus; // the control with the focus
        int writes;
    };
    const std::vector<Step> steps = {
        {"202, Tab",
         [&] {
             retype(QStringLiteral("202"));
             tab();
         },
         2, c.upper, 1},
        {"7, Tab",
         [&] {
             key(Qt::Key_7, QStringLiteral("7"));
             tab();
         },
         3, c.alarmSetNormal, 1},
        {"3 on a choice, Tab",
         [&] {
             key(Qt::Key_3, QStringLiteral("3"));
             tab();
         },
         4, c.snmpNormal, 0},
        {"Right on a choice", [&] { key(Qt::Key_Right); }, 4, c.snmpIgnore, 0},
        {"Left back", [&] { key(Qt::Key_Left); }, 4, c.snmpNormal, 0},
        {"Shift+Tab", backtab, 3, c.alarmSetNormal, 0},
        {"Shift+Tab, 9, Enter",
         [&] {
             backtab();
             retype(QStringLiteral("9"));
             key(Qt::Key_Return, QStringLiteral("\r"));
         },
         2, c.upper, 1},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(int(takeSent().size()), step.writes);
        EXPECT_EQ(table->currentRow(), 0);
        EXPECT_EQ(table->currentColumn(), step.column);
        EXPECT_TRUE(isIn(step.focus));
    }
    EXPECT_DOUBLE_EQ(e.lower, 202.0);
    EXPECT_DOUBLE_EQ(e.upper, 9.0);
    EXPECT_TRUE(c.snmpNormal->isChecked());
    EXPECT_EQ(e.snmp, 1);
}

// In the 130-pixel columns each choice shows its whole text.
TEST_F(AlarmTableTest, ChoiceButtonsShowTheirWholeText) {
    const int r = 5, s = 2;
    prepareSlot(r, s, 1);
    limitAlarm(r, s, 0, 1, 1.0, 2.0);
    cells->showSlot(*table, r, s);
    page->resize(600, 400);
    page->show();
    QCoreApplication::processEvents();
    const AlarmTable::Cells &c = cells->cells(r, s, 0);
    for (AlarmSnmpSetBtn *button :
         {c.alarmSetNormal, c.alarmSetIgnore, c.snmpNormal, c.snmpIgnore}) {
        SCOPED_TRACE(button->text().toStdString());
        EXPECT_GE(button->width(), button->sizeHint().width());
    }
}

TEST_F(AlarmTableTest, OneTableShowsSlotAfterSlotAndOnlyBorrowsTheCells) {
    prepareSlot(4, 0, 3);
    prepareSlot(4, 1, 1);
    prepareSlot(4, 2, 0);
    for (int a = 0; a < 3; ++a)
        limitAlarm(4, 0, a, 1, a, a + 1.0);
    limitAlarm(4, 1, 0, 1, 0.0, 1.0);

    cells->showSlot(*table, 4, 0);
    cells->showSlot(*table, 4, 1);
    EXPECT_EQ(table->rowCount(), 1);
    EXPECT_TRUE(table->isAncestorOf(cells->cells(4, 1, 0).lower));
    for (int a = 0; a < 3; ++a) {
        EXPECT_EQ(cells->cells(4, 0, a).lower->parentWidget(), nullptr);
        EXPECT_EQ(cells->cells(4, 0, a).name->parentWidget(), nullptr);
    }

    cells->showSlot(*table, 4, 2);
    EXPECT_EQ(table->rowCount(), 0);

    // The newest table of a slot shows its cells; the older one keeps none of them.
    QWidget otherPage;
    QTableWidget *other = AlarmTable::createPaneTable(&otherPage);
    cells->showSlot(*table, 4, 0);
    cells->showSlot(*other, 4, 0);
    EXPECT_TRUE(other->isAncestorOf(cells->cells(4, 0, 2).snmpCell));
    cells->showSlot(*table, 4, 1);
    EXPECT_TRUE(other->isAncestorOf(cells->cells(4, 0, 2).snmpCell));

    // A destroyed table gives its cells back alive.
    QPointer<QWidget> cell = cells->cells(4, 1, 0).alarmSetCell;
    page.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(cell.isNull());
    EXPECT_EQ(cell->parentWidget(), nullptr);
    cells->showSlot(*other, 4, 1);
    EXPECT_TRUE(other->isAncestorOf(cell));
    EXPECT_TRUE(takeSent().empty());
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
