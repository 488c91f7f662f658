// Feeds arbitrary bytes to the environment's serial port while a circuit of
// one 8251 runs: bytes and floods arriving on the port, the console's
// switches, bus and clock pulses, continuous runs of whole ticks, stops and
// keys typed into the terminal, each an operation byte with its operands.
//
// The port's receive buffer never holds more than its size, and the 8251
// model takes exactly the bytes it kept, in the order they came: none lost
// beyond the overrun, none twice. The byte waiting for the receiver is the
// one taken last, the transmit buffer stays bounded, and a port that was
// never opened makes no message.
#include <QCoreApplication>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "circuit/console_actions.h"
#include "circuit/environment.h"
#include "circuit/environment_port.h"
#include "circuit/loaded_circuit.h"
#include "circuit/run_session.h"
#include "link/fuzz/fuzz_device.h"
#include "schematic/sch_reader.h"
#include "sim/simulator.h"
#include "support/fuzz_input.h"
#include "support/scripted_prompter.h"
#include "circuit/usart_circuit.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "environment port: %s\n", what);
    std::abort();
}

// The 8251 model's view of the port, with a record of every byte it took.
class Taking : public sim::SerialLink {
public:
    explicit Taking(sim::SerialLink& port) : port_(port) {}
    int32_t bytesWaiting(int32_t& error) override { return port_.bytesWaiting(error); }
    int32_t readByte(int32_t& error) override {
        const int32_t byte = port_.readByte(error);
        if (error == 0) taken.push_back(static_cast<char>(byte));
        return byte;
    }
    std::string taken;

private:
    sim::SerialLink& port_;
};

// The circuit's sheet as the reader gives it from the written file, read once.
const schematic::SchSheet& usartSheetAsRead() {
    static const schematic::SchSheet sheet = [] {
        schematic::SchSheet read;
        schematic::SilentSchNotifier quiet;
        if (schematic::ReadSchBytes(read, schgen::writeSchBytes(circuittest::usartSheet()), quiet) != 1) fail("no circuit");
        return read;
    }();
    return sheet;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    usartSheetAsRead();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testsupport::ScriptedPrompter prompter;
    linkfuzz::QuietLinkNotifier link;
    auto env = std::make_unique<circuit::Environment>();
    auto session = std::make_unique<circuit::RunSession>(*env);
    circuit::EnvironmentPort& port = session->port();
    Taking taking(port);
    env->simulator.setSerialLink(&taking);

    env->schematic.currentSheet = usartSheetAsRead();
    const std::optional<circuit::LoadedCircuit> loaded = circuit::buildCurrentSheet(*env);
    if (!loaded || loaded->Setup.InSignalCount() != 4 || loaded->Setup.InBusCount() != 1) fail("no circuit");
    const circuit::LoadedCircuit& c = *loaded;
    env->schematic.currentSheet.clear();
    circuit::powerOn(*env, c);
    circuit::ConsoleActions actions(*env, c);
    sim::Simulator& s = env->simulator;
    const int32_t usart = c.StartIcNumber;
    // Batches of 32 inversions instead of 1280: the 8251 polls the port alike
    // in each clock period, and the fuzzer gets through far more runs.
    session->run().batch = [&s](int32_t clockNet) { s.ToggleNetAndSettle(31, clockNet); };

    // What the receive buffer kept of everything that arrived, in order.
    std::string kept;
    testsupport::FuzzInput in(data, size);
    while (in.more()) {
        const uint8_t op = in.byte();
        switch (op & 7) {
            case 0:
            case 1: {
                // A few bytes, or a flood of up to 16 KiB counting up from a start byte.
                std::string bytes;
                if ((op & 7) == 0) {
                    bytes = in.bytes(op >> 3);
                } else {
                    const uint8_t first = in.byte();
                    for (int i = 0; i < (op >> 3) * 512; ++i) bytes.push_back(static_cast<char>(first + i));
                }
                int32_t error = 0;
                const auto waiting = static_cast<std::size_t>(port.bytesWaiting(error));
                const std::size_t room = circuit::EnvironmentPort::kReceiveBufferBytes - std::min(
                                                                                              waiting, circuit::EnvironmentPort::kReceiveBufferBytes);
                kept += bytes.substr(0, room);
                port.receive(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
                break;
            }
            case 2: actions.toggleSwitch((op >> 3) % 4); break;
            case 3: actions.commitBus(0, QStringLiteral("%1H").arg(in.byte(), 0, 16)); break;
            case 4:
                if (!env->runActive()) {
                    env->StopFlag = 0;
                    env->RunClockNet = c.Setup.ClockNet;
                    session->start();
                }
                for (int k = 0; k <= (op >> 3) % 4; ++k) session->run().tick();
                break;
            case 5: env->stopRun(); break;
            case 6: {
                const uint8_t key = in.byte();
                if (env->runActive()) s.Put8251RxByte(usart, key == 8 ? 127 : key);
                break;
            }
            case 7:
                if (!env->runActive()) actions.clockPulses((op >> 3) % 4);
                break;
        }

        int32_t error = 0;
        const int32_t waiting = port.bytesWaiting(error);
        if (error != 0 || waiting < 0 || static_cast<std::size_t>(waiting) > circuit::EnvironmentPort::kReceiveBufferBytes)
            fail("a receive buffer beyond its size");
        const std::string& taken = taking.taken;
        if (taken.size() + static_cast<std::size_t>(waiting) != kept.size() || kept.compare(0, taken.size(), taken) != 0)
            fail("the 8251 took other bytes than the port kept");
        if (s.PortBytePending == 1 && (taken.empty() || s.PortByte != static_cast<uint8_t>(taken.back())))
            fail("a byte waits for the receiver that was not taken last");
        const sim::IcRecord& chip = s.IcTable[static_cast<std::size_t>(usart)];
        if (chip.Memory.size() > (std::size_t{1} << 20) || chip.TxLast >= static_cast<int32_t>(chip.Memory.size()))
            fail("a transmit buffer beyond its bound");
        if (s.Receiving8251Ic != -1 && s.Receiving8251Ic != usart) fail("a receiver that is no 8251 of the circuit");
        if (link.commErrors != 0 || !prompter.messages().empty()) fail("a message about a port that was never opened");
    }
    env->stopRun();
    session.reset();
    return 0;
}
