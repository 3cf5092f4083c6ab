#include "console/windows/logdialog.h"

#include "console/link/consoletables.h"
#include "console/link/globals.h"
#include "console/link/rings.h"
#include "console/link/srvmessage.h"
#include "console/windows/windowplacement.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>
#include <array>

namespace {

constexpr int LOG_ROW_HEIGHT = 23;
constexpr std::array<int, LOG_TABLE_COLUMNS> COLUMN_WIDTHS = {155, 155, 155, 102, 155, 42, 155};
constexpr QSize DIALOG_SIZE(1244, 870);
constexpr int RANGE_BOX_BUTTON_GAP = 10; // below the buttons of a range box
constexpr const char *FILTER_BUTTON_STYLE = "QPushButton:checked {background-color:yellow}";

QLabel *boxLabel(const QString &text, QWidget *parent, const QRect &geometry) {
    auto *label = new QLabel(text, parent);
    label->setFrameShape(QFrame::Box);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(geometry);
    return label;
}

QListWidget *checkList(const QString &name, QWidget *parent, const QRect &geometry) {
    auto *list = new QListWidget(parent);
    list->setObjectName(name);
    list->setGeometry(geometry);
    return list;
}

void addCheckItem(QListWidget *list, const QString &text) {
    auto *item = new QListWidgetItem(text, list);
    item->setCheckState(Qt::Unchecked);
}

bool isChecked(const QListWidget *list, int row) {
    return list->item(row)->checkState() == Qt::Checked;
}

template <size_t N> std::array<bool, N> checks(const QListWidget *list) {
    std::array<bool, N> result{};
    for (int i = 0; i < static_cast<int>(N) && i < list->count(); ++i)
        result[i] = isChecked(list, i);
    return result;
}

// Checks the list's items from a stored text; an empty text leaves the list as it is.
void restoreChecks(QListWidget *list, const QString &text) {
    if (text.isEmpty())
        return;
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(checkAt(text, i) ? Qt::Checked : Qt::Unchecked);
}

template <size_t N> QString listChecksText(const QListWidget *list) {
    const std::array<bool, N> values = checks<N>(list);
    return checksText(values);
}

QPushButton *filterButton(const QString &text, const QString &name, QWidget *parent,
                          const QRect &geometry) {
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setCheckable(true);
    button->setAutoExclusive(true);
    button->setStyleSheet(QString::fromLatin1(FILTER_BUTTON_STYLE));
    return button;
}

QMessageBox *rangeBox(const QString &name, const QString &text, QWidget *parent) {
    auto *box = new QMessageBox(parent);
    box->setObjectName(name);
    box->setModal(false);
    // A notice beside the date editors: the operator keeps typing and stepping there while it
    // shows, so it never takes the keyboard focus.
    box->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint |
                        Qt::WindowDoesNotAcceptFocus);
    box->setAttribute(Qt::WA_ShowWithoutActivating);
    box->setStandardButtons(QMessageBox::NoButton);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, Qt::yellow);
    box->setPalette(palette);
    box->setAutoFillBackground(true);
    box->setWindowTitle(QStringLiteral("Attention!"));
    QFont font = box->font();
    font.setPixelSize(20);
    box->setFont(font);
    box->setText(text);
    return box;
}

QPushButton *rangeBoxButton(const QString &text, const QString &name, QMessageBox *box,
                            const QRect &geometry) {
    auto *button = new QPushButton(text, box);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::NoFocus);
    QFont font = button->font();
    font.setPixelSize(15);
    button->setFont(font);
    button->setGeometry(geometry);
    // The box sizes itself to its text; its bottom margin leaves room for the buttons below.
    QLayout *layout = box->layout();
    QMargins margins = layout->contentsMargins();
    margins.setBottom(std::max(margins.bottom(), geometry.height() + RANGE_BOX_BUTTON_GAP));
    layout->setContentsMargins(margins);
    return button;
}

// Hides and shows many rows at once. While the row header does not update, hiding a row does
// not recompute every row's position, which made a full table quadratic.
class RowVisibilityBatch {
public:
    explicit RowVisibilityBatch(QTableWidget *table)
        : m_header(table->verticalHeader()) {
        m_header->setUpdatesEnabled(false);
    }
    ~RowVisibilityBatch() { m_header->setUpdatesEnabled(true); }
    RowVisibilityBatch(const RowVisibilityBatch &) = delete;
    RowVisibilityBatch &operator=(const RowVisibilityBatch &) = delete;

private:
    QHeaderView *m_header;
};

} // namespace

LogDialog::LogDialog(ConsoleTables &tables, QWidget *parent)
    : QDialog(parent)
    , m_tables(tables) {
    setWindowTitle(QStringLiteral("Log"));
    // The dialog's defined layout, in a scroll area: on a screen too small for it the dialog
    // is only as large as the screen allows and scrolls the rest (fitToScreen).
    auto *content = new QWidget;
    content->setFixedSize(DIALOG_SIZE);
    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    resize(DIALOG_SIZE);
    auto *layout = new QHBoxLayout(content);
    buildTable();
    layout->addWidget(m_table);
    auto *panel = new QFrame(content);
    panel->setFrameShape(QFrame::Box);
    panel->setFixedSize(225, 850);
    buildFilterPanel(panel);
    layout->addWidget(panel);
    buildRangeBoxes();
    connect(this, &QDialog::finished, this, &LogDialog::LogDlgClose);

    setEditors(logFrom, logTo);
    m_logEditFrom = m_logEditFromSaved = m_fromEdit->dateTime();
    m_logEditTo = m_logEditToSaved = m_toEdit->dateTime();
}

LogDialog::~LogDialog() {
    // The lists empty their models while the base class deletes them; nothing here may hear it.
    for (QListWidget *list : {m_ipList, m_slotList, m_typeList, m_criteriaList})
        disconnect(list->model(), nullptr, this, nullptr);
}

void LogDialog::buildTable() {
    m_table = new QTableWidget(LOG_TABLE_ROWS, LOG_TABLE_COLUMNS, this);
    m_table->setObjectName(QStringLiteral("logTable"));
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Date Time"), QStringLiteral("Event Type"),
         QStringLiteral("Alarm Description"), QStringLiteral("IP adress"),
         QStringLiteral("Frame Description"), QStringLiteral("Slot"), QStringLiteral("Module")});
    for (int c = 0; c < LOG_TABLE_COLUMNS; ++c)
        m_table->setColumnWidth(c, COLUMN_WIDTHS[c]);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setMinimumSectionSize(1);
    m_table->verticalHeader()->setDefaultSectionSize(LOG_ROW_HEIGHT);
    m_table->setFixedSize(979, 850);
    m_table->setFrameShape(QFrame::Box);
    QPalette palette = m_table->palette();
    palette.setColor(QPalette::Highlight, Qt::yellow);
    palette.setColor(QPalette::HighlightedText, Qt::black);
    m_table->setPalette(palette);
}

void LogDialog::buildFilterPanel(QWidget *panel) {
    boxLabel(QStringLiteral("IP adress"), panel, {10, 10, 130, 20});
    m_ipList = checkList(QStringLiteral("logIpList"), panel, {10, 35, 130, 325});
    boxLabel(QStringLiteral("Slot"), panel, {150, 10, 65, 20});
    m_slotList = checkList(QStringLiteral("logSlotList"), panel, {150, 35, 65, 325});
    for (int s = 0; s < LOG_SLOTS; ++s)
        addCheckItem(m_slotList, QString::number(s));
    boxLabel(QStringLiteral("Event Type"), panel, {10, 375, 205, 20});
    m_typeList = checkList(QStringLiteral("logTypeList"), panel, {10, 400, 205, 106});
    for (const QString &name : eventTypeNames)
        addCheckItem(m_typeList, name);
    boxLabel(QStringLiteral("Date Time"), panel, {10, 520, 205, 20});
    m_fromEdit = new QDateTimeEdit(panel);
    m_fromEdit->setObjectName(QStringLiteral("logFromEdit"));
    m_fromEdit->setGeometry(10, 545, 205, 30);
    m_toEdit = new QDateTimeEdit(panel);
    m_toEdit->setObjectName(QStringLiteral("logToEdit"));
    m_toEdit->setGeometry(10, 578, 205, 30);
    for (QDateTimeEdit *edit : {m_fromEdit, m_toEdit}) {
        edit->setDisplayFormat(QString::fromLatin1(LOG_TIME_FORMAT));
        connect(edit, &QDateTimeEdit::dateTimeChanged, this, &LogDialog::slot_logdt_clicked);
    }
    boxLabel(QStringLiteral("Select Filters"), panel, {10, 622, 205, 20});
    m_criteriaList = checkList(QStringLiteral("logCriteriaList"), panel, {10, 647, 205, 96});
    for (const QString &name : logFilterNames)
        addCheckItem(m_criteriaList, name);

    m_filterOnBtn = filterButton(QStringLiteral("FILTER ON"), QStringLiteral("filterOnBtn"), panel,
                                 {18, 755, 92, 30});
    m_filterOffBtn = filterButton(QStringLiteral("FILTER OFF"), QStringLiteral("filterOffBtn"),
                                  panel, {115, 755, 92, 30});
    m_filterOffBtn->setChecked(true);
    auto *closeBtn = new QPushButton(QStringLiteral("CLOSE"), panel);
    closeBtn->setObjectName(QStringLiteral("closeBtn"));
    closeBtn->setGeometry(125, 810, 92, 30);

    connect(m_ipList, &QListWidget::itemClicked, this, &LogDialog::slot_logiplist_clicked);
    connect(m_slotList, &QListWidget::itemClicked, this, &LogDialog::slot_logslotlist_clicked);
    connect(m_typeList, &QListWidget::itemClicked, this, &LogDialog::slot_logtypelist_clicked);
    connect(m_criteriaList, &QListWidget::itemClicked, this, &LogDialog::slot_loguflist_clicked);
    connect(m_filterOnBtn, &QPushButton::clicked, this, &LogDialog::slot_FilterOn);
    connect(m_filterOffBtn, &QPushButton::clicked, this, &LogDialog::slot_FilterOff);
    connect(closeBtn, &QPushButton::clicked, this, &QDialog::close);

    // Any change of a list's items or checks makes the filter be read again.
    for (QListWidget *list : {m_ipList, m_slotList, m_typeList, m_criteriaList}) {
        QAbstractItemModel *model = list->model();
        const auto stale = [this] { m_filterStale = true; };
        connect(model, &QAbstractItemModel::dataChanged, this, stale);
        connect(model, &QAbstractItemModel::rowsInserted, this, stale);
        connect(model, &QAbstractItemModel::rowsRemoved, this, stale);
        connect(model, &QAbstractItemModel::modelReset, this, stale);
    }
}

void LogDialog::buildRangeBoxes() {
    m_dateRangeErrorBox = rangeBox(QStringLiteral("dateRangeErrorBox"),
                                   QStringLiteral("ATTENTION:   ERROR DATE-TIME RANGE!"), this);
    m_dateRangeConfirmBox = rangeBox(QStringLiteral("dateRangeConfirmBox"),
                                     QStringLiteral("REALLY CHANGE DATE-TIME RANGE?"), this);
    auto *yes = rangeBoxButton(QStringLiteral("Yes"), QStringLiteral("logDtYesBtn"),
                               m_dateRangeConfirmBox, {240, 40, 60, 20});
    auto *cansel = rangeBoxButton(QStringLiteral("Cansel"), QStringLiteral("logDtCanselBtn"),
                                  m_dateRangeConfirmBox, {310, 40, 60, 20});
    connect(yes, &QPushButton::clicked, this, &LogDialog::slot_logdtyes_clicked);
    connect(cansel, &QPushButton::clicked, this, &LogDialog::slot_logdtcansel_clicked);
}

const LogFilter &LogDialog::currentFilter() {
    if (m_filterStale) {
        m_filter.criteria = checks<LOG_CRITERIA>(m_criteriaList);
        m_filter.slotNumbers = checks<LOG_SLOTS>(m_slotList);
        m_filter.eventTypes = checks<LOG_EVENT_TYPES>(m_typeList);
        m_filter.addresses.clear();
        for (int i = 0; i < m_ipList->count(); ++i)
            if (isChecked(m_ipList, i))
                m_filter.addresses.insert(m_ipList->item(i)->text());
        m_filterStale = false;
    }
    m_filter.from = m_fromEdit->dateTime();
    m_filter.to = m_toEdit->dateTime();
    return m_filter;
}

bool LogDialog::dateCriterionChecked() const {
    return isChecked(m_criteriaList, LogByDateTime);
}

void LogDialog::setEditors(const QDateTime &from, const QDateTime &to) {
    const QSignalBlocker blockFrom(m_fromEdit);
    const QSignalBlocker blockTo(m_toEdit);
    m_fromEdit->setDateTime(from);
    m_toEdit->setDateTime(to);
}

void LogDialog::emptyCells() {
    for (int r = 0; r < m_filledRows; ++r)
        for (int c = 0; c < LOG_TABLE_COLUMNS; ++c)
            m_table->item(r, c)->setText(QString());
    m_filledRows = 0;
}

void LogDialog::showAllRows() {
    const RowVisibilityBatch batch(m_table);
    for (int r = 0; r < LOG_TABLE_ROWS; ++r)
        m_table->setRowHidden(r, false);
}

void LogDialog::restartTable() {
    m_tables.logRecIndex = 0;
    m_logRowIndex = 0;
    emptyCells();
    showAllRows();
}

void LogDialog::addLogRow() {
    const int index = m_tables.logRecIndex;
    if (index < 0 || index >= MAX_LOG_RECORDS)
        return;
    const LogRecord &record = m_tables.logRecords[index];
    // Only valid addresses are listed, and not without end: a server sending ever new
    // addresses would otherwise grow the list for good.
    const std::optional<QString> address = logListAddress(record.ip);
    if (address && m_ipList->count() < LOG_LIST_ADDRESSES && !m_addressTexts.contains(*address)) {
        m_ipList->addItem(*address);
        m_addressTexts.insert(*address);
    }
    bool passed = true;
    if (m_logFilterOn == 1)
        passed = logRowPassesFilter(currentFilter(), m_tables.logRecords, index, index + 1);
    if (m_logRowIndex >= LOG_TABLE_ROWS) {
        m_logRowIndex = 0;
        emptyCells();
        showAllRows();
    }

    const int row = m_logRowIndex;
    // A row's cells are made when it is first filled, then refilled; a row never filled shows
    // as empty cells do.
    if (row >= m_madeRows) {
        for (int c = 0; c < LOG_TABLE_COLUMNS; ++c)
            m_table->setItem(row, c, new QTableWidgetItem);
        m_madeRows = row + 1;
    }
    const QString texts[LOG_TABLE_COLUMNS] = {
        record.dateTime.date().toString(QStringLiteral("dd/MM/yyyy")) + QLatin1Char(' ') +
            record.dateTime.time().toString(QStringLiteral("hh:mm:ss")),
        eventTypeName(record.eventType),
        record.alarmText,
        record.ipText,
        record.frameText,
        record.moduleName.isEmpty() ? QString() : QString::number(record.slot),
        record.moduleName};
    for (int c = 0; c < LOG_TABLE_COLUMNS; ++c)
        m_table->item(row, c)->setText(texts[c]);
    // A reused row may have been hidden for an earlier record.
    m_table->setRowHidden(row, m_logFilterOn == 1 && !passed);
    ++m_logRowIndex;
    m_filledRows = std::max(m_filledRows, m_logRowIndex);
}

void LogDialog::clearLogTable() {
    emptyCells();
    m_logRowIndex = 0;
    m_tables.logRecIndex = 0;
}

void LogDialog::LogDlgInit() {
    QSet<QString> checkedBefore;
    for (int i = 0; i < m_ipList->count(); ++i)
        if (isChecked(m_ipList, i))
            checkedBefore.insert(m_ipList->item(i)->text());
    m_ipList->clear();
    m_addressTexts.clear();
    QStringList texts;
    for (int i = 0; i < ip_all.count; ++i) {
        const QString &text = ip_all.entries[i].text;
        addCheckItem(m_ipList, text);
        m_addressTexts.insert(text);
        texts.append(text);
    }

    if (m_firstRestore != 1) {
        // A later rack list (a reconnect): the filter stays as the operator chose it; the
        // addresses checked before stay checked, and the stored list follows the new one.
        for (int i = 0; i < m_ipList->count(); ++i)
            if (checkedBefore.contains(m_ipList->item(i)->text()))
                m_ipList->item(i)->setCheckState(Qt::Checked);
        if (!logIPs.isEmpty())
            storeAddressChecks();
        refilterIfOn();
        return;
    }

    const std::vector<LogAddressEntry> stored = parseLogAddresses(logIPs);
    const bool fits = logFilterFits(stored, texts);
    m_firstRestore = -1;
    if (!fits) {
        for (QString *setting :
             {&logFilterOnOff, &logSelectFilter, &logDateTime, &logEventType, &logIPs, &logSlots})
            setting->clear();
        return;
    }

    for (int i = 0; i < static_cast<int>(stored.size()); ++i)
        m_ipList->item(i)->setCheckState(stored[i].checked ? Qt::Checked : Qt::Unchecked);
    restoreChecks(m_typeList, logEventType);
    restoreChecks(m_criteriaList, logSelectFilter);
    restoreChecks(m_slotList, logSlots);

    const bool on = logFilterOnOff == QLatin1String("1");
    const bool byDate = on && dateCriterionChecked();
    const auto storedRange = parseLogDateTime(logDateTime);
    if (byDate && storedRange)
        setEditors(storedRange->first, storedRange->second);
    else
        setEditors(logFrom, logTo);
    logDateTime = formatLogDateTime(m_fromEdit->dateTime(), m_toEdit->dateTime());

    if (on)
        m_filterOnBtn->click();
    setWindowTitle(logTitle(m_fromEdit->dateTime(), m_toEdit->dateTime(), byDate));
    m_logEditFrom = m_logEditFromSaved = m_fromEdit->dateTime();
    m_logEditTo = m_logEditToSaved = m_toEdit->dateTime();
}

void LogDialog::on_LogBtn_clicked() {
    close();
    if (m_positionFlag == -1)
        m_positionFlag = 1;
    else
        move(m_savedPosition);
    fitToScreen();
    show();
}

void LogDialog::fitToScreen() {
    const QRect available = screen()->availableGeometry();
    // The window frame is known once the dialog was shown; before, the main window's stands
    // for it.
    QSize frameExtra = frameGeometry().size() - size();
    if (frameExtra.isEmpty()) {
        if (const QWidget *window = QApplication::activeWindow())
            frameExtra = window->frameGeometry().size() - window->size();
    }
    const QSize fitted = fittedDialogSize(DIALOG_SIZE, frameExtra, available,
                                          style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    setMaximumSize(fitted);
    resize(fitted);
    const QRect frame(frameGeometry().topLeft(), size() + frameExtra);
    if (!available.contains(frame))
        move(moveInside(frame, available).topLeft());
}

void LogDialog::LogDlgClose() {
    m_savedPosition = pos();
    m_dateRangeErrorBox->hide();
    m_dateRangeConfirmBox->hide();
}

void LogDialog::refilterIfOn() {
    if (m_logFilterOn == 1)
        slot_FilterOn();
}

void LogDialog::storeAddressChecks() {
    std::vector<LogAddressEntry> entries;
    entries.reserve(m_ipList->count());
    for (int i = 0; i < m_ipList->count(); ++i)
        entries.push_back({m_ipList->item(i)->text(), isChecked(m_ipList, i)});
    logIPs = formatLogAddresses(entries);
}

void LogDialog::slot_logiplist_clicked() {
    storeAddressChecks();
    refilterIfOn();
}

void LogDialog::slot_logslotlist_clicked() {
    logSlots = listChecksText<LOG_SLOTS>(m_slotList);
    refilterIfOn();
}

void LogDialog::slot_logtypelist_clicked() {
    logEventType = listChecksText<LOG_EVENT_TYPES>(m_typeList);
    refilterIfOn();
}

void LogDialog::slot_loguflist_clicked() {
    logSelectFilter = listChecksText<LOG_CRITERIA>(m_criteriaList);
    refilterIfOn();
}

void LogDialog::placeRangeBox(QMessageBox *box) {
    // Beside the two editors, never over the one whose date it asks about; placed again once
    // shown, when the box has taken its size.
    const QRect editors(m_fromEdit->mapToGlobal(QPoint(0, 0)),
                        m_toEdit->mapToGlobal(QPoint(m_toEdit->width(), m_toEdit->height())) -
                            QPoint(1, 1));
    const QRect available = screen()->availableGeometry();
    box->adjustSize();
    box->move(besideRect(box->size(), editors, available));
    box->show();
    box->move(besideRect(box->size(), editors, available));
}

void LogDialog::slot_logdt_clicked() {
    const QDateTime from = m_fromEdit->dateTime();
    const QDateTime to = m_toEdit->dateTime();
    if (to < from) {
        m_dateRangeConfirmBox->hide();
        placeRangeBox(m_dateRangeErrorBox);
    } else {
        m_dateRangeErrorBox->hide();
        if (from < m_logEditFrom || m_logEditTo < to) {
            placeRangeBox(m_dateRangeConfirmBox);
        } else {
            m_dateRangeConfirmBox->hide();
            m_logEditFromSaved = from;
            m_logEditToSaved = to;
        }
    }
    logDateTime = formatLogDateTime(from, to);
    refilterIfOn();
}

void LogDialog::slot_logdtyes_clicked() {
    // An end the operator left as it was keeps following the time of each request.
    if (m_toEdit->dateTime() != m_logEditTo)
        logToSet = true;
    // The confirmed range is also the one the next connect asks for.
    logFrom = m_fromEdit->dateTime();
    logTo = m_toEdit->dateTime();
    setEditors(logFrom, logRequestEnd(QDateTime::currentDateTime()));
    logDateTime = formatLogDateTime(m_fromEdit->dateTime(), m_toEdit->dateTime());
    m_logEditFrom = m_logEditFromSaved = m_fromEdit->dateTime();
    m_logEditTo = m_logEditToSaved = m_toEdit->dateTime();
    restartTable();
    const QByteArray request = buildLogRequest(m_logEditFromSaved, m_logEditToSaved);
    queueToSrv(request.constData(), static_cast<int>(request.size()));
    m_dateRangeConfirmBox->hide();
    // With the date criterion the title shows the range, whose end may have moved.
    const bool byDate = m_logFilterOn == 1 && dateCriterionChecked();
    setWindowTitle(logTitle(m_fromEdit->dateTime(), m_toEdit->dateTime(), byDate));
}

void LogDialog::slot_logdtcansel_clicked() {
    m_fromEdit->setDateTime(m_logEditFromSaved);
    m_toEdit->setDateTime(m_logEditToSaved);
    m_dateRangeConfirmBox->hide();
}

void LogDialog::slot_FilterOn() {
    const LogFilter &filter = currentFilter();
    if (!filter.anyActive()) {
        m_filterOffBtn->click();
        return;
    }
    logRowPassesFilter(filter, m_tables.logRecords, 0, m_logRowIndex);
    const RowVisibilityBatch batch(m_table);
    for (int row = m_logRowIndex - 1; row >= 0; --row)
        m_table->setRowHidden(row, m_tables.logRecords[row].shown == 0);
    m_logFilterOn = 1;
    logFilterOnOff = QStringLiteral("1");
    setWindowTitle(logTitle(filter.from, filter.to, dateCriterionChecked()));
}

void LogDialog::slot_FilterOff() {
    showAllRows();
    for (LogRecord &record : m_tables.logRecords)
        record.shown = -1;
    m_logFilterOn = 0;
    logFilterOnOff = QStringLiteral("0");
    setWindowTitle(logTitle(m_fromEdit->dateTime(), {}, false));
}
