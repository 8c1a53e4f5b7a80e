#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

// Runs mirovane-cli with the words of `line` as its arguments and collects its status and both outputs.
Outcome Cli(const std::string& line) {
    const std::string errPath = testing::TempDir() + "mirovane-cli-" + std::to_string(getpid()) + ".err";
    std::string command = "'" MIROVANE_CLI "'";
    std::istringstream words(line);
    for (std::string word; words >> word;) command += " '" + word + "'";  // no word holds a quote
    std::FILE* pipe = popen((command + " 2>'" + errPath + "'").c_str(), "r");
    Outcome run{};
    for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe)) run.out += static_cast<char>(c);
    run.status = WEXITSTATUS(pclose(pipe));
    std::getline(std::ifstream(errPath), run.err, '\0');
    std::remove(errPath.c_str());
    return run;
}

const std::string kWorkedBoard = " ...# ./.. .... ..o.";
const std::string kStepLimitBoard =
    R"( |/\/\/\- /..\./.\ \./\...| //../\// \.//\\/\ ///\\\// \./\///\ .\/\/\//)";

TEST(CliTest, LabelsAndTracesOfTheWorkedBoards) {
    const std::pair<std::string, std::string> cases[] = {
        {"labels" + kWorkedBoard,
         "0x0004 0x0003 0x0F04 0xF001 0xF001 0x0005 0x0004 0x0F02 0xF007 0x0F01 0x0005 0x0004 0x0F03 0x0004 "
         "0x0003 0xF007\n"},
        {"trace 1 .A.. .... ...B ....", "8\n1 -1\n1 0\n3 2\n3 3\n3 4\n-200 8\n"},
        {"trace 2" + kWorkedBoard, "-1\n2 -1\n2 0\n2 1\n2 2\n2 3\n"},     // absorbed: no exit entry
        {"trace 0 -... .... .... ....", "0\n0 -1\n0 0\n0 -1\n-200 0\n"},  // a row may start with a minus
    };
    for (const auto& [line, out] : cases) {
        const Outcome run = Cli(line);
        EXPECT_EQ(std::pair(run.status, run.out), std::pair(0, out)) << line << ": " << run.err;
    }
}

TEST(CliTest, ARayStoppedByTheStepLimitIsPrintedWithStatusOne) {
    const auto [status, out, err] = Cli("trace 17" + kStepLimitBoard);
    EXPECT_EQ(status, 1) << err;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 198) << "the result and entries 0 to 196, no exit";
    EXPECT_TRUE(out.starts_with("-998\n6 8\n") && out.ends_with("\n7 6\n7 7\n")) << out;
    const Outcome labels = Cli("labels" + kStepLimitBoard);
    EXPECT_EQ(labels.status, 1);
    EXPECT_NE(labels.out.find(" 0x00C4 "), std::string::npos) << labels.out;
}

TEST(CliTest, ASeedReproducesItsPuzzleWhoseLabelsMatchItsRows) {
    const auto [status, first, err] = Cli("generate --size 8 --items 13 --wormhole --seed 4294967295");
    ASSERT_EQ(status, 0) << err;
    EXPECT_EQ(Cli("generate --wormhole --seed 4294967295 --items 13 --size 8").out, first);
    std::string rows = first.substr(0, 72);  // eight rows of eight cells
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '.'), 64 - 15) << "13 items and the wormhole pair";
    std::replace(rows.begin(), rows.end(), '\n', ' ');
    EXPECT_EQ(Cli("labels " + rows).out, first.substr(72));

    const std::string options = "generate --size 5 --items 4 --no-reflect --no-absorb";
    const Outcome unseeded = Cli(options);
    ASSERT_TRUE(unseeded.err.starts_with("seed ")) << unseeded.err;  // the seed it drew
    const std::string seeded = Cli(options + " --" + unseeded.err).out;
    EXPECT_EQ(seeded, unseeded.out);
    EXPECT_EQ(seeded.find_first_not_of("./\\\n"), seeded.find("0x")) << "diagonal mirrors only";
}

TEST(CliTest, SolveCountsTheArrangementsAndShowsTheCellsTheyShare) {
    const std::pair<std::string, std::string> cases[] = {
        {"solve" + kWorkedBoard, "arrangements: 1\n...#\n./..\n....\n..o.\n"},
        {R"(solve \..\ .//. .... \../)", "arrangements: 2\n?..\\\n.//.\n..?.\n\\../\n"},
        // Total reflectors all round hide 36 cells: 2 094 264 900 ways to put eight mirrors there.
        {R"(solve ######## #/\/\..# #......# #......# #......# #......# #\/\/..# ########)",
         "arrangements: more than "
         "1000000\n########\n#??????#\n#??????#\n#??????#\n#??????#\n#??????#\n#??????#\n"
         "########\n"},
    };
    for (const auto& [line, out] : cases) {
        const Outcome run = Cli(line);
        EXPECT_EQ(std::pair(run.status, run.out), std::pair(0, out)) << line << ": " << run.err;
    }
}

TEST(CliTest, AUniquePuzzleHasOneArrangementAndLeavesPlainDealsAsTheyWere) {
    const std::string options = "generate --size 6 --items 9 --wormhole --seed 5";  // its first deal has two
    const auto [status, dealt, err] = Cli(options + " --unique");
    ASSERT_EQ(status, 0) << err;
    EXPECT_EQ(Cli(options + " --unique").out, dealt);
    const std::string first = Cli(options).out;
    EXPECT_NE(first, dealt);
    std::string firstRows = first.substr(0, 42);
    std::replace(firstRows.begin(), firstRows.end(), '\n', ' ');
    EXPECT_FALSE(Cli("solve " + firstRows).out.starts_with("arrangements: 1\n"));
    std::string rows = dealt.substr(0, 42);  // six rows of six cells
    std::replace(rows.begin(), rows.end(), '\n', ' ');
    EXPECT_EQ(Cli("solve " + rows).out, "arrangements: 1\n" + dealt.substr(0, 42));
    EXPECT_EQ(Cli("labels " + rows).out, dealt.substr(42));

    EXPECT_TRUE(Cli("generate --size 8 --items 13 --wormhole --seed 42")
                    .out.starts_with("\\.......\n.../../.\n........\n/.....A-\n./\\.....\n..-../..\n"))
        << "a seed deals the same puzzle without --unique";
}

TEST(CliTest, BadInputGetsOneLineOnStandardErrorAndStatusTwo) {
    const std::string cases[] = {"",
                                 "solve",
                                 "solve .... ...x .... ....",
                                 "solve .B.. .... .... ....",
                                 "labels .... ... .... ....",
                                 "labels ...x .... .... ....",
                                 "labels .A.. .... .... ....",
                                 "labels .A.. ..A. B... ....",
                                 "labels ... ... ...",
                                 "trace",
                                 "trace 16 .... .... .... ....",
                                 "trace -1 .... .... .... ....",
                                 "trace 1x .... .... .... ....",
                                 "generate --size 9 --items 5",
                                 "generate --size 4 --items 2",
                                 "generate --size 4 --items 14",
                                 "generate --size 4 --items 5 --fast",
                                 "generate --size 4 --items",
                                 "generate --size 4x --items 5",
                                 "generate --size 4 --items 5 --seed 4294967296",
                                 "generate --items 5"};
    for (const std::string& line : cases) {
        const auto [status, out, err] = Cli(line);
        EXPECT_EQ(std::pair(status, out), std::pair(2, std::string())) << line;
        EXPECT_TRUE(err.starts_with("mirovane-cli: ") && err.find('\n') == err.size() - 1)
            << line << ": " << err;
    }
}

}  // namespace
