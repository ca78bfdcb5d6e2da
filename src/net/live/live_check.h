#pragma once

#include "net/http_transport.h"
#include "net/live/live_source_table.h"

#include <string>
#include <vector>

namespace skelvane {

// One live source asked for one small thing.
struct LiveCheck {
    std::string key;   // the table row checked ("radar.layer.N0R")
    std::string value; // its value in force
    std::string url;   // what was asked; empty when nothing needed asking
    bool ok = false;
    long milliseconds = 0; // how long the answer took
    std::string detail;    // what it said: "34 times, newest ...", or why it failed
};

// Asks every source of the table for something small and reads the answer as the
// translator would: each radar layer's capabilities (for OKX and the contiguous states),
// one small map of the radar, relief and warnings services, the census and hydrography
// layer lists (the titles found), each satellite area's band folder index and the full-disk
// images. Every request carries the program's identity, `limits` and `proxy`. Takes a
// minute or so against the real services; `progress` is told each result as it comes.
std::vector<LiveCheck> RunLiveChecks(const LiveSourceTable& table, HttpTransport& transport,
                                     const HttpLimits& limits, const HttpProxy& proxy = {},
                                     const std::function<void(const LiveCheck&)>& progress = {});

} // namespace skelvane
