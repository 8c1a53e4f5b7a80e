#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

struct Outcome {
    int status;
    std::string out, err;
};

std::string ReadAll(std::FILE* file) {
    std::string text;
    std::rewind(file);
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

// Runs mirovane-cli with the arguments, as a shell would pass them, and collects both outputs.
Outcome Cli(Args args) {
    std::FILE *out = std::tmpfile(), *err = std::tmpfile();
    args.insert(args.begin(), MIROVANE_CLI);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        dup2(fileno(out), 1);
        dup2(fileno(err), 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(out), ReadAll(err)};
}

Args Lines(const std::string& text) {
    Args lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

Args operator+(Args head, const Args& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

const Args kWorkedBoard = {"...#", "./..", "....", "..o."};
const Args kStepLimitBoard = {"|/\\/\\/\\-",  "/..\\./.\\",  "\\./\\...|",  "//../\\//",
                              "\\.//\\\\/\\", "///\\\\\\//", "\\./\\///\\", ".\\/\\/\\//"};

TEST(CliTest, LabelsAndTracesOfTheWorkedBoards) {
    const Outcome labels = Cli(Args{"labels"} + kWorkedBoard);
    EXPECT_EQ(labels.out,
              "0x0004 0x0003 0x0F04 0xF001 0xF001 0x0005 0x0004 0x0F02 0xF007 0x0F01 0x0005 0x0004 "
              "0x0F03 0x0004 0x0003 0xF007\n");
    EXPECT_EQ(labels.status, 0) << labels.err;
    EXPECT_EQ(Cli({"trace", "1", ".A..", "....", "...B", "...."}).out,
              "8\n1 -1\n1 0\n3 2\n3 3\n3 4\n-200 8\n");
    EXPECT_EQ(Cli(Args{"trace", "2"} + kWorkedBoard).out, "-1\n2 -1\n2 0\n2 1\n2 2\n2 3\n") << "absorbed";
    EXPECT_EQ(Cli({"trace", "0", "-...", "....", "....", "...."}).out, "0\n0 -1\n0 0\n0 -1\n-200 0\n")
        << "a row may start with a minus sign";
}

TEST(CliTest, ARayStoppedByTheStepLimitIsPrintedWithStatusOne) {
    const Outcome trace = Cli(Args{"trace", "17"} + kStepLimitBoard);
    EXPECT_EQ(trace.status, 1);
    const Args lines = Lines(trace.out);
    ASSERT_EQ(lines.size(), 198u) << "the result and path entries 0 to 196, no exit entry";
    EXPECT_EQ(lines[0] + " " + lines[1] + " " + lines[196], "-998 6 8 7 6");
    const Outcome labels = Cli(Args{"labels"} + kStepLimitBoard);
    EXPECT_EQ(labels.status, 1);
    EXPECT_NE(labels.out.find(" 0x00C4 "), std::string::npos) << labels.out;
}

TEST(CliTest, ASeedReproducesItsPuzzleWhoseLabelsMatchItsRows) {
    const Outcome first =
        Cli({"generate", "--size", "8", "--items", "13", "--wormhole", "--seed", "4294967295"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(Cli({"generate", "--wormhole", "--seed", "4294967295", "--items", "13", "--size", "8"}).out,
              first.out);
    Args rows = Lines(first.out);
    ASSERT_EQ(rows.size(), 9u);
    const std::string labels = rows.back();
    rows.pop_back();
    std::string cells;
    for (const std::string& row : rows) cells += row;
    EXPECT_EQ(64 - std::count(cells.begin(), cells.end(), '.'), 15) << "13 items and the wormhole pair";
    EXPECT_EQ(Cli(Args{"labels"} + rows).out, labels + "\n");

    const Args options = {"generate", "--size", "5", "--items", "4", "--no-reflect", "--no-absorb"};
    const Outcome unseeded = Cli(options);
    ASSERT_EQ(unseeded.err.rfind("seed ", 0), 0u) << unseeded.err;
    const Outcome again = Cli(options + Args{"--seed", unseeded.err.substr(5, unseeded.err.size() - 6)});
    EXPECT_EQ(again.out, unseeded.out);
    EXPECT_EQ(again.out.find_first_not_of("./\\\n"), again.out.find("0x")) << "diagonal mirrors only";
}

TEST(CliTest, BadInputGetsOneLineOnStandardErrorAndStatusTwo) {
    const Args four = {"....", "....", "....", "...."};
    const std::vector<Args> cases = {
        {},
        {"solve"},
        {"labels", "....", "...", "....", "...."},
        {"labels", "...x", "....", "....", "...."},
        {"labels", ".A..", "....", "....", "...."},
        {"labels", ".A..", "..A.", "B...", "...."},
        {"labels", "...", "...", "..."},
        {"trace"},
        Args{"trace", "16"} + four,
        Args{"trace", "-1"} + four,
        Args{"trace", "1x"} + four,
        {"generate", "--size", "9", "--items", "5"},
        {"generate", "--size", "4", "--items", "2"},
        {"generate", "--size", "4", "--items", "14"},
        {"generate", "--size", "4", "--items", "5", "--fast"},
        {"generate", "--size", "4", "--items"},
        {"generate", "--size", "4x", "--items", "5"},
        {"generate", "--size", "4", "--items", "5", "--seed", "4294967296"},
        {"generate", "--items", "5"},
    };
    for (const Args& args : cases) {
        const Outcome run = Cli(args);
        std::string shown;
        for (const std::string& arg : args) shown += " " + arg;
        EXPECT_EQ(run.status, 2) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << shown << ":\n" << run.err;
        EXPECT_EQ(run.err.rfind("mirovane-cli: ", 0), 0u) << shown << ":\n" << run.err;
    }
}

}  // namespace
