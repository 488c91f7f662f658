#pragma once
// A pseudo-terminal that plays a serial port: the program opens the slave side
// (through a symlink named like a port), the fake device works the master side.

#include <string>

namespace fakevaz {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Creates the pair: raw slave (no echo, no CR/LF translation), non-blocking master.
    // The slave stays open here for the pair's whole life, so the program can
    // close and reopen its side without the master seeing a hang-up.
    bool open(std::string* error);
    void close();

    int master() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

}  // namespace fakevaz
