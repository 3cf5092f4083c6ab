#include "setup/addresslist.h"

#include "setup/textrules.h"

#include <algorithm>
#include <optional>
#include <vector>

bool AddUniqueIp(QStringList &list, const QString &text) {
    if (list.contains(text, Qt::CaseInsensitive))
        return false;
    list.append(text);
    return true;
}

void SortIpList(QStringList &list) {
    struct Row {
        std::optional<quint32> value;
        QString text;
    };
    std::vector<Row> rows;
    rows.reserve(list.size());
    for (const QString &text : std::as_const(list))
        rows.push_back({IpTextValue(text), text});
    // An empty optional compares above every value, so rows that are no address go last.
    std::stable_sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) {
        return a.value.has_value() && (!b.value.has_value() || *a.value < *b.value);
    });
    for (qsizetype i = 0; i < list.size(); ++i)
        list[i] = std::move(rows[i].text);
}

QString JoinListItems(const QStringList &list) {
    return list.join(QStringLiteral(", "));
}

void FillIpList(QStringList &list, const QString &value) {
    for (const QString &item : SplitDelimitedList(TrimText(value), u',')) {
        QString address = item;
        if (NormalizeIpText(address))
            AddUniqueIp(list, address);
    }
    SortIpList(list);
}
