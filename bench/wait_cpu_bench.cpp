// CPU while waiting: the channel waiting two seconds for a reply from a server that
// greeted and then went silent. The wait blocks on events, so the process should
// use next to no CPU time meanwhile; the figure is CPU time as a share of the
// wall time the wait took.

#include <QCoreApplication>
#include <cstdio>

#include "bench/support/bench_harness.h"
#include "bench/support/bench_profile.h"
#include "bench/support/bench_windows.h"
#include "session/server_channel.h"
#include "settings/app_settings.h"

using namespace corvane;
using namespace corvane::bench;

int main(int argc, char** argv) {
    KeepFreedMemory();
    QCoreApplication app(argc, argv);
    BoxAnswerer answerer;
    gateway::GatewayConfig config = BenchGatewayConfig();
    config.faults.silent_after_greeting = true;
    const std::unique_ptr<gateway::GatewayServer> server = StartQuietGateway(config);

    AppSettings settings;
    ServerChannel channel(settings);
    channel.SetTarget({SocketTarget::Kind::Address, "127.0.0.1", server->Port()});
    Require(channel.ConnectServer(), "no greeting from the simulator");
    channel.SendLine("CREDIT");

    // One second of timeout gives up once more than one whole second has passed: two.
    const double cpuBefore = ProcessCpuMs();
    Stopwatch watch;
    const int found = channel.WaitForText("\n", 1);
    const double wallMs = watch.ElapsedMs();
    const double cpuMs = ProcessCpuMs() - cpuBefore;

    Require(found == 0, "the silent simulator answered");
    Require(wallMs >= 1990 && wallMs < 3000, "the wait did not last two seconds");
    std::printf("wait_cpu_2s: %.2f%% of baseline wall time (cpu %s, wall %s)\n",
                100.0 * cpuMs / wallMs, FormatMs(cpuMs).c_str(), FormatMs(wallMs).c_str());
    channel.CloseSocket();
    Require(answerer.Take().empty(), "a box was shown");
    return 0;
}
