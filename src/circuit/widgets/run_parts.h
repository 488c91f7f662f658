#pragma once
// The continuous run, the 8251 terminal windows, the environment's serial
// port and the memory data buttons, as the frame and its circuit windows use
// them (installed with installRunParts).

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <map>

#include "circuit/run_session.h"

namespace circuit::widgets {

class Form12;
class Form7;
class MDIForm1;
struct CircuitParts;

// What a frame holds of these parts, made with the frame: the run session
// with the environment's port (opened then), and the terminal windows.
class RunWindows : public QObject {
    Q_OBJECT
public:
    explicit RunWindows(MDIForm1& frame);
    ~RunWindows() override;
    // The frame's; nullptr for a frame made without these parts.
    static RunWindows* of(MDIForm1& frame);

    circuit::RunSession& session() { return session_; }

    // The terminal window of 8251 `ic`: the first time it is asked for it is
    // made, captioned, listed in the frame's window menu and shown. nullptr for
    // an IC that is no 8251.
    Form12* terminal(int32_t ic);
    // The terminal once made (IcDispForms), else nullptr.
    Form12* terminalIfMade(int32_t ic) const;

    // The pending 8251's output into its terminal, which comes to the front
    // (shown only the first time).
    void Flush8251Output();

private:
    QString captionPrefixFor(int32_t ic) const;

    MDIForm1& frame_;
    circuit::RunSession session_;
    std::map<int32_t, QPointer<Form12>> IcDispForms;
};

// Fills the run's members of `parts`.
void installRunParts(CircuitParts& parts);

}  // namespace circuit::widgets
