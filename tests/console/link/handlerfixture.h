#pragma once

#include "recordingviews.h"
#include "srvwords.h"

#include "console/link/consoletables.h"
#include "console/link/srvmsgprocessor.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// Fresh tables, recording views and a processor; the process-wide address tables, link flags
// and outbound ring start empty.
class HandlerTest : public ::testing::Test {
protected:
    HandlerTest();
    ~HandlerTest() override;

    void feed(const QByteArray &bytes) { processor.processChunk(bytes); }
    // Adds a shown rack at `ip` with the given modules and forgets the view calls.
    void addRack(const Ip &ip, const std::vector<uint32_t> &ids);
    // The messages waiting in the outbound ring, taken off it.
    std::vector<QByteArray> takeSent();

    std::unique_ptr<ConsoleTables> tables = ConsoleTables::create();
    ConsoleTables &t = *tables;
    RecordingViews views;
    QTemporaryDir iconRoot;
    SrvMsgProcessor processor{t, views, iconRoot.path()};
};
