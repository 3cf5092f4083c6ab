#pragma once

// Shows the hourglass while it lives and restores the previous cursor when it goes, also when
// the operation it covers fails with an exception.
class HourglassCursor {
public:
    HourglassCursor();
    ~HourglassCursor();
    HourglassCursor(const HourglassCursor &) = delete;
    HourglassCursor &operator=(const HourglassCursor &) = delete;
};
