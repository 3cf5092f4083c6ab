#pragma once

#include "console/windows/controltableline.h"
#include "console/windows/registertarget.h"
#include "console/windows/registervalues.h"

#include <QDialog>
#include <QPalette>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class QDoubleSpinBox;
class QGridLayout;
class QKeyEvent;
class QLineEdit;
class QScrollArea;

// Lines of a control table; line n shows and sets register n, line 0 is the STATUS word.
inline constexpr int PANEL_LINES = 256;
static_assert(PANEL_LINES == 256, "a register number travels in one byte");

// The control panel of one block: a row of controls per line of the block's control table
// that shows the register values the server reports and sends the operator's changes. An
// empty panel is cheap: its scroll area and rows are made the first time it is built.
class BlockDlg : public QDialog {
    Q_OBJECT

public:
    // Set-register messages go to `sink` (the outbound ring unless a caller says otherwise).
    explicit BlockDlg(MessageSink sink = queueMessageToSrv, QWidget *parent = nullptr);

    // Builds every row from `lines`, `values` and `state`, replacing the rows of a previous
    // build.
    void CreateBlockControls();
    // Sets every control from `values` with its signals blocked and restores its normal
    // palette; sends nothing. A line whose kind changed since the build is left alone.
    void UpdateBlockControls();
    // Shows the lamps and status fields gray, as before any values arrived (the values shown
    // are no longer live); the next UpdateBlockControls colours them again.
    void showValuesNotLive();

    // The widgets of a line as built: line 0 holds the four status fields; a lamp, toggle,
    // list, number or read-only control item 0; ON/OFF item 0 "ON" and 1 "OFF"; a button
    // group item i = button i. Null when the line has no such item.
    QWidget *control(int line, int item) const;
    // The number field of a number or read-only number line, else null.
    QDoubleSpinBox *spin(int line) const;
    // The kind a line was built as (Empty for a line without a row).
    ControlKind rowKind(int line) const;
    QLineEdit *statusField(int field) const;

    std::array<int, PANEL_LINES> values{};  // raw register values; entry 0 = STATUS word
    std::array<double, PANEL_LINES> scale;  // per register, 1.0 unless a line gives one
    std::array<QString, PANEL_LINES> lines; // entry e = line e + 1; the last is never shown
    int rackIndex = 0;
    int slotIndex = 0;
    std::array<uint8_t, 4> ipOctets{};
    QWidget *content = nullptr; // holds the grid of rows; null until the first build
    QGridLayout *grid = nullptr;
    int built = -1;        // 1 once the rows were made for the current module
    int viewAttached = -1; // 1 once a monitoring pane showed the panel
    int state = -1;        // -1 while no register values were received, 1 after
    QScrollArea *scrollArea = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Row {
        ControlKind kind = ControlKind::Empty;
        std::vector<QWidget *> controls;
    };

    void makeFrame();
    void buildStatusRow();
    // Gray, or coloured by the STATUS word when `coloured` and the slot is not slot 0.
    void colourStatusFields(bool coloured);
    QWidget *buildRow(int n, const ControlTableLine &line);
    void updateRow(int n, const ControlTableLine &line);
    void setLampColour(QWidget *lamp, const ControlTableLine &line, int value, bool atBuild);

    MessageSink sink;
    std::vector<Row> rows; // per line, sized at the first build
    std::array<QLineEdit *, STATUS_FIELDS> statusFields{};
    std::array<QPalette, STATUS_FIELDS> statusPalettes;
    std::array<QLineEdit *, 4> borderStrips{}; // black frame, hidden
};
