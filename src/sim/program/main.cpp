// hesk-drive-sim: a simulated drive on a pseudo-terminal or on UDP. See --help and the
// README section "Simulated drive".

#include "ControlServer.h"
#include "PtyLine.h"
#include "UdpPort.h"

#include "sim/ControlCommand.h"
#include "sim/LinePacer.h"
#include "sim/SimOptions.h"
#include "sim/SimulatedDrive.h"

#include "model/ProjectFile.h"

#include <QStringList>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

using hesk::sim::SimTime;

int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

void installSignals()
{
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action{};
    action.sa_handler = onSignal;
    ::sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

class Clock {
public:
    SimTime now() const
    {
        return std::chrono::duration_cast<SimTime>(std::chrono::steady_clock::now() - m_start);
    }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// Serial: everything the drive sends waits in the pacer for its deadline.
class SerialOutput final : public hesk::sim::LineOutput {
public:
    SerialOutput(hesk::sim::LinePacer& pacer, const SimTime& now) : m_pacer(pacer), m_now(now) {}
    void write(std::span<const uint8_t> bytes) override { m_pacer.enqueue(bytes, m_now); }

private:
    hesk::sim::LinePacer& m_pacer;
    const SimTime& m_now;
};

class UdpOutput final : public hesk::sim::LineOutput {
public:
    explicit UdpOutput(hesk::sim::UdpPort& port) : m_port(port) {}
    void write(std::span<const uint8_t> bytes) override { m_port.send(bytes); }

private:
    hesk::sim::UdpPort& m_port;
};

void printLine(const QString& text, FILE* stream = stdout)
{
    std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stream);
}

int fail(const QString& text, int code = 1)
{
    printLine(QStringLiteral("hesk-drive-sim: %1").arg(text), stderr);
    return code;
}

}  // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const hesk::sim::ParsedOptions parsed = hesk::sim::parseSimOptions(arguments);
    if (!parsed.options)
        return fail(parsed.error + QStringLiteral(" (see --help)"), 2);
    const hesk::sim::SimOptions& options = *parsed.options;
    if (options.help) {
        std::fputs(hesk::sim::simUsage().toLocal8Bit().constData(), stdout);
        return 0;
    }

    hesk::model::HeskProject project;
    if (const auto message = hesk::model::loadProject(options.projectPath, project))
        return fail(message->text);

    installSignals();
    QString error;
    std::unique_ptr<hesk::sim::PtyLine> pty;
    std::unique_ptr<hesk::sim::UdpPort> udp;
    if (options.pty) {
        pty = hesk::sim::PtyLine::open(options.linkPath, &error);
        if (!pty)
            return fail(error);
    } else {
        udp = hesk::sim::UdpPort::open(options.udpAddress, options.udpPort, &error);
        if (!udp)
            return fail(error);
    }

    const Clock clock;
    SimTime now = clock.now();
    hesk::sim::LinePacer pacer(options.baud);
    // The other direction of the line: what the tool writes reaches the drive only once
    // its bytes would have crossed a real line (a pseudo-terminal delivers them at once).
    hesk::sim::LinePacer inputPacer(options.baud);
    SerialOutput serialOutput(pacer, now);
    std::unique_ptr<UdpOutput> udpOutput;
    if (udp)
        udpOutput = std::make_unique<UdpOutput>(*udp);
    hesk::sim::DriveBehaviour behaviour = options.behaviour;
    behaviour.silentUntil = now + hesk::sim::seconds(options.bootDelaySeconds);
    hesk::sim::SimulatedDrive drive(std::move(project), behaviour,
                                    pty ? hesk::sim::Framing::Serial : hesk::sim::Framing::Datagram,
                                    pty ? static_cast<hesk::sim::LineOutput&>(serialOutput) : *udpOutput, options.seed);
    for (const auto& [word, bit] : options.faults)
        drive.setFaultBit(word, bit, true, now);

    bool quit = false;
    hesk::sim::ControlServer control([&](const QString& line) {
        const hesk::sim::ControlReply reply = hesk::sim::executeControl(line, drive, clock.now(), pty.get());
        quit = quit || reply.quit;
        return reply.text;
    });
    if (!options.controlPath.isEmpty() && !control.listen(options.controlPath, &error))
        return fail(error);

    // Ready: the first line tells where the drive listens.
    if (pty)
        printLine(pty->devicePath());
    else
        printLine(QStringLiteral("udp %1:%2").arg(options.udpAddress).arg(options.udpPort));

    std::vector<uint8_t> buffer(65536);
    std::vector<pollfd> fds;
    bool lineBlocked = false;
    uint64_t lineGeneration = pty ? pty->generation() : 0;
    constexpr SimTime kTick = std::chrono::milliseconds(2);
    while (!quit) {
        // Unplugged, there is nothing to poll: a negative descriptor is skipped.
        hesk::sim::PtyPort* port = pty ? pty->port() : nullptr;
        const int transportFd = pty ? (port ? port->descriptor() : -1) : udp->descriptor();
        fds.clear();
        fds.push_back({transportFd, static_cast<short>(POLLIN | (lineBlocked ? POLLOUT : 0)), 0});
        fds.push_back({g_signalPipe[0], POLLIN, 0});
        control.collect(fds);

        now = clock.now();
        SimTime wait = kTick;
        if (const auto deadline = pacer.nextDeadline(); deadline && !lineBlocked)
            wait = std::clamp(*deadline - now, SimTime(0), kTick);
        if (const auto deadline = inputPacer.nextDeadline())
            wait = std::clamp(*deadline - now, SimTime(0), wait);
        const timespec timeout{0, static_cast<long>(wait.count()) * 1000};
        ::ppoll(fds.data(), fds.size(), &timeout, nullptr);

        now = clock.now();
        if (fds[1].revents & POLLIN)
            break;  // a signal asked us to end
        if (fds[0].revents & (POLLIN | POLLERR | POLLHUP)) {
            for (;;) {
                const long n = pty ? port->read(buffer) : udp->receive(buffer);
                if (n <= 0)
                    break;
                const std::span<const uint8_t> bytes(buffer.data(), static_cast<size_t>(n));
                if (pty)
                    inputPacer.enqueue(bytes, now);
                else
                    drive.receiveDatagram(bytes, now);
            }
        }
        if (pty) {
            now = clock.now();
            if (const size_t arrived = inputPacer.due(now); arrived > 0) {
                const std::vector<uint8_t> bytes = inputPacer.peek(arrived);
                inputPacer.consume(arrived);
                drive.receiveBytes(bytes, now);
            }
        }
        control.service(fds);
        // A control command may have pulled or plugged the adapter: what was queued for
        // the old pseudo-terminal is lost with it, and unplugged the paced bytes go nowhere.
        port = pty ? pty->port() : nullptr;
        if (pty && pty->generation() != lineGeneration) {
            lineGeneration = pty->generation();
            pacer.consume(pacer.backlog());
            inputPacer.consume(inputPacer.backlog());
            lineBlocked = false;
        }

        now = clock.now();
        drive.advance(now, pacer.backlog());
        if (pty && !port) {
            pacer.consume(pacer.due(now));  // sent into a line without a listener
            lineBlocked = false;
        } else if (pty) {
            const size_t due = pacer.due(now);
            if (due > 0) {
                const long written = port->write(pacer.peek(due));
                if (written < 0)
                    return fail(QStringLiteral("write to the pseudo-terminal failed"));
                pacer.consume(static_cast<size_t>(written));
                lineBlocked = static_cast<size_t>(written) < due;
            } else {
                lineBlocked = false;
            }
        }
    }
    return 0;
}
