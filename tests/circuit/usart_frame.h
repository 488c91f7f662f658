#pragma once
// A frame on the circuit of one 8251 (usart_circuit.h), driven through the
// kernel as the console would drive it.
#include <QDir>
#include <QPushButton>

#include <memory>
#include <string>

#include "circuit/environment.h"
#include "circuit/widgets/circuit_parts.h"
#include "circuit/widgets/form12.h"
#include "circuit/widgets/form7.h"
#include "circuit/widgets/mdi_form1.h"
#include "circuit/widgets/run_parts.h"
#include "env_fixture.h"
#include "link/prompter_link_notifier.h"
#include "sim/simulator.h"
#include "support/scripted_prompter.h"
#include "usart_circuit.h"

namespace circuittest {

struct UsartFrame {
    UsartFrame() {
        const QString path = QDir(folder.path()).filePath(QStringLiteral("usart.sch"));
        EXPECT_TRUE(writeUsartCircuit(path));
        frame = std::make_unique<circuit::widgets::MDIForm1>();
        EXPECT_EQ(frame->OpenCircuitWindow(path), 1);
        frame->lab_AutoAddlab_Click(0);
        frame->resize(1200, 800);
        frame->show();
    }

    circuit::Environment& env() const { return frame->environment(); }
    sim::Simulator& sim() const { return env().simulator; }
    circuit::widgets::Form7& window() const { return *frame->circuitWindows().front(); }
    circuit::widgets::CircuitParts& parts() const { return frame->parts(); }
    int32_t usart() const { return window().StartIcNumber(); }
    const sim::IcRecord& usartRecord() const { return sim().IcTable[static_cast<std::size_t>(usart())]; }

    int32_t net(const std::string& name) const {
        const circuit::LoadedCircuit& c = window().circuit();
        for (int32_t n = c.StartSignalNumber; n <= c.EndSignalNumber; ++n)
            if (sim().NetTable[static_cast<std::size_t>(n)].Name == name) return n;
        ADD_FAILURE() << "no net " << name;
        return c.ncNet();
    }
    // A switch or the bus set, and the circuit settled, as the console does it.
    void set(const std::string& name, int32_t value) {
        sim().SetNetValue(value, net(name));
        settle();
    }
    void setBus(int32_t value) {
        for (int bit = 0; bit < 8; ++bit) sim().SetNetValue((value >> bit) & 1, net("D" + std::to_string(bit)));
        settle();
    }
    void settle() {
        sim().ToggleNetAndSettle(0, sim::kSpareNet);
        env().takeSettleReport();
    }
    // One clock period: a write cycle, then a read cycle.
    void clockPeriod() {
        sim().ToggleNetAndSettle(1, net("CLK"));
        env().takeSettleReport();
    }
    // Selected, transmitter and receiver on (command 3), ready to send.
    void enable() {
        set("CS", 0);
        set("CD", 1);
        set("WE", 1);
        set("RE", 0);
        setBus(3);
        clockPeriod();
        set("CD", 0);
    }
    // Bytes written to the data register, one clock period each.
    void send(std::initializer_list<int32_t> codes) {
        set("CD", 0);
        set("WE", 1);
        set("RE", 0);
        for (const int32_t c : codes) {
            setBus(c);
            clockPeriod();
        }
    }
    // From now on each clock period is a status read, which polls the port.
    void readStatus() {
        set("WE", 0);
        set("RE", 1);
        set("CD", 1);
    }
    // One data read, which takes the received byte.
    void readData() {
        set("WE", 0);
        set("RE", 1);
        set("CD", 0);
        clockPeriod();
        set("RE", 0);
    }
    // Bytes sent and the clock command's flush done: the 8251's terminal.
    circuit::widgets::Form12* steppedOut(std::initializer_list<int32_t> codes) {
        send(codes);
        parts().flush8251Output(window());
        return circuit::widgets::RunWindows::of(*frame)->terminalIfMade(usart());
    }
    // The run-mode toggle in single-step mode, as the console does it.
    void startRun() {
        window().Command5()->setText(QString::fromUtf16(circuit::widgets::kContinuousCaption));
        env().StopFlag = 0;
        env().RunClockNet = net("CLK");
        parts().startContinuousRun(window());
    }
    // ... and in continuous mode.
    void stopRun() {
        window().Command5()->setText(QString::fromUtf16(circuit::widgets::kSingleStepCaption));
        env().stopRun();
    }

    testsupport::ScriptedPrompter prompter;
    devlink::ScopedPrompterLinkNotifier linkBoxes;
    testsupport::ProgramFolder folder;
    std::unique_ptr<circuit::widgets::MDIForm1> frame;
};

}  // namespace circuittest
