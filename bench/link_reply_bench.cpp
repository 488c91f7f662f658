// What a device that floods the line costs a pending D exchange: the fake
// device (fake_vaz, a process of its own) answers D with 10 MB of text and
// no prompt, and the exchange collects it as the program does. Printed per
// megabyte received: the CPU time this process spent on it and its resident
// memory. Then the completion check alone, fed the same bytes in 4 KiB reads.
//
// Usage: link_reply_bench [megabytes, default 10]
//
// Built on the core libraries only; needs no display.

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include "link/device_port.h"
#include "link/link_notifier.h"
#include "link/link_state.h"
#include "link/monitor_exchange.h"
#include "link/progress_view.h"
#include "link/reply_completion.h"
#include "link/reply_fills.h"
#include "link/terminal_pump.h"
#include "support/resident_memory.h"

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

class Answers : public devlink::LinkNotifier {
public:
    void commError(int number, int port) override { std::fprintf(stderr, "comm error %d on port %d\n", number, port); }
    std::optional<QString> askAddress(const QString&, const QString&, const QString&) override {
        return QStringLiteral("1000H");
    }
    std::optional<QString> chooseReceiveFile() override { return std::nullopt; }
    std::optional<QString> chooseSendFile() override { return std::nullopt; }
    void codeFileError() override {}
};

struct NoLists : devlink::ReplyLists {
    void setMemoryRow(const devlink::MemoryRow&) override {}
    QString registerValue(int) const override { return {}; }
    void setRegisterValue(int, const QString&) override {}
    void markRegister(int, bool) override {}
    int appendUnasmRow(const devlink::UnasmRow&) override { return 0; }
    void selectUnasmRow(int) override {}
    void scrollToUnasmRow(int) override {}
};

// The progress dialog: each counter update is a sample.
struct Sampler : devlink::ProgressView {
    struct Sample {
        qint64 bytes;
        double cpu;
        long rss;
    };
    std::vector<Sample> perMegabyte;
    qint64 received = 0;
    int maximum = 0;
    bool unloaded = false;

    void setCaption(const QString&) override {}
    void setLabel1(const QString&) override {}
    void setLabel2(const QString&) override {}
    void setLabel3(const QString& text) override {
        received = text.section(QLatin1Char('/'), 0, 0).trimmed().toLongLong();
        if (received >= qint64(perMegabyte.size()) << 20) perMegabyte.push_back({received, cpuSeconds(), testsupport::residentKiB()});
    }
    QString label3() const override { return {}; }
    void setProgressRange(int, int hi) override { maximum = hi; }
    int progressMaximum() const override { return maximum; }
    void setProgressValue(int) override {}
    void setTag(const QString&) override {}
    QString tag() const override { return {}; }
    void setLabel3Tag(const QString&) override {}
    QString label3Tag() const override { return {}; }
    void setProgressTag(const QString&) override {}
    QString progressTag() const override { return {}; }
    void showInFront() override {}
    void unload() override { unloaded = true; }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const qint64 megabytes = argc > 1 ? std::atol(argv[1]) : 10;
    const qint64 flood = megabytes << 20;

    QTemporaryDir ports;
    qputenv("CORVANE_COM_DIR", ports.path().toLocal8Bit());
    const QString com1 = ports.filePath(QStringLiteral("COM1"));
    QProcess device;
    device.start(QStringLiteral(FAKE_VAZ), {QStringLiteral("--link"), com1, QStringLiteral("--flood-reply"),
                                            QString::number(flood)});
    QElapsedTimer wait;
    wait.start();
    while (!QFileInfo::exists(com1) && wait.elapsed() < 5000) QThread::msleep(5);

    Answers answers;
    devlink::setLinkNotifier(&answers);
    devlink::LinkState link;
    devlink::DevicePort port;
    link.port = &port;
    if (const int failure = port.open(1, QStringLiteral("9600,N,8,1")); failure != 0) {
        std::fprintf(stderr, "link_reply_bench: COM1 did not open (%d)\n", failure);
        return 1;
    }
    link.PortReady = true;
    link.LinkMode = devlink::LinkModeTerminal;
    QTimer pumpTimer;
    devlink::TerminalPump pump(link, pumpTimer);
    NoLists lists;
    Sampler progress;
    devlink::MonitorExchange exchange(link, editions::profileCorvane16(), pump, lists, [&] { return &progress; });
    exchange.attachPort();

    // Settle the allocator and the event loop before the figures start.
    QCoreApplication::processEvents();
    const long rssStart = testsupport::residentKiB();
    const double cpuStart = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    exchange.CommandMemory_Click();
    while (progress.received < flood + 2 && clock.elapsed() < 600000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    const double seconds = clock.elapsed() / 1000.0;
    const long rssEnd = testsupport::residentKiB();
    long rssPeak = rssEnd;
    for (const auto& s : progress.perMegabyte) rssPeak = std::max(rssPeak, s.rss);

    std::printf("pending D fed %lld MB without a prompt: %lld bytes counted in %.2f s, %.2f s CPU\n",
                static_cast<long long>(megabytes), static_cast<long long>(progress.received), seconds,
                cpuSeconds() - cpuStart);
    std::printf("reply kept: %lld bytes; exchange still pending: %s\n",
                static_cast<long long>(link.RecvBuffer.size() - 1), exchange.XferDialog() ? "yes" : "no");
    std::printf("resident memory: %ld KiB at the start, %ld KiB at most, %ld KiB at the end (%+ld KiB)\n", rssStart,
                rssPeak, rssEnd, rssPeak - rssStart);
    std::printf("  MB   CPU ms for this MB   resident KiB\n");
    double cpuBefore = cpuStart;
    for (std::size_t i = 1; i < progress.perMegabyte.size(); ++i) {
        const auto& s = progress.perMegabyte[i];
        std::printf("  %2zu   %8.1f             %ld\n", i, (s.cpu - cpuBefore) * 1000, s.rss);
        cpuBefore = s.cpu;
    }
    exchange.Command1_Click();
    port.close();
    device.terminate();
    device.waitForFinished(2000);

    // The check alone, without the port: nanoseconds per byte for each megabyte.
    const QByteArray piece = QByteArray("0123456789ABCDEF\r\n").repeated(4096 / 18 + 1).left(4096);
    devlink::ReplyCompletion check;
    std::printf("completion check alone, 4 KiB reads, ns per byte:");
    for (qint64 mb = 0; mb < megabytes; ++mb) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 256; ++i) check.take(piece);
        std::printf(" %.2f", double(t.nsecsElapsed()) / double(1 << 20));
    }
    std::printf("\n");
    return 0;
}
