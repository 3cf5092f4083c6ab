#include "tools/fakecore/wellformed.h"

bool decodesAsConsole(SrvWords m) {
    if (m.size() < 2)
        return false;
    switch (m[1]) {
    case msgRackStructure:
        return decodeRackStructure(m).has_value();
    case msgRegisterValues:
        return decodeRegisterValues(m).has_value();
    case msgBlockDescription:
        if (const auto d = decodeBlockDescription(m)) {
            (void)splitBlockDescription(d->text);
            return true;
        }
        return false;
    case msgAlarmSettings:
        return decodeAlarmSettings(m).has_value();
    case msgAlarmRaised:
    case msgAlarmCleared:
        return decodeAlarmEvent(m).has_value();
    case msgAlarmInitFiles:
        return decodeAlarmInitFiles(m).has_value();
    case msgAlarmReset:
        return decodeAlarmReset(m).has_value();
    case msgRackSelection:
        return decodeRackSelection(m).has_value();
    case msgPulse:
        return decodePulseAnswer(m);
    case msgLogRecord:
        return decodeLogRecord(m).has_value();
    case msgRackNames:
        return decodeRackNames(m).has_value();
    default:
        return false;
    }
}
