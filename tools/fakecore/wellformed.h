#pragma once

#include "console/link/srvmessage.h"

// Whether one server message decodes with the console's decoder for its code (a block
// description is also split into its sections). False for codes the console does not decode.
bool decodesAsConsole(SrvWords message);
