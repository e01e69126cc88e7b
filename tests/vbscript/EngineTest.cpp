// The engine's public face under hostile input: every bad script ends with a clear error, no
// crash, and no run outlives its deadline by more than 50 ms.
#include "ScriptHarness.h"

#include "vbscript/Coerce.h"
#include "vbscript/HostObject.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

struct RunawayCase {
    const char *name;
    const char *script;
};

class Runaway : public ::testing::TestWithParam<RunawayCase> {};

// Loops and recursion that never end on their own are stopped by the deadline.
TEST_P(Runaway, StopsSoonAfterTheDeadline)
{
    const int timeoutMs = 300;
    const ScriptRun run = runScript(QString::fromUtf8(GetParam().script), QString(), timeoutMs);
    ASSERT_FALSE(run.ok);
    EXPECT_EQ(run.failure.number, vbs::Err::Timeout);
    EXPECT_TRUE(run.failure.description.startsWith(QStringLiteral("脚本运行超时 (第 ")))
        << run.failure.description.toStdString();
    EXPECT_GE(run.elapsedMs, timeoutMs - 5);
    EXPECT_LT(run.elapsedMs, timeoutMs + 50);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, Runaway,
    ::testing::Values(
        RunawayCase{"EmptyDoLoop", "Do\r\nLoop"},
        RunawayCase{"WhileTrue", "x = 0\r\nWhile True\r\n  x = x + 1\r\nWend"},
        RunawayCase{"ForWithZeroStep", "For i = 1 To 2 Step 0\r\nNext"},
        RunawayCase{"EmptyForLoop", "For i = 1 To 2000000000\r\nNext"},
        RunawayCase{"ForAroundAnEmptyFor", "For i = 1 To 2000000000\r\nFor j = 1 To 0\r\nNext\r\nNext"},
        RunawayCase{"LoopResumingErrors", "On Error Resume Next\r\nDo\r\n  x = 1 / 0\r\nLoop"},
        RunawayCase{"RecursionInsideLoops",
                    "Sub R(n)\r\n  If n < 50 Then R n + 1\r\nEnd Sub\r\nDo\r\n  R 0\r\nLoop"},
        RunawayCase{"StringWorkInLoop",
                    "s = String(10000, \"a\")\r\nDo\r\n  t = Replace(s, \"a\", \"b\")\r\nLoop"},
        RunawayCase{"LoopInsideHandledError",
                    "On Error Resume Next\r\nSub Spin()\r\n  Do\r\n  Loop\r\nEnd Sub\r\nSpin\r\nout.Echo 1"}),
    [](const ::testing::TestParamInfo<RunawayCase> &info) { return std::string(info.param.name); });

// Work that grows with its input inside one statement: a loop of them ends at the deadline
// too, although each statement alone takes tens of milliseconds.
class HeavyStatements : public ::testing::TestWithParam<RunawayCase> {};

TEST_P(HeavyStatements, EndSoonAfterTheDeadline)
{
    const int timeoutMs = 150;
    const ScriptRun run = runScript(QString::fromUtf8(GetParam().script), QString(), timeoutMs);
    ASSERT_FALSE(run.ok);
    EXPECT_EQ(run.failure.number, vbs::Err::Timeout) << run.failure.description.toStdString();
    EXPECT_LT(run.elapsedMs, timeoutMs + 50);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, HeavyStatements,
    ::testing::Values(
        RunawayCase{"UpperCase", "s = String(10000000, \"a\"): Do: x = UCase(s): Loop"},
        RunawayCase{"LowerCase", "s = String(10000000, \"A\"): Do: x = LCase(s): Loop"},
        RunawayCase{"CopyOnWrite", "Dim a(3999999)\r\nDo: b = a: b(0) = 1: Loop"},
        RunawayCase{"CaseBlindSearch",
                    "s = String(30000000, \"a\")\r\nDo: x = InStr(1, s, \"b\", 1): Loop"},
        RunawayCase{"SearchBackwards", "s = String(30000000, \"a\")\r\nDo: x = InStrRev(s, \"ab\"): Loop"},
        RunawayCase{"Reverse", "s = String(20000000, \"a\")\r\nDo: x = StrReverse(s): Loop"},
        RunawayCase{"Fill", "Do: x = Space(60000000): Loop"},
        RunawayCase{"SliceOfSharedText", "s = String(60000000, \"a\")\r\nDo: x = Mid(s, 2): Loop"},
        RunawayCase{"ConcatenateLong", "s = String(30000000, \"a\")\r\nDo: x = s & s: Loop"},
        RunawayCase{"ReplaceOneHit", "s = String(30000000, \"a\")\r\nDo: x = Replace(s, \"ab\", \"c\"): Loop"},
        RunawayCase{"RedimPreserve", "Dim a()\r\nDo: ReDim Preserve a(3999999): ReDim a(0): Loop"}),
    [](const ::testing::TestParamInfo<RunawayCase> &info) { return std::string(info.param.name); });

// What would pass the memory budget is refused before it is allocated: the run fails with 7
// and the resident memory it added stays within the budget (plus the slack of small allocations made
// between two looks at the memory in use).
class AskedBeforeAllocating : public ::testing::TestWithParam<RunawayCase> {};

TEST_P(AskedBeforeAllocating, RaisesOutOfMemoryWithinTheBudget)
{
    constexpr int kBudgetMb = 32;
    const ScriptRun run = runScript(QString::fromUtf8(GetParam().script), QString(), 20000, kBudgetMb);
    // The memory in use counts what the process holds: memory an earlier test freed may be
    // reused without adding to it, so a run may also end well.
    if (!run.ok)
        EXPECT_EQ(run.failure.number, vbs::Err::OutOfMemory) << run.failure.description.toStdString();
    if (run.peakAddedBytes < 0)
        GTEST_SKIP() << "the system keeps no mark of the most memory held";
    EXPECT_LE(run.peakAddedBytes, (kBudgetMb + 16) * 1024LL * 1024);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, AskedBeforeAllocating,
    ::testing::Values(
        RunawayCase{"LargeArray", "ReDim a(3999999)"},
        RunawayCase{"CopyOnWrite", "Dim a(999999)\r\nb = a: b(0) = 1: c = a: c(0) = 1"},
        RunawayCase{"LongFill", "s = String(60000000, \"a\")"},
        RunawayCase{"DoubledText", "s = Space(1000000)\r\nFor i = 1 To 10: s = s & s: Next"},
        RunawayCase{"UpperCaseOfLong", "s = Space(15000000)\r\nt = UCase(s)"},
        RunawayCase{"ReplaceGrowing", "t = Replace(String(8000000, \"a\"), \"a\", \"bbb\")"},
        RunawayCase{"SplitMany", "a = Split(String(3000000, \",\"), \",\")"},
        RunawayCase{"JoinLong", "Dim a(99)\r\ns = String(1000000, \"x\")\r\n"
                                "For i = 0 To 99: a(i) = s: Next\r\nt = Join(a)"},
        RunawayCase{"DictionaryGrowth",
                    "Set d = CreateObject(\"Scripting.Dictionary\")\r\nFor i = 1 To 4000000: d.Add i, i: Next"},
        RunawayCase{"PreservedGrowth", "Do: n = n + 200000: ReDim Preserve a(n): Loop"}),
    [](const ::testing::TestParamInfo<RunawayCase> &info) { return std::string(info.param.name); });

TEST(Deadline, ReportsTheLineThatWasRunning)
{
    const ScriptRun run = runScript(QStringLiteral("x = 1\r\nDo\r\n  x = x + 1\r\nLoop"), QString(), 50);
    ASSERT_FALSE(run.ok);
    EXPECT_EQ(run.failure.line, 3);
    EXPECT_EQ(run.failure.description, QStringLiteral("脚本运行超时 (第 3 行)"));
}

TEST(Deadline, AnAlreadyExpiredDeadlineStillRunsNothingForever)
{
    vbs::Engine engine;
    EXPECT_FALSE(engine.run(QStringLiteral("Do\r\nLoop"), QDeadlineTimer(0)));
    EXPECT_EQ(engine.failure().number, vbs::Err::Timeout);
}

// A host that says stop ends the run with Err::Stopped wherever the script spends its time:
// in its own loops, inside a long built-in, in a Class_Terminate or under On Error Resume Next.
class StoppedByHost : public ::testing::TestWithParam<RunawayCase> {};

TEST_P(StoppedByHost, EndsWithTheStopError)
{
    int asked = 0;
    vbs::Engine engine;
    engine.setKeepGoing([&asked] { return ++asked < 3; });
    QElapsedTimer clock;
    clock.start();
    ASSERT_FALSE(engine.run(QString::fromUtf8(GetParam().script), QDeadlineTimer(60000)));
    EXPECT_EQ(engine.failure().number, vbs::Err::Stopped);
    EXPECT_TRUE(engine.failure().description.startsWith(QStringLiteral("脚本已被中止")))
        << engine.failure().description.toStdString();
    EXPECT_EQ(asked, 3); // asked until it said no, and not after
    EXPECT_LT(clock.elapsed(), 10000); // far sooner than the deadline
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, StoppedByHost,
    ::testing::Values(
        RunawayCase{"EmptyDoLoop", "Do\r\nLoop"},
        RunawayCase{"LongBuiltIn", "Do: s = Replace(String(15000000, \".\"), \".\", \"x=1:\"): Loop"},
        RunawayCase{"LoopResumingErrors", "On Error Resume Next\r\nDo\r\n  x = 1 / 0\r\nLoop"},
        RunawayCase{"LoopInTerminate",
                    "Class T\r\nSub Class_Terminate\r\nDo: Loop\r\nEnd Sub\r\nEnd Class\r\n"
                    "Set x = New T\r\nSet x = Nothing"}),
    [](const ::testing::TestParamInfo<RunawayCase> &info) { return std::string(info.param.name); });

TEST(StoppedByHost, AHostThatSaysGoOnChangesNothing)
{
    int asked = 0;
    vbs::Engine engine;
    engine.setKeepGoing([&asked] { return ++asked > 0; });
    ASSERT_TRUE(engine.run(QStringLiteral("For i = 1 To 300000: x = x + i: Next")));
    EXPECT_GE(asked, 1);
}

struct BadInputCase {
    const char *name;
    QString script;
    int number; // expected error number
};

class BadInput : public ::testing::TestWithParam<BadInputCase> {};

TEST_P(BadInput, FailsWithAClearError)
{
    const ScriptRun run = runScript(GetParam().script, QString(), 5000);
    ASSERT_FALSE(run.ok);
    EXPECT_EQ(run.failure.number, GetParam().number) << run.failure.description.toStdString();
    EXPECT_TRUE(run.failure.description.contains(QStringLiteral(" (第 ")));
    EXPECT_GE(run.failure.line, 1);
}

QString repeated(const QString &piece, int n)
{
    QString s;
    s.reserve(piece.size() * n);
    for (int i = 0; i < n; ++i)
        s += piece;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, BadInput,
    ::testing::Values(
        BadInputCase{"HundredThousandNestedIfs",
                     repeated(QStringLiteral("If True Then\r\n"), 100000)
                         + repeated(QStringLiteral("End If\r\n"), 100000),
                     vbs::Err::OutOfStack},
        BadInputCase{"DeeplyNestedParentheses",
                     QStringLiteral("x = ") + repeated(QStringLiteral("("), 100000) + QStringLiteral("1")
                         + repeated(QStringLiteral(")"), 100000),
                     vbs::Err::OutOfStack},
        BadInputCase{"LongChainOfOperators",
                     QStringLiteral("x = 1") + repeated(QStringLiteral(" + 1"), 100000),
                     vbs::Err::OutOfStack},
        BadInputCase{"ManyUnaryMinus", QStringLiteral("x = ") + repeated(QStringLiteral("- "), 100000) + "1",
                     vbs::Err::OutOfStack},
        BadInputCase{"NestedCalls",
                     QStringLiteral("x = ") + repeated(QStringLiteral("Abs("), 50000) + "1"
                         + repeated(QStringLiteral(")"), 50000),
                     vbs::Err::OutOfStack},
        BadInputCase{"UnterminatedStringOnLastLine", QStringLiteral("x = 1\r\ny = \"abc"),
                     vbs::Err::UnterminatedString},
        BadInputCase{"RecursionWithoutEnd", QStringLiteral("Sub R()\r\n  R\r\nEnd Sub\r\nR"),
                     vbs::Err::OutOfStack},
        BadInputCase{"DeepRecursionThroughNestedBlocks",
                     QStringLiteral("Function F(n)\r\n") + repeated(QStringLiteral("If True Then\r\n"), 90)
                         + QStringLiteral("F = F(n + 1) + 1\r\n")
                         + repeated(QStringLiteral("End If\r\n"), 90) + QStringLiteral("End Function\r\nx = F(0)"),
                     vbs::Err::OutOfStack},
        BadInputCase{"HugeReDim", QStringLiteral("ReDim a(2000000000)"), vbs::Err::OutOfMemory},
        BadInputCase{"HugeMultiDimensionalDim", QStringLiteral("Dim a(40000, 40000)"), vbs::Err::OutOfMemory},
        BadInputCase{"HugeString", QStringLiteral("s = Space(2000000000)"), vbs::Err::OutOfMemory}),
    [](const ::testing::TestParamInfo<BadInputCase> &info) { return std::string(info.param.name); });

TEST(HostileText, RandomBytesNeverCrash)
{
    QRandomGenerator rng(12345);
    for (int round = 0; round < 300; ++round) {
        QString text;
        const int len = int(rng.bounded(1, 400));
        for (int i = 0; i < len; ++i) {
            // Mostly the characters scripts are made of, with some arbitrary code units.
            static const QString alphabet = QStringLiteral(
                "abcdefxyzIfThenEndSubDoLoopFor=()+-*/\\^&<>,.:'\"_#[] \r\n0123456789中");
            text += rng.bounded(10) == 0 ? QChar(char16_t(rng.bounded(1, 0xD7FF)))
                                         : alphabet[int(rng.bounded(alphabet.size()))];
        }
        const ScriptRun run = runScript(text, QString(), 200);
        if (!run.ok) {
            EXPECT_FALSE(run.failure.description.isEmpty());
            EXPECT_GE(run.failure.line, 0);
        }
    }
}

TEST(HostileText, TenMegabyteScriptRuns)
{
    QString script = repeated(QStringLiteral("x = x + 1 ' padding padding padding padding\r\n"), 240000);
    ASSERT_GT(script.size(), 10'000'000);
    script += QStringLiteral("out.Echo x\r\n");
    const ScriptRun run = runScript(script, QString(), 60000);
    ASSERT_TRUE(run.ok) << run.failure.description.toStdString();
    EXPECT_EQ(run.echoed, QStringList{QStringLiteral("240000")});
}

TEST(HostileText, ParsingAHugeScriptRespectsTheDeadline)
{
    const QString script = repeated(QStringLiteral("x = 1\r\n"), 3'000'000);
    const ScriptRun run = runScript(script, QString(), 100);
    ASSERT_FALSE(run.ok);
    EXPECT_EQ(run.failure.number, vbs::Err::Timeout);
    EXPECT_LT(run.elapsedMs, 150);
}

TEST(HostileText, SyntaxErrorInTenMegabytesIsFoundBeforeRunning)
{
    QString script = QStringLiteral("out.Echo \"ran\"\r\n")
                     + repeated(QStringLiteral("x = 1\r\n"), 1'500'000) + QStringLiteral("x = (\r\n");
    const ScriptRun run = runScript(script, QString(), 60000);
    ASSERT_FALSE(run.ok);
    EXPECT_TRUE(run.echoed.isEmpty());
    EXPECT_EQ(run.failure.number, vbs::Err::Syntax);
    EXPECT_EQ(run.failure.line, 1'500'002);
}

// The public API as the command line and the import dialog use it.
TEST(EngineApi, HostObjectMembersAndErrors)
{
    auto host = std::make_shared<vbs::HostObject>(QStringLiteral("Thing"));
    QString stored = QStringLiteral("start");
    host->addProperty(
        QStringLiteral("Text"), [&] { return vbs::Value::string(stored); },
        [&](const vbs::Value &v) { stored = vbs::toStr(v); });
    host->addProperty(QStringLiteral("ReadOnly"), [] { return vbs::Value::longValue(7); });
    host->addMethod(QStringLiteral("Twice"), 1, 1, [](const std::vector<vbs::Value> &a) {
        return vbs::Value::longValue(2 * vbs::toLong(a[0]));
    });

    vbs::Engine engine;
    engine.addObject(QStringLiteral("Thing"), host);
    ASSERT_TRUE(engine.run(QStringLiteral("thing.text = thing.Text & \"+\" & THING.Twice(thing.ReadOnly)")));
    EXPECT_EQ(stored, QStringLiteral("start+14"));

    EXPECT_FALSE(engine.run(QStringLiteral("x = 1\r\nthing.ReadOnly = 3")));
    EXPECT_EQ(engine.failure().number, 438);
    EXPECT_EQ(engine.failure().line, 2);
    EXPECT_EQ(engine.failure().description,
              QStringLiteral("对象不支持此属性或方法: 'thing.ReadOnly' (第 2 行)"));

    EXPECT_FALSE(engine.run(QStringLiteral("x = Thing.Twice(1, 2)")));
    EXPECT_EQ(engine.failure().number, 450);

    EXPECT_TRUE(engine.compile(QStringLiteral("If x Then y = 1")));
    EXPECT_FALSE(engine.compile(QStringLiteral("If x Then\r\ny = 1")));
    EXPECT_EQ(engine.failure().number, vbs::Err::ExpectedEnd);
}

TEST(EngineApi, EachRunStartsFresh)
{
    vbs::Engine engine;
    ASSERT_TRUE(engine.run(QStringLiteral("x = 5")));
    const ScriptRun run = runScript(QStringLiteral("out.Echo IsEmpty(x)"));
    EXPECT_EQ(run.echoed, QStringList{QStringLiteral("True")});
    EXPECT_TRUE(engine.run(QStringLiteral("If Not IsEmpty(x) Then Err.Raise 5")));
}

} // namespace

namespace {

// Objects that hold each other live on after the script's last reference; the end of the run
// frees them, without Class_Terminate.
TEST(Sandbox, FreesObjectsInReferenceCyclesWhenTheRunEnds)
{
    std::vector<std::weak_ptr<vbs::ScriptObject>> watched;
    int terminated = 0;
    auto probe = std::make_shared<vbs::HostObject>(QStringLiteral("Probe"));
    probe->addMethod(QStringLiteral("Watch"), 1, 1, [&](const std::vector<vbs::Value> &a) {
        watched.push_back(a[0].asObject());
        return vbs::Value();
    });
    probe->addMethod(QStringLiteral("Terminated"), 0, 0, [&](const std::vector<vbs::Value> &) {
        ++terminated;
        return vbs::Value();
    });
    vbs::Engine engine;
    engine.addObject(QStringLiteral("probe"), probe);
    const bool ok = engine.run(QStringLiteral(
        "Class Node\r\n"
        "    Public other, me2\r\n"
        "    Private Sub Class_Terminate\r\n"
        "        probe.Terminated\r\n"
        "    End Sub\r\n"
        "End Class\r\n"
        "Set a = New Node : Set b = New Node : Set a.other = b : Set b.other = a\r\n"
        "Set c = New Node : Set c.me2 = c\r\n"
        "Set d = CreateObject(\"Scripting.Dictionary\") : d.Add \"self\", d\r\n"
        "Set e = CreateObject(\"Scripting.Dictionary\") : Set f = New Node\r\n"
        "e.Add \"f\", f : Set f.other = e\r\n"
        "probe.Watch a : probe.Watch b : probe.Watch c : probe.Watch d : probe.Watch e : probe.Watch f\r\n"
        "Set a = Nothing : Set b = Nothing : Set c = Nothing : Set d = Nothing\r\n"
        "Set e = Nothing : Set f = Nothing\r\n"));
    ASSERT_TRUE(ok) << engine.failure().description.toStdString();
    ASSERT_EQ(watched.size(), 6u);
    for (size_t i = 0; i < watched.size(); ++i)
        EXPECT_TRUE(watched[i].expired()) << "object " << i;
    EXPECT_EQ(terminated, 0);
}

// Objects released while the script runs still run their Class_Terminate at once.
TEST(Sandbox, ObjectsOutsideCyclesStillTerminateWhenReleased)
{
    const ScriptRun run = runScript(QStringLiteral(
        "Class Node\r\n"
        "    Private Sub Class_Terminate\r\n"
        "        out.Echo \"bye\"\r\n"
        "    End Sub\r\n"
        "End Class\r\n"
        "Set a = New Node\r\n"
        "Set a = Nothing\r\n"
        "out.Echo \"after\"\r\n"));
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(run.echoed, QStringList({QStringLiteral("bye"), QStringLiteral("after")}));
}

} // namespace
