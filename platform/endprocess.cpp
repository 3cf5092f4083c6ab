#include "platform/endprocess.h"

#include <QDebug>

#include <cstdio>
#include <cstdlib>
#include <iostream>

void endProcess(int status) {
    qDebug().nospace() << "endProcess(" << status << ")";
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(status);
}
