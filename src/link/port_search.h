#pragma once
// The automatic port search behind the dialog AutoScanComPort: it tries the
// ports from the current one up to 4 with three carriage returns each and takes
// the port whose third reply carries the monitor prompt. The dialog is a
// SearchView; all decisions are made here.

#include "link/link_state.h"

#include <QString>

#include <array>

namespace devlink {

inline constexpr int kSearchLineCount = 12;  // lines for ports 1..12; ports 1..4 are shown
inline constexpr int kLastSearchedPort = 4;

enum class LineLook {
    AsDesigned,  // not tried
    Trying,      // the button-text colour
    Found,       // green 0,128,0
    NoAnswer,    // olive 128,128,0
    Failure,     // red 255,0,0
};

struct SearchLine {
    QString text;
    LineLook look = LineLook::AsDesigned;
    bool optionEnabled = false;
    bool selected = false;

    bool operator==(const SearchLine&) const = default;
};

// "端口 <n>" and the tail of each state.
SearchLine notTriedLine(int portNumber);
SearchLine tryingLine(int portNumber);
SearchLine foundLine(int portNumber);
SearchLine noAnswerLine(int portNumber);
SearchLine failureLine(int portNumber, int failureNumber);

class SearchView {
public:
    virtual ~SearchView() = default;
    virtual void showLine(int index, const SearchLine& line) = 0;
    virtual void showButtons(bool okEnabled, bool continueEnabled, bool ignoreEnabled) = 0;
    virtual void showNonModal() = 0;
    virtual void hideDialog() = 0;
    // Shows the dialog modal; returns once it has been closed.
    virtual void runModal() = 0;
    virtual void closeDialog() = 0;
    virtual void focusContinue() = 0;
};

class PortSearch {
public:
    PortSearch(LinkState& link, SearchView& view);

    // The whole search from the main window: load and first search, then the
    // ignore action (when asked for meanwhile) or the modal dialog.
    void run();

    // Load step: default settings, every line "未检查", dialog shown, first search.
    void load();
    // "继续搜索": the search loop, from the current port (or the one after a found one).
    void searchOn();
    // "忽略": records the request; outside a search it closes the port and the dialog.
    void ignore();
    // "确定": keeps what was found or opened.
    void accept();
    // A click on line `index`: opens port index+1 without the handshake, rolling back on failure.
    void openDirectly(int index);

    // Written and read by run(), as the main window's search command does.
    int dwSearchStatus = 0;  // 1 once the first search has run
    int dwCloseSearch = 0;   // 0 none, 1 ignore pressed, 2 the loop saw it and stopped

    int foundPort() const { return dwFoundPort_; }
    bool busy() const { return dwSearchBusy_ != 0; }
    const SearchLine& line(int index) const { return lines_.at(static_cast<size_t>(index)); }
    bool okEnabled() const { return okEnabled_; }
    bool continueEnabled() const { return continueEnabled_; }
    bool ignoreEnabled() const { return ignoreEnabled_; }

private:
    bool handshake();
    void setLine(int index, const SearchLine& line);
    void setButtons(bool ok, bool cont, bool ignore);

    LinkState& link_;
    SearchView& view_;
    std::array<SearchLine, kSearchLineCount> lines_;
    bool okEnabled_ = true;
    bool continueEnabled_ = true;
    bool ignoreEnabled_ = true;
    int dwFoundPort_ = 0;
    int dwSearchBusy_ = 0;
};

}  // namespace devlink
