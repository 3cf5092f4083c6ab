#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// One line of a block's control table: which control shows and sets the line's register, and
// the caption, scale, range, items, toggle text or lamp colours written in the line.
//
//   #Caption,G,R        lamp, colour letter per state 1..6
//   $Caption            ON/OFF pair
//   |Caption,Text       toggle button with its text
//   %Caption,A,B        drop-down list           ~%Caption,A,B   read-only list
//   Caption[0.1](0,100,0)  number field          ~Caption[0.1]   read-only number
//   Caption,A,B         button group
enum class ControlKind {
    Empty,
    Lamp,
    OnOff,
    Toggle,
    List,
    ReadOnlyList,
    ReadOnlyNumber,
    ButtonGroup,
    Number,
};

// Items a list or button group holds, and colours a lamp knows.
inline constexpr int MAX_CONTROL_ITEMS = 256;
inline constexpr int MAX_LAMP_COLOURS = 6;
// Range of a number field without one of its own.
inline constexpr double DEFAULT_NUMBER_MINIMUM = -10000.0;
inline constexpr double DEFAULT_NUMBER_MAXIMUM = 10000.0;
static_assert(MAX_CONTROL_ITEMS <= 256, "an item index travels in one byte");

struct ControlTableLine {
    ControlKind kind = ControlKind::Empty;
    QString caption;
    QString scaleText;  // the text between "[" and "]"; empty without one
    double scale = 1.0; // never 0 or not a number
    int decimals = 0;   // decimals the number field shows
    double minimum = DEFAULT_NUMBER_MINIMUM;
    double maximum = DEFAULT_NUMBER_MAXIMUM;
    QStringList items;   // list, read-only list, button group
    QString toggleText;  // toggle
    QString lampLetters; // lamp: the colour letter of state 1, 2, ...

    static ControlTableLine parse(QStringView entry);

    // The colour a lamp shows for a register value: gray outside 1..6, otherwise the colour
    // of the value's letter, or nothing when that letter is missing or unknown.
    std::optional<Qt::GlobalColor> lampColour(int value) const;
};

// Colour of a lamp letter: R red, G green, Y yellow, B blue, H black, W white, F magenta.
std::optional<Qt::GlobalColor> lampLetterColour(QChar letter);
