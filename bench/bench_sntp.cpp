// One SNTP exchange with a responder on 127.0.0.1: socket, request, reply, checks and
// arithmetic (target: under 5 ms of wall time), and the reply decoder alone.
#include "net/decode/sntp_packet.h"
#include "net/sntp_exchange.h"
#include "sntp_responder.h"

#include <benchmark/benchmark.h>

#include <string>

namespace skelvane {
namespace {

void BM_SntpExchangeLoopback(benchmark::State& state) {
    fixture::SntpResponder responder;
    if (!responder.listening()) {
        state.SkipWithError(responder.error().c_str());
        return;
    }
    const std::string server = responder.server();
    for (auto _ : state) {
        const SntpExchangeResult result = RunSntpExchange(server);
        if (!result.ok()) {
            state.SkipWithError(result.reason.c_str());
            break;
        }
        benchmark::DoNotOptimize(result.offsetMs);
    }
}
BENCHMARK(BM_SntpExchangeLoopback)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DecodeSntpReply(benchmark::State& state) {
    const NtpTimestamp request = UnixMsToNtp(1715934615250.0);
    std::string reply(kSntpPacketSize, '\0');
    const auto requestBytes = BuildSntpRequest(request);
    reply[0] = 0x1C; // version 3, server
    reply[1] = 2;
    for (int i = 0; i < 8; ++i) {
        reply[24 + i] = static_cast<char>(requestBytes[40 + i]);
        reply[32 + i] = static_cast<char>(requestBytes[40 + i]);
        reply[40 + i] = static_cast<char>(requestBytes[40 + i]);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeSntpReply(reply, request));
}
BENCHMARK(BM_DecodeSntpReply);

} // namespace
} // namespace skelvane
