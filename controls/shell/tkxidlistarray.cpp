#include "controls/shell/tkxidlistarray.h"

#include "platform/shellidlist.h"

int TKxIdListArray::ElementCount() const {
    return IdListElementCount(m_list);
}

QByteArray TKxIdListArray::ElementAt(int index) const {
    return IdListElementAt(m_list, index);
}

QByteArray TKxIdListArray::WithoutLast(int n) const {
    return IdListWithoutLast(m_list, n);
}
