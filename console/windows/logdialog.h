#pragma once

#include "console/windows/logfilter.h"

#include <QDateTime>
#include <QDialog>
#include <QPoint>
#include <QSet>
#include <QString>

class QDateTimeEdit;
class QListWidget;
class QMessageBox;
class QPushButton;
class QTableWidget;

inline constexpr int LOG_TABLE_ROWS = MAX_LOG_RECORDS;
inline constexpr int LOG_TABLE_COLUMNS = 7;
static_assert(LOG_TABLE_ROWS == 10000);

// The non-modal "Log" dialog: the event-log table of 10,000 reused rows (a row's cells are made
// when it is first filled), the filter panel
// (addresses, slots, event types, a date-time range and the criteria that apply), FILTER ON /
// FILTER OFF, and the two date-range boxes. It reads the log records of the tables it is given
// and keeps the filter choices in the six log settings strings.
//
// Children, by object name: "logTable", "logIpList", "logSlotList", "logTypeList",
// "logCriteriaList", "logFromEdit", "logToEdit", "filterOnBtn", "filterOffBtn", "closeBtn",
// and the boxes "dateRangeErrorBox" and "dateRangeConfirmBox" with "logDtYesBtn" and
// "logDtCanselBtn".
class LogDialog : public QDialog {
    Q_OBJECT

public:
    // The editors start at logFrom and logTo.
    explicit LogDialog(ConsoleTables &tables, QWidget *parent = nullptr);
    ~LogDialog() override;

    // Shows the record just stored at logRecIndex in the next table row.
    void addLogRow();
    // Empties the table and starts rows and records again from 0.
    void clearLogTable();
    // A new list of the server's racks: rebuilds the address list; the first one after start
    // restores the stored filter when it fits that list, a later one keeps the filter the
    // dialog shows.
    void LogDlgInit();
    // The LOG button: reopens the dialog where it was last closed.
    void on_LogBtn_clicked();

    int logRowIndex() const { return m_logRowIndex; }
    bool filterOn() const { return m_logFilterOn == 1; }

public slots:
    void LogDlgClose();
    void slot_logiplist_clicked();
    void slot_logslotlist_clicked();
    void slot_logtypelist_clicked();
    void slot_loguflist_clicked();
    void slot_logdt_clicked();
    void slot_logdtyes_clicked();
    void slot_logdtcansel_clicked();
    void slot_FilterOn();
    void slot_FilterOff();

private:
    void buildTable();
    void buildFilterPanel(QWidget *panel);
    void buildRangeBoxes();
    // The filter as the panel shows it now.
    const LogFilter &currentFilter();
    // Empties every filled cell; rows and records restart at 0 and every row shows.
    void restartTable();
    void emptyCells();
    void showAllRows();
    // Beside the date editors, clear of them, inside the screen.
    void placeRangeBox(QMessageBox *box);
    // The defined size where the screen's area for windows holds it, else smaller (the dialog
    // scrolls); a dialog reaching past the area is moved inside it.
    void fitToScreen();
    // A filter choice changed: a filter that is on applies it at once.
    void refilterIfOn();
    // logIPs from the address list as it stands.
    void storeAddressChecks();
    bool dateCriterionChecked() const;
    void setEditors(const QDateTime &from, const QDateTime &to);

    ConsoleTables &m_tables;

    QTableWidget *m_table = nullptr;
    QListWidget *m_ipList = nullptr;
    QListWidget *m_slotList = nullptr;
    QListWidget *m_typeList = nullptr;
    QListWidget *m_criteriaList = nullptr;
    QDateTimeEdit *m_fromEdit = nullptr;
    QDateTimeEdit *m_toEdit = nullptr;
    QPushButton *m_filterOnBtn = nullptr;
    QPushButton *m_filterOffBtn = nullptr;
    QMessageBox *m_dateRangeErrorBox = nullptr;
    QMessageBox *m_dateRangeConfirmBox = nullptr;

    int m_logRowIndex = 0;   // next table row
    int m_filledRows = 0;    // rows written since the table was last emptied
    int m_madeRows = 0;      // rows whose cells exist: every row below it
    int m_logFilterOn = 0;   // 1 while the filter is on
    int m_firstRestore = 1;  // -1 once the first rack list has been seen
    int m_positionFlag = -1; // -1 until the dialog was first opened
    QPoint m_savedPosition;
    QSet<QString> m_addressTexts; // texts of the address list's items

    // The range last confirmed or restored, and the editor values to go back to.
    QDateTime m_logEditFrom;
    QDateTime m_logEditTo;
    QDateTime m_logEditFromSaved;
    QDateTime m_logEditToSaved;

    LogFilter m_filter;
    bool m_filterStale = true; // a list changed since m_filter was read
};
