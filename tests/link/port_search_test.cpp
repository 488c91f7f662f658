#include "link/comm_errors.h"
#include "link/port_search.h"
#include "link_fixture.h"
#include "support/wait_until.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace devlink;
using linktest::kNotReady;
using linktest::LinkFixture;
using linktest::readyText;

namespace {

// Stands in for the dialog and records what the search shows.
struct RecordingView : SearchView {
    std::vector<std::pair<int, SearchLine>> shown;
    int shows = 0, hides = 0, modals = 0, closes = 0, focuses = 0;
    // Runs when a line is shown, i.e. while the search goes on (a user's click meanwhile).
    std::function<void(int, const SearchLine&)> onLine;
    // The user while the dialog is modal.
    std::function<void()> onModal;

    void showLine(int index, const SearchLine& line) override {
        shown.emplace_back(index, line);
        if (onLine) onLine(index, line);
    }
    void showButtons(bool, bool, bool) override {}
    void showNonModal() override { ++shows; }
    void hideDialog() override { ++hides; }
    void runModal() override {
        ++modals;
        if (onModal) onModal();
    }
    void closeDialog() override { ++closes; }
    void focusContinue() override { ++focuses; }

    bool wasShown(int index, LineLook look) const {
        for (const auto& [i, l] : shown)
            if (i == index && l.look == look) return true;
        return false;
    }
};

class PortSearchTest : public LinkFixture {
protected:
    PortSearchTest() : search(link, view) {}

    // Port n's line as the search left it.
    const SearchLine& lineOf(int n) const { return search.line(n - 1); }

    RecordingView view;
    PortSearch search;
};

}  // namespace

TEST_F(PortSearchTest, FirstSearchStopsAtTheAnsweringPort) {
    auto& fake = addFake(2);
    bool disabledMeanwhile = false;
    view.onLine = [&](int, const SearchLine& l) {
        if (l.look == LineLook::Trying) disabledMeanwhile = !mainEnabled && waitCursor && link.LinkMode == LinkModeScan;
    };
    link.settings.CommPortNumber = 3;  // the load starts again from the defaults
    QElapsedTimer clock;
    clock.start();
    search.load();
    const qint64 took = clock.elapsed();

    EXPECT_EQ(lineOf(1), failureLine(1, CommPortNotFound));
    EXPECT_EQ(lineOf(1).text, QStringLiteral("端口 1 未发现（无效）或已被占用！！"));
    EXPECT_EQ(lineOf(2), foundLine(2));
    EXPECT_EQ(lineOf(3), notTriedLine(3));
    EXPECT_TRUE(view.wasShown(1, LineLook::Trying));
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(mainEnabled);
    EXPECT_FALSE(waitCursor);

    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.portNumber(), 2);
    EXPECT_TRUE(link.PortReady);
    EXPECT_EQ(search.foundPort(), 2);
    EXPECT_EQ(link.settings.CommPortNumber, 2);
    EXPECT_EQ(link.LinkMode, LinkModeTerminal);
    EXPECT_TRUE(search.okEnabled());
    EXPECT_TRUE(search.continueEnabled());
    EXPECT_TRUE(search.ignoreEnabled());
    EXPECT_EQ(lastStatus(), readyText(2));
    EXPECT_EQ(fake.receivedBytes(), "\r\r\r");
    EXPECT_TRUE(prompter.messages().empty());
    // 0.4 s before and after the missing port 1, 0.4 s before port 2.
    EXPECT_GE(took, 1150);
    EXPECT_LT(took, 4000);

    search.accept();
    EXPECT_EQ(view.closes, 1);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(lastStatus(), readyText(2));
}

TEST_F(PortSearchTest, PortsWithoutTheRightThirdReplyAreNotTaken) {
    fakevaz::Options twoCrs;
    twoCrs.answerCrs = 2;  // the third carriage return goes unanswered
    auto& first = addFake(1, twoCrs);
    fakevaz::Options oddPrompt;
    oddPrompt.emptyLineReply = std::string("\r\r\n>");
    addFake(2, oddPrompt);
    addSilent(3);
    search.load();

    EXPECT_EQ(lineOf(1), noAnswerLine(1));
    EXPECT_EQ(lineOf(2), noAnswerLine(2));
    EXPECT_EQ(lineOf(3), noAnswerLine(3));
    EXPECT_EQ(lineOf(4), failureLine(4, CommPortNotFound));
    EXPECT_EQ(first.receivedBytes(), "\r\r\r");
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(link.PortReady);
    EXPECT_EQ(link.settings.CommPortNumber, 1);
    EXPECT_EQ(search.foundPort(), 0);
    EXPECT_FALSE(search.okEnabled());
    EXPECT_TRUE(search.continueEnabled());
    EXPECT_TRUE(search.ignoreEnabled());
    EXPECT_EQ(link.LinkMode, LinkModeTerminal);
    EXPECT_EQ(lastStatus(), kNotReady);
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(PortSearchTest, OtherPromptFormsAreTaken) {
    fakevaz::Options lfcr;
    lfcr.emptyLineReply = std::string("\n\r>");
    addFake(1, lfcr);
    fakevaz::Options twoLines;
    twoLines.emptyLineReply = std::string("\r\n\r\n>");
    addFake(2, twoLines);
    search.load();
    EXPECT_EQ(lineOf(1), foundLine(1));
    search.searchOn();  // goes on from port 2
    EXPECT_EQ(lineOf(2), foundLine(2));
    EXPECT_EQ(lineOf(1).look, LineLook::Found);  // the earlier answer keeps its text
    EXPECT_FALSE(lineOf(1).selected);
}

TEST_F(PortSearchTest, ASilentPortCanBeOpenedDirectlyWithoutAHandshake) {
    auto& silent = addSilent(1);
    search.load();
    ASSERT_EQ(lineOf(1), noAnswerLine(1));
    const std::size_t crs = silent.receivedCount('\r');
    EXPECT_GE(crs, 1u);
    statusTexts.clear();

    search.openDirectly(0);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.portNumber(), 1);
    EXPECT_TRUE(link.PortReady);
    EXPECT_EQ(link.settings.CommPortNumber, 1);
    EXPECT_EQ(search.foundPort(), 0);
    EXPECT_TRUE(search.okEnabled());
    EXPECT_TRUE(lineOf(1).selected);
    EXPECT_EQ(statusTexts, QStringList{readyText(1)});
    testsupport::pumpFor(50);
    EXPECT_EQ(silent.receivedCount('\r'), crs);  // nothing was sent after the click

    // A port that cannot be opened is reported and the open one comes back.
    const int focusesBefore = view.focuses;
    search.openDirectly(3);
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("端口 4 未发现（无效）或已被占用！！")});
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.portNumber(), 1);
    EXPECT_TRUE(link.PortReady);
    EXPECT_EQ(view.focuses, focusesBefore + 1);
}

TEST_F(PortSearchTest, SearchingOnStartsAfterTheFoundPortAndWrapsAfterFour) {
    auto& two = addFake(2);
    addFake(4);
    search.load();
    ASSERT_EQ(search.foundPort(), 2);

    search.searchOn();  // port 2 is closed first, then 3 and 4 are tried
    EXPECT_EQ(lineOf(3), failureLine(3, CommPortNotFound));
    EXPECT_EQ(lineOf(4), foundLine(4));
    EXPECT_FALSE(lineOf(2).selected);
    EXPECT_EQ(search.foundPort(), 4);
    EXPECT_EQ(port.portNumber(), 4);
    EXPECT_EQ(two.receivedCount('\r'), 3u);

    search.searchOn();  // from port 1 again, stopping at 2 this time
    EXPECT_EQ(lineOf(1), failureLine(1, CommPortNotFound));
    EXPECT_EQ(lineOf(2), foundLine(2));
    EXPECT_FALSE(lineOf(4).selected);
    EXPECT_EQ(port.portNumber(), 2);
    EXPECT_EQ(two.receivedCount('\r'), 6u);
    EXPECT_EQ(lastStatus(), readyText(2));
}

TEST_F(PortSearchTest, IgnoreDuringTheFirstSearchLeavesNoPortOpen) {
    addFake(2);
    // "忽略" pressed while port 1 is tried: the search stops before port 2.
    view.onLine = [&](int index, const SearchLine& l) {
        if (index == 0 && l.look == LineLook::Trying) search.ignore();
    };
    search.run();
    EXPECT_EQ(lineOf(1), failureLine(1, CommPortNotFound));
    EXPECT_EQ(lineOf(2), notTriedLine(2));
    EXPECT_EQ(view.closes, 1);
    EXPECT_EQ(view.modals, 0);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(link.PortReady);
    EXPECT_EQ(lastStatus(), kNotReady);
    EXPECT_EQ(link.LinkMode, LinkModeTerminal);
}

TEST_F(PortSearchTest, IgnoreDuringTheAnsweringPortsTurnActsWhenTheSearchEnds) {
    addFake(1);
    view.onLine = [&](int index, const SearchLine& l) {
        if (index == 0 && l.look == LineLook::Trying) search.ignore();
    };
    search.run();
    EXPECT_EQ(lineOf(1), foundLine(1));
    EXPECT_EQ(view.closes, 1);
    EXPECT_EQ(view.modals, 0);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(link.PortReady);
    EXPECT_EQ(lastStatus(), kNotReady);
}

TEST_F(PortSearchTest, IgnoreAfterTheSearchClosesTheFoundPort) {
    addFake(1);
    view.onModal = [&] { search.ignore(); };
    search.run();
    EXPECT_EQ(view.hides, 1);
    EXPECT_EQ(view.modals, 1);
    EXPECT_EQ(view.closes, 1);
    EXPECT_EQ(search.dwSearchStatus, 1);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(link.PortReady);
    EXPECT_EQ(lastStatus(), kNotReady);
    EXPECT_GE(broughtToFront, 1);
}

TEST_F(PortSearchTest, ClickingALineWhileTheSearchRunsDoesNothing) {
    addSilent(1);
    addSilent(2);
    bool clicked = false;
    view.onLine = [&](int index, const SearchLine& l) {
        if (index == 1 && l.look == LineLook::Trying && !clicked) {
            clicked = true;
            search.openDirectly(0);  // line 1 is enabled (no answer), but a search runs
            EXPECT_FALSE(port.isOpen());
            EXPECT_EQ(link.settings.CommPortNumber, 2);
        }
    };
    search.load();
    EXPECT_TRUE(clicked);
    EXPECT_FALSE(lineOf(1).selected);  // the next port's turn clears the selection
    EXPECT_EQ(lineOf(2), noAnswerLine(2));
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(prompter.messages().empty());
}
