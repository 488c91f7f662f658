#include "workbench/build_runner.h"

#include "build_fixture.h"
#include "support/scripted_prompter.h"
#include "support/wait_until.h"
#include "workbench/workbench_texts.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

using namespace workbench;
using namespace wbtest;
using platform::MsgResult;

namespace {

// Records what the build shows; saving succeeds unless told otherwise.
class FakeSurface : public BuildSurface {
public:
    explicit FakeSurface(WorkbenchState& s) : state(s) {}
    WorkbenchState& state;
    bool saveResult = true;
    int saves = 0;
    QStringList busy;
    QStringList messages;
    QString listing;
    int tag = -1;
    QList<int> editorMarks;
    QList<int> listingMarks;
    int reloads = 0;
    std::function<void()> whileBusy;

    bool saveSourceFile() override {
        ++saves;
        if (saveResult) {
            state.SourceModified = false;
            state.SourceHasName = true;
        }
        return saveResult;
    }
    void setBusy(bool b) override {
        busy << (b ? "on" : "off");
        if (b && whileBusy) whileBusy();
    }
    void showMessage(const QString& text) override { messages << text; }
    void setMessageTag(int line) override { tag = line; }
    void showListing(const QString& text) override { listing = text; }
    void reloadEditor(const QString&) override { ++reloads; }
    void markTaggedEditorLine() override { editorMarks << tag; }
    void markListingLine(int line) override { listingMarks << line; }
    QString lastMessage() const { return messages.isEmpty() ? QString() : messages.last(); }
};

struct Rig {
    explicit Rig(const editions::EditionProfile& p, const QString& installAs = {},
                 const QString& folderName = QStringLiteral("src"))
        : profile(p), home(p, installAs, folderName), surface(state), runner(state, p, surface) {
        runner.setProgramFolder(home.home());
        state.TrackChanges = true;
    }
    void source(const QByteArray& text, const QString& name = QStringLiteral("prog.asm")) {
        state.SourcePath = home.srcFile(name);
        state.SourceHasName = true;
        state.SourceModified = false;
        writeBytes(state.SourcePath, text);
    }
    QStringList boxes() const {
        QStringList out;
        for (const auto& m : prompter.messages()) out << m.text;
        return out;
    }
    const editions::EditionProfile& profile;
    std::optional<FastClock> clock{std::in_place};  // reset: the real clock
    testsupport::ScriptedPrompter prompter;
    StandinHome home;
    WorkbenchState state;
    FakeSurface surface;
    BuildRunner runner;
};

const QByteArray kClean = "start: MOV A,B\r\n NOP\r\n";
// With a Chinese comment ("错误") in code page 936 on the error line.
const QByteArray kErrorOnLine3 = "start: MOV A,B\r\n NOP\r\n ERROR here ; \xB4\xED\xCE\xF3\r\n NOP\r\n";

class EachEdition : public ::testing::TestWithParam<editions::EditionId> {};

}  // namespace

TEST_P(EachEdition, CleanSourceLeavesListingAndCodeBesideIt) {
    const auto& profile = editions::profileFor(GetParam());
    Rig rig(profile);
    rig.source(kClean);
    EXPECT_EQ(rig.runner.run(), BuildResult::Success);

    EXPECT_TRUE(rig.boxes().isEmpty()) << rig.boxes().join("|").toStdString();
    EXPECT_EQ(filesIn(rig.home.src()), (QStringList{"prog.LST", "prog.asm", "prog.cod"}));
    EXPECT_EQ(readBytes(rig.home.srcFile("prog.cod")), QByteArray("\x01\x00\x00\x02\x00" "1234", 9));
    const QString success = QStringLiteral("Code file \"prog.COD\" generated successfully.");
    if (profile.assembler.responseFile) {
        EXPECT_EQ(rig.surface.lastMessage(), "Assembly finished, No errors found.\r\n" + success);
        EXPECT_TRUE(rig.surface.listing.startsWith("(stand-in listing)"));
    } else {
        EXPECT_EQ(rig.surface.lastMessage(), success);
        const QString mode = profile.id == editions::EditionId::Corvane8 ? "-T8 -E\n" : "-TH -E\n";
        EXPECT_TRUE(rig.surface.listing.startsWith(mode)) << rig.surface.listing.toStdString();
    }
    EXPECT_EQ(rig.surface.messages.first(), kBuildingText106);
    EXPECT_EQ(rig.surface.busy, (QStringList{"on", "off"}));
    EXPECT_EQ(rig.surface.reloads, 1);
    EXPECT_EQ(rig.surface.tag, 0);
    EXPECT_FALSE(rig.runner.running());
}

TEST_P(EachEdition, ErrorOnLine3IsMarkedInTheEditor) {
    const auto& profile = editions::profileFor(GetParam());
    Rig rig(profile);
    rig.source(kErrorOnLine3);
    EXPECT_EQ(rig.runner.run(), BuildResult::AssemblerMessage);

    EXPECT_EQ(rig.surface.tag, 3);
    EXPECT_EQ(rig.surface.editorMarks, QList<int>{3});
    if (profile.assembler.responseFile) {
        EXPECT_TRUE(rig.surface.lastMessage().startsWith("3 Error in Pass 1")) << rig.surface.lastMessage().toStdString();
    } else {
        EXPECT_TRUE(rig.surface.lastMessage().startsWith("Error in \"" + rig.state.SourcePath + "\" at 1, line 3"))
            << rig.surface.lastMessage().toStdString();
    }
    EXPECT_EQ(rig.surface.listing, listingPlaceholder(profile.listingPlaceholderId));
    EXPECT_EQ(filesIn(rig.home.src()), QStringList{"prog.asm"});
}

TEST_P(EachEdition, MissingAssemblerIsOneMessageAndNothingIsLeft) {
    const auto& profile = editions::profileFor(GetParam());
    Rig rig(profile, "-");
    rig.source(kClean);
    EXPECT_EQ(rig.runner.run(), BuildResult::Failed);
    const QString program = QString::fromUtf8(profile.assembler.program.data(), profile.assembler.program.size());
    EXPECT_EQ(rig.boxes(), QStringList{missingFileText(rig.home.home() + "/bin/" + program)});
    EXPECT_EQ(rig.prompter.messages().front().title, kInfoTitle);
    EXPECT_EQ(rig.surface.lastMessage(), kBuildFailedText107);
    EXPECT_EQ(filesIn(rig.home.src()), QStringList{"prog.asm"});
    EXPECT_EQ(rig.surface.busy, (QStringList{"on", "off"}));
}

INSTANTIATE_TEST_SUITE_P(Workbench, EachEdition,
                         ::testing::Values(editions::EditionId::Corvane16, editions::EditionId::Corvane,
                                           editions::EditionId::Corvane8));

TEST(BuildRunner, AssemblerIsFoundWhateverTheCaseOfItsName) {
    Rig rig(editions::profileCorvane16(), "vare.exe");
    rig.source(kClean);
    EXPECT_EQ(rig.runner.run(), BuildResult::Success);
}

TEST(BuildRunner, SaveFirstDecidesWhetherTheBuildRuns) {
    struct Case {
        const char* name;
        bool hasName, modified, saveResult;
        std::optional<MsgResult> answer;
        BuildResult expected;
        int saves;
    };
    const Case cases[] = {
        {"unnamed, save dialog cancelled", false, true, false, std::nullopt, BuildResult::NotStarted, 1},
        {"modified, No does not build", true, true, true, MsgResult::No, BuildResult::NotStarted, 0},
        {"modified, Cancel", true, true, true, MsgResult::Cancel, BuildResult::NotStarted, 0},
        {"modified, Yes but the write fails", true, true, false, MsgResult::Yes, BuildResult::NotStarted, 1},
        {"modified, Yes saves and builds", true, true, true, MsgResult::Yes, BuildResult::Success, 1},
    };
    for (const auto& c : cases) {
        Rig rig(editions::profileCorvane16());
        rig.source(kClean);
        rig.state.SourceHasName = c.hasName;
        rig.state.SourceModified = c.modified;
        rig.surface.saveResult = c.saveResult;
        if (c.answer) rig.prompter.answerMessage(*c.answer);
        EXPECT_EQ(rig.runner.run(), c.expected) << c.name;
        EXPECT_EQ(rig.surface.saves, c.saves) << c.name;
        if (c.expected == BuildResult::NotStarted) {
            EXPECT_TRUE(rig.surface.busy.isEmpty()) << c.name;
            EXPECT_TRUE(rig.surface.messages.isEmpty()) << c.name;
            EXPECT_EQ(filesIn(rig.home.src()), QStringList{"prog.asm"}) << c.name;
        }
        if (c.answer) {
            ASSERT_FALSE(rig.prompter.messages().empty());
            const auto q = rig.prompter.messages().front();
            EXPECT_EQ(q.text, kSaveQuestion);
            EXPECT_EQ(q.title, kSaveQuestionTitle);
            EXPECT_EQ(q.buttons, platform::MsgButtons::YesNoCancel);
            EXPECT_EQ(q.defaultButton, 2);
        }
    }
}

TEST(BuildRunner, OptionsReachTheAssembler) {
    Rig rig(editions::profileCorvane16());
    rig.source(kClean);
    rig.state.GenerateLoadInfo = false;
    rig.state.UseDefaultExtSet = false;
    EXPECT_EQ(rig.runner.run(), BuildResult::Success);
    EXPECT_TRUE(rig.surface.listing.startsWith("-TH -G\n")) << rig.surface.listing.toStdString();

    // The base edition never passes options, whatever they hold.
    Rig base(editions::profileCorvane());
    base.source(kClean);
    base.state.GenerateLoadInfo = false;
    base.state.ExtInstrFile = base.home.srcFile("missing.ins");
    EXPECT_EQ(base.runner.run(), BuildResult::Success);
}

TEST(BuildRunner, ErrorInTheExtensionFileShowsThatFileMarked) {
    Rig rig(editions::profileCorvane8());
    rig.source("NOP\r\n; INSERR\r\n");
    const QString ins = rig.home.srcFile("my ext.ins");
    writeBytes(ins, "OP1 01\r\nOP2 02\r\n");
    rig.state.ExtInstrFile = ins;
    EXPECT_EQ(rig.runner.run(), BuildResult::AssemblerMessage);
    EXPECT_EQ(rig.surface.lastMessage(), "Error in \"" + ins + "\" at 1, line 2: stand-in error\r\n");
    EXPECT_EQ(rig.surface.listing, "OP1 01\nOP2 02\n");
    EXPECT_EQ(rig.surface.listingMarks, QList<int>{2});
    EXPECT_TRUE(rig.surface.editorMarks.isEmpty());
    EXPECT_EQ(rig.surface.tag, 0);
    EXPECT_EQ(filesIn(rig.home.src()), (QStringList{"my ext.ins", "prog.asm"}));
}

TEST(BuildRunner, MissingExtensionFileStopsTheBuild) {
    Rig rig(editions::profileCorvane16());
    rig.source(kClean);
    rig.state.ExtInstrFile = rig.home.srcFile("gone.ins");
    EXPECT_EQ(rig.runner.run(), BuildResult::Failed);
    EXPECT_EQ(rig.boxes(), QStringList{missingFileText(rig.state.ExtInstrFile)});
    EXPECT_EQ(rig.surface.lastMessage(), kBuildFailedText107);
    EXPECT_EQ(filesIn(rig.home.src()), QStringList{"prog.asm"});
}

// An assembler that has ended has said all it will: however short or empty
// its output, no time-out is shown and the output is shown as it is.
TEST(BuildRunner, AFinishedAssemblersShortOrEmptyOutputIsNoTimeOut) {
    {
        Rig rig(editions::profileCorvane16());
        rig.source("; SHORT\r\n");
        EXPECT_EQ(rig.runner.run(), BuildResult::AssemblerMessage);
        EXPECT_TRUE(rig.boxes().isEmpty()) << rig.boxes().join('|').toStdString();
        EXPECT_TRUE(rig.surface.lastMessage().startsWith("Error in ")) << rig.surface.lastMessage().toStdString();
        EXPECT_EQ(filesIn(rig.home.src()), QStringList{"prog.asm"});
    }
    {
        Rig rig(editions::profileCorvane());
        rig.source("; SILENT\r\n");
        EXPECT_EQ(rig.runner.run(), BuildResult::AssemblerMessage);
        EXPECT_TRUE(rig.boxes().isEmpty()) << rig.boxes().join('|').toStdString();
        EXPECT_EQ(rig.surface.lastMessage(), QString());
        EXPECT_EQ(filesIn(rig.home.src()), QStringList{"prog.asm"});
        EXPECT_EQ(rig.surface.busy, (QStringList{"on", "off"}));
    }
}

// The stand-in with a clean source answers at once: the build's waits end as
// soon as what they wait for is there, on the real clock well within a second
// (the fixed waits of half and whole seconds would add up to more than five).
TEST(BuildRunner, AnInstantAssemblerCostsNoFixedWaits) {
    for (const auto id : {editions::EditionId::Corvane16, editions::EditionId::Corvane}) {
        Rig rig(editions::profileFor(id));
        rig.clock.reset();
        rig.source(kClean);
        QElapsedTimer t;
        t.start();
        EXPECT_EQ(rig.runner.run(), BuildResult::Success);
        EXPECT_LT(t.elapsed(), 1500);
        EXPECT_TRUE(rig.boxes().isEmpty());
    }
}

// An assembler that takes seconds (an emulator starting) is waited for, up to
// the time limit; the build then goes on at once with its complete output.
TEST(BuildRunner, ASlowAssemblerIsWaitedForUntilItEnds) {
    qputenv("STANDIN_SLOW_SECONDS", "2");  // about ten seconds on the test clock
    Rig rig(editions::profileCorvane8());
    rig.source("; SLOW\r\n NOP\r\n");
    EXPECT_EQ(rig.runner.run(), BuildResult::Success);
    EXPECT_TRUE(rig.boxes().isEmpty()) << rig.boxes().join('|').toStdString();
    EXPECT_EQ(filesIn(rig.home.src()), (QStringList{"prog.LST", "prog.asm", "prog.cod"}));
    qunsetenv("STANDIN_SLOW_SECONDS");
}

// Past the time limit the build says so, ends the assembler and reads what it
// wrote; the assembler never writes into the folder afterwards.
TEST(BuildRunner, AnAssemblerPastTheTimeLimitIsEndedBeforeTheCleanUp) {
    EXPECT_EQ(kAssemblerTimeLimitSeconds, 60.0);
    qputenv("STANDIN_SLOW_SECONDS", "4");
    Rig rig(editions::profileCorvane16());
    rig.runner.setTimeLimit(2.0);
    rig.source("; SLOW\r\n NOP\r\n");
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(rig.runner.run(), BuildResult::AssemblerMessage);
    EXPECT_LT(t.elapsed(), 3500);  // it did not wait for the assembler's own end
    EXPECT_EQ(rig.boxes(), QStringList{"文件编译信息保存超时！！"});
    EXPECT_EQ(filesIn(rig.home.src()), QStringList{"prog.asm"});
    // Had it survived, it would write its listing and code file after its sleep.
    testsupport::pumpFor(int(std::max<qint64>(0, 5000 - t.elapsed())));
    EXPECT_EQ(filesIn(rig.home.src()), QStringList{"prog.asm"});
    qunsetenv("STANDIN_SLOW_SECONDS");
}

// Stopped from inside a wait (the program quits): the wait ends at once, the
// assembler is ended, nothing is copied beside the source, the work files go
// and the message pane shows the failure.
TEST(BuildRunner, AStoppedBuildEndsItsWaitAndCleansUp) {
    qputenv("STANDIN_SLOW_SECONDS", "4");
    Rig rig(editions::profileCorvane16());
    rig.source("; SLOW\r\n NOP\r\n");
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        // Once the assembler runs: its output file is there.
        if (filesIn(rig.home.src()).filter(QRegularExpression("\\.(tmp|TMP)$")).isEmpty()) return;
        stopper.stop();
        rig.runner.stop();
    });
    stopper.start(5);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(rig.runner.run(), BuildResult::Failed);
    EXPECT_LT(t.elapsed(), 3000);
    EXPECT_TRUE(rig.boxes().isEmpty()) << rig.boxes().join('|').toStdString();
    EXPECT_EQ(rig.surface.lastMessage(), kBuildFailedText107);
    EXPECT_EQ(rig.surface.busy, (QStringList{"on", "off"}));
    EXPECT_FALSE(rig.runner.running());
    testsupport::pumpFor(int(std::max<qint64>(0, 5000 - t.elapsed())));
    EXPECT_EQ(filesIn(rig.home.src()), QStringList{"prog.asm"});
    rig.runner.stop();  // outside a build: nothing to stop, the next build runs
    qunsetenv("STANDIN_SLOW_SECONDS");
    rig.source(kClean);
    EXPECT_EQ(rig.runner.run(), BuildResult::Success);
}

TEST(BuildRunner, UserFilesNamedLikeWorkFilesAreNeverTouched) {
    // Blanks, quotes and a star in the folder name: nothing goes through a shell.
    Rig rig(editions::profileCorvane16(), {}, QStringLiteral("my \"src\" *"));
    rig.source(kClean);
    writeBytes(rig.home.srcFile("aaaaaaaa.lst"), "user listing");
    writeBytes(rig.home.srcFile("AAAAAAAA.asm"), "user source");
    rig.runner.setNameSource([k = 0]() mutable { return ++k <= 3 ? QStringLiteral("AAAAAAAA") : QString("T%1").arg(k, 7, 10, QChar('0')); });
    EXPECT_EQ(rig.runner.run(), BuildResult::Success);
    EXPECT_EQ(readBytes(rig.home.srcFile("aaaaaaaa.lst")), "user listing");
    EXPECT_EQ(readBytes(rig.home.srcFile("AAAAAAAA.asm")), "user source");
    EXPECT_EQ(filesIn(rig.home.src()),
              (QStringList{"AAAAAAAA.asm", "aaaaaaaa.lst", "prog.LST", "prog.asm", "prog.cod"}));
}

TEST(BuildRunner, AnOlderCodeFileIsReplacedWhateverItsCase) {
    Rig rig(editions::profileCorvane16());
    rig.source(kClean);
    writeBytes(rig.home.srcFile("prog.COD"), "old code");
    writeBytes(rig.home.srcFile("PROG.lst"), "old listing");
    EXPECT_EQ(rig.runner.run(), BuildResult::Success);
    EXPECT_EQ(filesIn(rig.home.src()), (QStringList{"PROG.lst", "prog.COD", "prog.asm"}));
    EXPECT_EQ(readBytes(rig.home.srcFile("prog.COD")), QByteArray("\x01\x00\x00\x02\x00" "1234", 9));
    EXPECT_TRUE(readBytes(rig.home.srcFile("PROG.lst")).startsWith("-TH -E"));
}

TEST(BuildRunner, NoSuccessWithoutAFreshCodeFile) {
    {
        // The assembler claims success but wrote no code file: the old one goes.
        Rig rig(editions::profileCorvane16());
        rig.source("; NOCOD\r\n");
        writeBytes(rig.home.srcFile("prog.cod"), "stale code");
        EXPECT_EQ(rig.runner.run(), BuildResult::Failed);
        ASSERT_EQ(rig.boxes().size(), 1);
        EXPECT_TRUE(rig.boxes().front().endsWith(".COD\" 不存在！！")) << rig.boxes().front().toStdString();
        EXPECT_EQ(rig.surface.lastMessage(), kBuildFailedText107);
        EXPECT_EQ(filesIn(rig.home.src()), (QStringList{"prog.LST", "prog.asm"}));
    }
    {
        // The code file cannot be written beside the source.
        Rig rig(editions::profileCorvane16());
        rig.source(kClean);
        QDir().mkpath(rig.home.srcFile("prog.cod"));
        EXPECT_EQ(rig.runner.run(), BuildResult::Failed);
        EXPECT_EQ(rig.boxes(), QStringList{unreadableFileText(rig.home.srcFile("prog.cod"))});
        EXPECT_EQ(rig.surface.lastMessage(), kBuildFailedText107);
        EXPECT_EQ(filesIn(rig.home.src()), (QStringList{"prog.LST", "prog.asm"}));
    }
}

TEST(BuildRunner, ASourceNamedLikeItsListingIsNotOverwritten) {
    Rig rig(editions::profileCorvane16());
    rig.source(kClean, QStringLiteral("prog.LST"));
    EXPECT_EQ(rig.runner.run(), BuildResult::Success);
    EXPECT_EQ(readBytes(rig.state.SourcePath), kClean);
    EXPECT_EQ(filesIn(rig.home.src()), (QStringList{"prog.LST", "prog.cod"}));
}

TEST(BuildRunner, MissingSourceFileAndNoSecondBuildWhileOneRuns) {
    Rig rig(editions::profileCorvane16());
    rig.source(kClean);
    BuildResult inner = BuildResult::Success;
    rig.surface.whileBusy = [&] { inner = rig.runner.run(); };
    QFile::remove(rig.state.SourcePath);
    EXPECT_EQ(rig.runner.run(), BuildResult::Failed);
    EXPECT_EQ(inner, BuildResult::NotStarted);
    EXPECT_EQ(rig.boxes(), QStringList{missingFileText(rig.state.SourcePath)});
    EXPECT_EQ(rig.surface.busy, (QStringList{"on", "off"}));
}
