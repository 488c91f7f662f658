#pragma once
// Device tests of the monitor exchange and the command-line window: a fake
// monitor of one edition on COM1, the port open and ready in the command-line
// mode, the pump with its own timer, and recorders for the progress dialogs
// and the three lists.

#include "editions/edition_profile.h"
#include "link/fake/monitor_core.h"
#include "link/monitor_exchange.h"
#include "link/progress_view.h"
#include "link/reply_fills.h"
#include "link/terminal_pump.h"
#include "link_fixture.h"
#include "support/wait_until.h"

#include <QTimer>

#include <map>
#include <memory>
#include <vector>

namespace linktest {

struct RecordingLists : devlink::ReplyLists {
    std::map<int, devlink::MemoryRow> memory;
    std::map<int, QString> registers;
    std::map<int, bool> marked;
    std::vector<devlink::UnasmRow> unasm;
    int selected = 0, scrolledTo = 0;
    int memoryWrites = 0;

    void setMemoryRow(const devlink::MemoryRow& row) override {
        memory[row.row] = row;
        ++memoryWrites;
    }
    QString registerValue(int row) const override {
        auto it = registers.find(row);
        return it == registers.end() ? QString() : it->second;
    }
    void setRegisterValue(int row, const QString& value) override { registers[row] = value; }
    void markRegister(int row, bool changed) override { marked[row] = changed; }
    int appendUnasmRow(const devlink::UnasmRow& row) override {
        unasm.push_back(row);
        return static_cast<int>(unasm.size());
    }
    void selectUnasmRow(int row) override { selected = row; }
    void scrollToUnasmRow(int row) override { scrolledTo = row; }

    std::vector<int> markedRows() const {
        std::vector<int> rows;
        for (const auto& [row, changed] : marked)
            if (changed) rows.push_back(row);
        return rows;
    }
};

struct RecordingProgress : devlink::ProgressView {
    QString caption, label1, label2, label3Text, tagText, label3TagText, progressTagText;
    QStringList label3History;
    int minimum = 0, maximum = 100, value = 0;
    bool shown = false, unloaded = false;
    // Calls that reached the dialog after it was unloaded (a real one would be gone).
    int usedAfterUnload = 0;

    void setCaption(const QString& t) override { use(), caption = t; }
    void setLabel1(const QString& t) override { use(), label1 = t; }
    void setLabel2(const QString& t) override { use(), label2 = t; }
    void setLabel3(const QString& t) override {
        use();
        label3Text = t;
        label3History << t;
    }
    QString label3() const override { return label3Text; }
    void setProgressRange(int lo, int hi) override {
        use();
        minimum = lo;
        maximum = hi;
    }
    int progressMaximum() const override { return maximum; }
    void setProgressValue(int v) override { use(), value = v; }
    void setTag(const QString& t) override { use(), tagText = t; }
    QString tag() const override { return tagText; }
    void setLabel3Tag(const QString& t) override { use(), label3TagText = t; }
    QString label3Tag() const override { return label3TagText; }
    void setProgressTag(const QString& t) override { use(), progressTagText = t; }
    QString progressTag() const override { return progressTagText; }
    void showInFront() override { use(), shown = true; }
    void unload() override { use(), unloaded = true; }
    void cancel() { if (onCancel) onCancel(); }

private:
    void use() { usedAfterUnload += unloaded; }
};

inline const editions::EditionProfile& profileOf(fakevaz::Edition e) {
    switch (e) {
        case fakevaz::Edition::Corvane16: return editions::profileCorvane16();
        case fakevaz::Edition::Corvane: return editions::profileCorvane();
        case fakevaz::Edition::Corvane8: return editions::profileCorvane8();
    }
    return editions::profileCorvane16();
}

inline std::string editionName(const ::testing::TestParamInfo<fakevaz::Edition>& info) {
    return std::string(profileOf(info.param).titleWord);
}

class ExchangeFixture : public LinkFixture {
protected:
    explicit ExchangeFixture(fakevaz::Edition edition)
        : edition(edition), profile(profileOf(edition)), pump(link, pumpTimer),
          exchange(link, profile, pump, lists, [this] {
              dialogs.push_back(std::make_unique<RecordingProgress>());
              return dialogs.back().get();
          }) {}

    // The device on COM1, the port open and ready, the command-line mode.
    fakevaz::FakeVazMonitor& startDevice(fakevaz::Options options = {}) {
        options.edition = edition;
        auto& fake = addFake(1, options);
        EXPECT_EQ(port.open(1, QStringLiteral("9600,N,8,1")), 0);
        link.PortReady = true;
        link.LinkMode = devlink::LinkModeTerminal;
        exchange.attachPort();
        return fake;
    }

    // Runs a command (answering its address box) and waits until its exchange is over.
    bool run(void (devlink::MonitorExchange::*command)(), std::optional<QString> answer = std::nullopt) {
        prompter.answerInput(std::move(answer));
        (exchange.*command)();
        return waitIdle();
    }
    bool waitIdle(int timeoutMs = 3000) {
        return testsupport::waitUntil(
            [&] { return !exchange.XferDialog() && link.LinkMode == devlink::LinkModeTerminal; }, timeoutMs);
    }
    RecordingProgress* lastDialog() const { return dialogs.empty() ? nullptr : dialogs.back().get(); }
    QString pane() const { return const_cast<devlink::TerminalPump&>(pump).buffer().text(); }
    bool paneShows(const QString& text, int timeoutMs = 3000) {
        return testsupport::waitUntil([&] { return pane().contains(text); }, timeoutMs);
    }

    fakevaz::Edition edition;
    const editions::EditionProfile& profile;
    QTimer pumpTimer;
    RecordingLists lists;
    std::vector<std::unique_ptr<RecordingProgress>> dialogs;
    devlink::TerminalPump pump;
    devlink::MonitorExchange exchange;
};

}  // namespace linktest
