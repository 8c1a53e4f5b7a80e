// Random play: plays random sessions through the game's own entry points on the offscreen platform and
// checks the game record after every event against rules worked out here, not by the game's own code.
//
//   mirovane-soak [--seed S] [--events N]
//
// An event is one thing a player (or the world around the game) does: a tap anywhere on the client
// area or outside it, a double tap, a click or a key through Qt, a menu or tool-bar command with random
// answers to every question and random changes in the Options dialog, a timer tick, the settings file
// removed, damaged, replaced by a folder or a symbolic link or made unwritable, or a restart of the
// program. Before each event the injected clock moves on by a random amount, now and then up to the
// 32-bit wrap of the tick counter. Every choice comes from the seed, so `--seed S --events N` plays
// the same run again. The first broken rule prints the seed, the event number and the event, and the
// run exits with status 1; a clean run ends with one summary line.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWindow>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

#include "core/render/offscreen.h"
#include "core/settings/options_dialog.h"
#include "core/ui/command_bar.h"
#include "core/ui/game_flow.h"
#include "core/ui/input.h"
#include "model/game_state.h"
#include "model/kept_game.h"
#include "model/random.h"
#include "platform/qt/dialog_template.h"
#include "platform/qt/main_frame.h"
#include "platform/qt/services.h"
#include "seam/settings_file.h"

namespace fs = std::filesystem;

namespace {

// ---- The run's choices and clock ----------------------------------------------------------------

std::mt19937 chance;   // every choice of the run
std::mt19937 puzzles;  // the game's own random source

uint32_t Pick(uint32_t n) {
    return n == 0 ? 0 : chance() % n;
}
int Between(int low, int high) {
    return low + static_cast<int>(Pick(static_cast<uint32_t>(high - low + 1)));
}
bool OneIn(uint32_t n) {
    return Pick(n) == 0;
}

// Milliseconds since the run began, never wrapping; the game sees its low 32 bits.
uint64_t clock64 = 0;

// ---- An independent ray tracer ------------------------------------------------------------------
// Directions 0 up, 1 right, 2 down, 3 left; each item turns an entering direction into a leaving one.

constexpr int kDx[4] = {0, 1, 0, -1};
constexpr int kDy[4] = {-1, 0, 1, 0};
constexpr int kTurn[7][4] = {
    {0, 1, 2, 3},  // empty
    {1, 0, 3, 2},  // slash mirror
    {3, 2, 1, 0},  // backslash mirror
    {0, 3, 2, 1},  // vertical mirror: horizontal rays go back
    {2, 1, 0, 3},  // horizontal mirror: vertical rays go back
    {0, 1, 2, 3},  // absorber: the ray ends there
    {2, 3, 0, 1},  // total reflector
};
constexpr int kRayAbsorbed = -1;
constexpr int kRayTooLong = -2;

struct Ray {
    int end;  // exit port, kRayAbsorbed or kRayTooLong
    int count;
};

Ray Trace(const Board& board, int n, Point32 a, Point32 b, int port) {
    int x = 0;
    int y = 0;
    int d = 0;
    if (port < n) {
        x = port, y = -1, d = 2;
    } else if (port < 2 * n) {
        x = n, y = port - n, d = 3;
    } else if (port < 3 * n) {
        x = 3 * n - 1 - port, y = n, d = 0;
    } else {
        x = -1, y = 4 * n - 1 - port, d = 1;
    }
    int count = 0;
    // The game keeps 200 path entries, the exit's two included, and counts a jump as a step.
    for (int step = 1;; ++step) {
        if (step + 3 >= 200) return {kRayTooLong, count};
        x += kDx[d];
        y += kDy[d];
        if (y < 0) return {x, count};
        if (x >= n) return {n + y, count};
        if (y >= n) return {3 * n - 1 - x, count};
        if (x < 0) return {4 * n - 1 - y, count};
        ++count;
        const int item = board[x * 8 + y];
        if (item == Absorber) return {kRayAbsorbed, count};
        if (item >= SlashMirror && item <= TotalReflector) d = kTurn[item][d];
        if (item == WormholeA || item == WormholeB) {
            const Point32 to = item == WormholeA ? b : a;
            if (to.x < 0 || to.x >= n || to.y < 0 || to.y >= n) return {kRayTooLong, count};
            x = to.x, y = to.y;
            ++step, ++count;
        }
    }
}

// The labels of every port; `tooLong` tells whether a ray ran past the path's end.
PortLabels Labels(const Board& board, int n, bool& tooLong) {
    PortLabels labels{};
    tooLong = false;
    for (int port = 0; port < 4 * n; ++port) {
        const Ray ray = Trace(board, n, GameState.wormholeA, GameState.wormholeB, port);
        tooLong |= ray.end == kRayTooLong;
        const int kind = ray.end == port ? 0xF000 : ray.end == kRayAbsorbed ? 0x0F00 : 0;
        labels[port] = static_cast<EdgeLabel>(kind + ray.count);
    }
    return labels;
}

// ---- The settings file, read on its own -------------------------------------------------------

constexpr const char* kStoredNames[19] = {
    "version",    "langue",    "damier",      "items",      "useabsorbed", "usereflect", "useworm",
    "hint",       "player",    "bestscore",   "totalbad",   "totalscore",  "totalplay",  "totaltime",
    "bestscore2", "totalbad2", "totalscore2", "totalplay2", "totaltime2"};
using Stored = std::array<uint32_t, 19>;

Stored RecordValues() {
    const GameRecord& g = GameState;
    const auto u = [](int32_t v) { return static_cast<uint32_t>(v); };
    return {u(g.version),
            u(g.langue),
            u(g.damier),
            u(g.items),
            u(g.useabsorbed),
            u(g.usereflect),
            u(g.useworm),
            u(g.hint),
            static_cast<uint16_t>(g.player),
            u(g.stats1.bestscore),
            u(g.stats1.totalbad),
            u(g.stats1.totalscore),
            u(g.stats1.totalplay),
            u(g.stats1.totaltime),
            u(g.stats2.bestscore),
            u(g.stats2.totalbad),
            u(g.stats2.totalscore),
            u(g.stats2.totalplay),
            u(g.stats2.totaltime)};
}

// The nineteen values in the game's key, as the game writes them ("name"=dword:8 hex digits, and
// "player"=hex(4):two bytes); false when one is missing or written otherwise. The last copy counts.
bool ReadStore(const std::string& text, Stored& values) {
    std::array<bool, 19> found{};
    std::istringstream lines(text);
    bool inKey = false;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t first = line.find_first_not_of(" \t");
        const std::size_t last = line.find_last_not_of(" \t");
        if (first != std::string::npos && line[first] == '[') {
            std::string lower = line.substr(first, last - first + 1);
            for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            inKey = lower == "[hkey_current_user\\software\\kestory\\mirovane]";
            continue;
        }
        if (!inKey) continue;
        for (int i = 0; i < 19; ++i) {
            const std::string name = std::string("\"") + kStoredNames[i] + "\"=";
            if (!line.starts_with(name)) continue;
            const std::string data = line.substr(name.size());
            unsigned a = 0, b = 0;
            char end = 0;
            if (i == 8) {
                if (std::sscanf(data.c_str(), "hex(4):%2x,%2x%c", &a, &b, &end) != 2 || data.size() != 12)
                    break;
                values[i] = a | b << 8;
            } else {
                if (std::sscanf(data.c_str(), "dword:%8x%c", &a, &end) != 1 || data.size() != 14) break;
                values[i] = a;
            }
            found[i] = true;
        }
    }
    for (bool f : found) {
        if (!f) return false;
    }
    return true;
}

// What lies at the settings file's path: its kind and, for a file (through a link too), its bytes.
struct FileFacts {
    bool exists = false;
    bool link = false;
    bool folder = false;
    bool regular = false;
    std::string text;
    ino_t inode = 0;
    bool operator==(const FileFacts&) const = default;
};

FileFacts Look(const std::string& path) {
    FileFacts facts;
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return facts;
    facts.exists = true;
    facts.link = S_ISLNK(info.st_mode);
    if (stat(path.c_str(), &info) != 0) return facts;  // a dangling link
    facts.folder = S_ISDIR(info.st_mode);
    facts.regular = S_ISREG(info.st_mode);
    facts.inode = info.st_ino;
    if (facts.regular) {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        facts.text.resize(static_cast<std::size_t>(info.st_size));
        const ssize_t got = fd < 0 ? 0 : read(fd, facts.text.data(), facts.text.size());
        facts.text.resize(static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (fd >= 0) close(fd);
    }
    return facts;
}

// ---- The run ------------------------------------------------------------------------------------

struct Event {
    enum Kind { Tap, Pointer, Key, Timer, Command, File, Restart } kind = Tap;
    int command = 0;
    std::string text;  // what happened, for the report
};

class Soak {
  public:
    Soak(uint32_t seed, uint64_t events) : seed_(seed), events_(events) {}
    int Run();

  private:
    void Start();
    void Restart();
    void Settle();
    Event Play();
    void Advance();
    void Tap(Event& event);
    void Pointer(Event& event);
    void PressKey(Event& event);
    void RunCommand(Event& event);
    void Damage(Event& event);
    void Check(const Event& event);
    void Fail(const std::string& what);
    Answer AnswerBox(const AskedMessageBox& box);
    void ActOn(QDialog& dialog);
    bool ClockRuns() const;
    void WriteRaw(const std::string& text);
    void Unblock();

    uint32_t seed_;
    uint64_t events_;
    uint64_t number_ = 0;
    const Event* current_ = nullptr;
    std::string path_;
    std::string elsewhere_;  // a folder outside the settings folder, for link targets
    MainFrame* frame_ = nullptr;

    // What the event's handlers did besides the record.
    std::string answers_;
    int errorBoxes_ = 0;

    // The world as the last check left it.
    GameRecord before_{};
    FileFacts file_;
    bool damaged_ = false;            // the settings file holds bytes the game did not write
    bool blocked_ = false;            // nothing can be written
    bool keptUnderTitle_ = false;     // a restart found the game in progress again
    std::string keptText_;            // the kept game's file as the kill left it
    bool blockedSinceStart_ = false;  // writes failed at some time since the program started
    bool keptFresh_ = false;          // and had not, when it was killed
    uint32_t keptAtLeast_ = 0;        // the time a found game's clock may show: from its last shown time
    uint32_t keptAtMost_ = 0;         // less the few seconds between saves, up to the time at the kill
    bool linked_ = false;             // the settings path is a symbolic link the game must keep
    std::string complete_;            // the last text found complete
    bool restarted_ = false;
    uint64_t clockStart_ = 0;  // clock64 when the running game's clock started
    uint32_t shownBefore_ = 0;
};

// What a sanitizer's report or a deadly signal should name: the run and the event under way.
char lastWords[256] = "";

// The run may die while it holds the file-size limit of an "unwritable" settings file: lift it first,
// or a report to a file would be lost.
void LiftFileSizeLimit() {
    const rlimit open{RLIM_INFINITY, RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &open);
}

void SayLastWords() {
    LiftFileSizeLimit();
    const ssize_t ignored = write(STDOUT_FILENO, lastWords, std::strlen(lastWords));
    (void)ignored;
}

void DieOfSignal(int number) {
    SayLastWords();
    _exit(128 + number);
}

void Soak::Fail(const std::string& what) {
    LiftFileSizeLimit();
    std::printf(
        "soak: violation at event %llu of seed %u: %s\n  event: %s%s\n  replay: mirovane-soak --seed %u "
        "--events %llu\n",
        static_cast<unsigned long long>(number_), seed_, what.c_str(),
        current_ != nullptr ? current_->text.c_str() : "(start)", answers_.c_str(), seed_,
        static_cast<unsigned long long>(number_));
    std::fflush(stdout);
    std::_Exit(1);
}

bool Soak::ClockRuns() const {
    return GameState.titleStartTick == 0 && GameState.gamePhase == Playing && GameState.moveCount != 0;
}

Answer Soak::AnswerBox(const AskedMessageBox& box) {
    if (box.caption == "Error") ++errorBoxes_;
    const Answer answer = OneIn(3) ? Answer::Cancel : Answer::Ok;
    answers_ += answer == Answer::Ok ? " [OK]" : " [Cancel]";
    return answer;
}

// Options: a few random clicks on its buttons, then OK or Cancel. The rules: OK or Cancel.
void Soak::ActOn(QDialog& dialog) {
    if (FindControl(dialog, OptionsId::Reset) != nullptr) {  // the Options dialog
        std::vector<QAbstractButton*> buttons;
        for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
            const QString name = button->objectName();
            if (name.startsWith("control") && name != "control1" && name != "control2")
                buttons.push_back(button);
        }
        for (int clicks = Between(0, 4); clicks > 0 && !buttons.empty(); --clicks) {
            QAbstractButton* button = buttons[Pick(static_cast<uint32_t>(buttons.size()))];
            answers_ += " [" + button->objectName().toStdString() + "]";
            button->click();
        }
    }
    const bool ok = OneIn(2);
    answers_ += ok ? " [dialog OK]" : " [dialog Cancel]";
    ok ? dialog.accept() : dialog.reject();
}

// Lets Qt deliver what the event posted (repaints above all), but never its real timers: the timer
// ticks of the run are the soak's own, so that a seed plays the same run again.
void Soak::Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers);
}

void Soak::Start() {
    GameState = GameRecord{};
    frame_ = InitInstance();
    for (int i = 0; i < 1000 && !(frame_->windowHandle() && frame_->windowHandle()->isExposed()); ++i) {
        QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers);
    }
    Settle();
    restarted_ = true;
    blockedSinceStart_ = blocked_;
}

// The program ends, as at a kill, and starts again with a fresh game record.
void Soak::Restart() {
    delete frame_;
    frame_ = nullptr;
    ExitInstance();
    Start();
}

// Before every event the clock moves on: not at all, a little, a lot, or up to the 32-bit wrap.
void Soak::Advance() {
    uint64_t step = 0;
    const uint32_t kind = Pick(200);
    if (kind < 50) {
        step = 0;
    } else if (kind < 140) {
        step = Pick(200);
    } else if (kind < 180) {
        step = Pick(5000);
    } else if (kind < 194) {
        step = Pick(600000);
    } else if (kind < 198) {
        step = Pick(172800000);
    } else {
        // To tick 0 or just before it, and never back: standing 1 ms before the wrap already, the
        // clock goes on to tick 0.
        const uint64_t toWrap = (uint64_t{1} << 32) - (clock64 & 0xFFFFFFFFu);
        const uint64_t before = Pick(3);
        step = toWrap > before ? toWrap - before : toWrap;
    }
    // A game's own clock stays below 2^32 ms (49 days), past which its shown time wraps by design.
    if (ClockRuns() && clock64 + step - clockStart_ > (uint64_t{1} << 32) - 20000000) step = Pick(200);
    clock64 += step;
}

void Soak::Tap(Event& event) {
    const GameRecord& g = GameState;
    const int side = 20 * g.gridSize;
    int x = 0;
    int y = 0;
    switch (Pick(5)) {
        case 0:
        case 1:  // the board
            x = g.boardX + Pick(static_cast<uint32_t>(side)),
            y = g.boardY + Pick(static_cast<uint32_t>(side));
            break;
        case 2:  // the palette strip and a little around it
            x = g.paletteX + Between(-2, 22), y = g.paletteY + Between(-2, 262);
            break;
        case 3:  // the port bands and a little around them
            x = g.boardX + Between(-24, side + 25), y = g.boardY + Between(-24, side + 25);
            break;
        default:  // anywhere, outside the client area too
            x = Between(-50, kClientWidth + 50), y = Between(-50, kClientHeight + 50);
            break;
    }
    // The platform sends a quick second tap as a double tap.
    const bool twice = OneIn(5);
    event.text =
        (twice ? "double tap at (" : "tap at (") + std::to_string(x) + ", " + std::to_string(y) + ")";
    current_ = &event;
    OnLButtonDown(0, x, y);
    if (twice && TheMainFrame() != nullptr) OnLButtonDblClk(0, x, y);
}

// A click through Qt anywhere in the window's client widget, on its black margins too.
void Soak::Pointer(Event& event) {
    QWidget* client = frame_->Client();
    const QPointF at(Pick(static_cast<uint32_t>(client->width() + 1)),
                     Pick(static_cast<uint32_t>(client->height() + 1)));
    const bool twice = OneIn(4);
    event.text = std::string(twice ? "double click" : "click") + " through Qt at widget (" +
                 std::to_string(static_cast<int>(at.x())) + ", " + std::to_string(static_cast<int>(at.y())) +
                 ")";
    current_ = &event;
    const auto send = [&](QEvent::Type type) {
        QMouseEvent mouse(type, at, client->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(client, &mouse);
    };
    send(QEvent::MouseButtonPress);
    send(QEvent::MouseButtonRelease);
    if (twice && TheMainFrame() != nullptr) {
        send(QEvent::MouseButtonDblClick);
        send(QEvent::MouseButtonRelease);
    }
}

void Soak::PressKey(Event& event) {
    static constexpr int kKeys[] = {Qt::Key_Left,   Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Space,
                                    Qt::Key_Return, Qt::Key_1,     Qt::Key_2,  Qt::Key_5,    Qt::Key_9};
    const int key = kKeys[Pick(std::size(kKeys))];
    event.text = "key " + QKeySequence(key).toString().toStdString();
    current_ = &event;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(frame_->Client(), &press);
}

// A menu or tool-bar command, through the action that carries it.
void Soak::RunCommand(Event& event) {
    std::vector<QAction*> actions;
    for (QAction* action : frame_->findChildren<QAction*>()) {
        if (action->data().toInt() != 0) actions.push_back(action);
    }
    QAction* action = actions[Pick(static_cast<uint32_t>(actions.size()))];
    event.command = action->data().toInt();
    if (event.command == ID_APP_EXIT && !OneIn(3)) event.command = ID_TOOL_HINT;  // not too many ends
    for (QAction* a : actions) {
        if (a->data().toInt() == event.command) action = a;
    }
    event.text = "command " + std::to_string(event.command);
    current_ = &event;
    action->trigger();
    Settle();
    // An accepted Exit ends the program; the player starts it again.
    if (TheMainFrame() == nullptr || !frame_->isVisible()) {
        event.text += " (the program ended and starts again)";
        if (TheMainFrame() != nullptr) delete frame_;
        frame_ = nullptr;
        ExitInstance();
        Start();
    }
}

// Writes bytes at the settings path even while the game may write nothing.
void Soak::WriteRaw(const std::string& text) {
    const rlimit open{RLIM_INFINITY, RLIM_INFINITY};
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    setrlimit(RLIMIT_FSIZE, &open);
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << text;
    setrlimit(RLIMIT_FSIZE, &limit);
}

void Soak::Unblock() {
    chmod(fs::path(path_).parent_path().c_str(), 0700);
    chmod(path_.c_str(), 0600);
    LiftFileSizeLimit();
    blocked_ = false;
}

// Between events the world meddles with the settings file.
void Soak::Damage(Event& event) {
    std::error_code error;
    const FileFacts now = Look(path_);
    switch (Pick(8)) {
        case 0:
            event.text = "settings file removed";
            Unblock();
            fs::remove_all(path_, error);
            damaged_ = linked_ = false;
            break;
        case 1:
            if (!now.regular) return Damage(event);
            event.text = "settings file cut";
            WriteRaw(now.text.substr(0, Pick(static_cast<uint32_t>(now.text.size()))));
            damaged_ = true;
            break;
        case 2: {
            if (!now.regular || now.text.empty()) return Damage(event);
            event.text = "settings file damaged";
            std::string text = now.text;
            for (int i = Between(1, 8); i > 0; --i)
                text[Pick(static_cast<uint32_t>(text.size()))] = static_cast<char>(Pick(256));
            if (OneIn(2))
                text.insert(Pick(static_cast<uint32_t>(text.size())), "\"damier\"=hex(4):\\\n[\n\"");
            WriteRaw(text);
            damaged_ = true;
            break;
        }
        case 3: {
            if (now.folder) return Damage(event);
            event.text = "settings file replaced by random bytes";
            std::string text(Pick(3000), '\0');
            for (char& c : text)
                c = static_cast<char>(OneIn(3) ? Pick(256) : "\"=:,\\\n[]dwordhex(4)"[Pick(19)]);
            WriteRaw(text);
            damaged_ = true;
            break;
        }
        case 4:
            event.text = "settings file replaced by a folder";
            Unblock();
            fs::remove_all(path_, error);
            fs::create_directories(path_ + "/inside", error);
            damaged_ = linked_ = false;
            break;
        case 5:
            if (blocked_) return Damage(event);
            event.text = "settings made unwritable";
            chmod(path_.c_str(), 0400);
            chmod(fs::path(path_).parent_path().c_str(), 0500);
            if (geteuid() == 0) {  // the super-user writes anyway: a full disk instead
                const rlimit full{0, RLIM_INFINITY};
                setrlimit(RLIMIT_FSIZE, &full);
            }
            blocked_ = true;
            blockedSinceStart_ = true;
            break;
        case 6: {
            if (now.link || now.folder) return Damage(event);
            // A dotfile manager keeps the real file elsewhere and links to it.
            const bool relative = OneIn(2);
            const std::string target = elsewhere_ + "/Mirovane-" + std::to_string(number_) + ".reg";
            event.text = std::string("settings file made a ") + (relative ? "relative" : "absolute") +
                         " symbolic link" + (now.exists ? "" : " to no file yet");
            Unblock();
            fs::create_directories(fs::path(path_).parent_path(), error);
            if (now.exists) fs::rename(path_, target, error);
            const std::string to = relative ? "../elsewhere/" + fs::path(target).filename().string() : target;
            fs::create_symlink(to, path_, error);
            linked_ = true;
            break;
        }
        default:
            event.text = "settings writable again";
            Unblock();
            break;
    }
    current_ = &event;
}

Event Soak::Play() {
    Event event;
    Advance();
    const uint32_t kind = Pick(1000);
    answers_.clear();
    errorBoxes_ = 0;
    restarted_ = false;
    if (kind < 520) {
        event.kind = Event::Tap;
        Tap(event);
    } else if (kind < 560) {
        event.kind = Event::Pointer;
        Pointer(event);
    } else if (kind < 600) {
        event.kind = Event::Key;
        PressKey(event);
    } else if (kind < 800) {
        event.kind = Event::Timer;
        // The platform delivers ticks only while a timer runs.
        const bool running = frame_->TimerPeriod(1) != 0;
        event.text = running ? "timer tick" : "time passes";
        current_ = &event;
        if (running) OnTimer(1);
    } else if (kind < 975) {
        event.kind = Event::Command;
        RunCommand(event);
    } else if (kind < 997) {
        event.kind = Event::File;
        Damage(event);
    } else {
        event.kind = Event::Restart;
        event.text = "the program killed and started again";
        current_ = &event;
        keptText_ = Look(KeptGameFilePath()).text;
        keptFresh_ = !blockedSinceStart_;
        Restart();
    }
    event.text += " (clock " + std::to_string(static_cast<uint32_t>(clock64)) + ")";
    Settle();
    return event;
}

int CountOf(const Board& board, int n, int item) {
    int count = 0;
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) count += board[x * 8 + y] == item;
    }
    return count;
}

// The rules every event must leave standing.
void Soak::Check(const Event& event) {
    const GameRecord& g = GameState;
    const GameRecord& was = before_;
    const int n = g.gridSize;
    // The message is put together only for a rule that broke.
    const auto require = [&](bool holds, const auto&... parts) {
        if (holds) return;
        std::ostringstream what;
        ((what << parts), ...);
        Fail(what.str());
    };
    const bool title = g.titleStartTick != 0;
    const bool newGameMayStart =
        restarted_ || event.kind == Event::Restart ||
        (event.kind == Event::Command &&
         (event.command == ID_NEW_GAME || event.command == ID_TOOL_NEW_GAME || event.command == ID_LEARN ||
          event.command == ID_TOOL_LEARN || event.command == ID_OPTIONS || event.command == ID_TOOL_OPTIONS ||
          event.command == ID_EDIT_UNDO));
    const bool wasInProgress = was.titleStartTick == 0 && was.gamePhase == Playing && was.moveCount != 0;

    // A kill keeps the game in progress: the next start shows the game its file holds under the title
    // screen, board, palette, labels and all; without one (or with one it cannot read) a new deal. While
    // the file can be written, it holds the killed game itself.
    if (event.kind == Event::Restart) {
        keptUnderTitle_ = g.moveCount != 0;
        KeptGame kept;
        if (ReadKeptGame(keptText_, kept)) {
            PlayerSide side = kept.player;
            SettlePalette(side, kept.hiddenBoard, kept.gridSize);
            require(g.hiddenBoard == kept.hiddenBoard && g.playerBoard == side.playerBoard &&
                        g.moveCount == kept.moveCount && g.paletteSlot == kept.player.paletteSlot &&
                        g.shownPort == kept.shownPort && g.gridSize == kept.gridSize,
                    "a restart did not show the game its file keeps");
        } else {
            require(g.moveCount == 0, "a restart found a game its file does not keep");
        }
        // The kill left the killed game itself in its file (no write failed since the program started):
        // its clock goes on from its last shown time, less the few seconds between saves.
        if (wasInProgress && keptFresh_ && g.hiddenBoard == was.hiddenBoard &&
            g.playerBoard == was.playerBoard) {
            const uint32_t lastShown = was.lastTick - was.gameStartTick;
            keptAtLeast_ = lastShown > 5000 ? lastShown - 5000 : 0;
            keptAtMost_ = static_cast<uint32_t>(clock64) - was.gameStartTick;
        }
    }

    require(TheMainFrame() != nullptr && TheMainFrame() == frame_, "the main window is gone");
    require(n >= 4 && n <= 8 && g.damier >= 4 && g.damier <= 8, "a grid size out of range");
    require(g.items >= 3 && g.items <= 13 && g.itemCount >= 3 && g.itemCount <= 13,
            "an item count out of range");
    require(g.version == 26, "the settings version is not 26");
    require(g.gamePhase >= Playing && g.gamePhase <= Broken, "an unknown game phase");
    if (restarted_)
        require(title && g.gamePhase != Learning && g.gamePhase != Finished,
                "a new start shows no title screen");

    // The timer: 60 ms for the title screen, 100 ms while a game's clock runs, else none.
    const unsigned period = frame_->TimerPeriod(1);
    require(period == (title ? 60u : ClockRuns() ? 100u : 0u), "timer 1 runs every ", period, " ms");
    if (title)
        require(g.gamePhase == Playing && (g.moveCount == 0 || keptUnderTitle_),
                "a game moved under the title screen");

    // Boards: every cell outside the grid empty; the wormhole pair on both boards alike.
    bool tooLongHidden = false;
    bool tooLongPlayer = false;
    const PortLabels hiddenLabels = Labels(g.hiddenBoard, n, tooLongHidden);
    const PortLabels playerLabels = Labels(g.playerBoard, n, tooLongPlayer);
    const bool brokenAllowed = tooLongHidden || tooLongPlayer;
    for (int cell = 0; cell < 64; ++cell) {
        if (cell / 8 < n && cell % 8 < n) continue;
        require(g.hiddenBoard[cell] == 0 && g.playerBoard[cell] == 0, "a cell outside the grid is not empty");
    }
    if (g.gamePhase == Broken) {
        require(was.gamePhase == Broken || brokenAllowed, "the game broke though every ray ends");
    } else {
        require(errorBoxes_ == 0 || brokenAllowed, "an internal error was reported");
        int items = 0;
        std::array<int, 9> hidden{};
        std::array<int, 9> player{};
        for (int t = 0; t <= 8; ++t) {
            hidden[t] = CountOf(g.hiddenBoard, n, t);
            player[t] = CountOf(g.playerBoard, n, t);
            if (t >= SlashMirror && t <= TotalReflector) items += hidden[t];
        }
        require(hidden[0] + items + hidden[7] + hidden[8] == n * n, "the hidden board holds an unknown code");
        require(items == (g.gamePhase == Learning ? 12 : g.itemCount), "the hidden board holds ", items,
                " items");
        require(hidden[7] == hidden[8] && hidden[7] <= 1, "the wormhole ends do not come in a pair");
        if (hidden[7] == 1) {
            const Point32 a = g.wormholeA, b = g.wormholeB;
            require(g.hiddenBoard[a.x * 8 + a.y] == WormholeA && g.hiddenBoard[b.x * 8 + b.y] == WormholeB &&
                        g.playerBoard[a.x * 8 + a.y] == WormholeA &&
                        g.playerBoard[b.x * 8 + b.y] == WormholeB,
                    "the wormhole ends are not where the record says, on both boards");
        }
        if (hidden[7] == 0) {
            require(g.wormholeA == Point32{-1, -1} && g.wormholeB == Point32{-1, -1},
                    "the record names wormhole ends the board does not have");
        }
        require(player[7] == hidden[7] && player[8] == hidden[8],
                "the player's board gained or lost a wormhole end");
        int placed = 0;
        for (int t = SlashMirror; t <= TotalReflector; ++t) placed += player[t];
        require(placed + player[0] + player[7] + player[8] == n * n,
                "the player's board holds an unknown code");
        if (g.gamePhase == Learning) {
            require(g.playerBoard == g.hiddenBoard && g.placedCount == 10,
                    "the demonstration's boards differ");
        } else {
            require(g.placedCount == placed, "placedCount ", g.placedCount, " but ", placed,
                    " items on the board");
            require(placed <= g.itemCount, "more items placed than the puzzle hides");
        }
        require(g.hiddenLabels == hiddenLabels, "the hidden labels are not those of the hidden board");
        if (!title) require(g.playerLabels == playerLabels, "the player's labels are not those of the board");

        // The palette shows what is left to place while playing, the whole puzzle otherwise.
        if (!title) {
            int strip = 0;
            for (int t = SlashMirror; t <= TotalReflector; ++t) {
                const int left = hidden[t] - (g.gamePhase == Playing ? player[t] : 0);
                require(g.remaining[t] == left && left >= 0, "the palette offers ", g.remaining[t],
                        " of item ", t, " but ", left, " are left");
                strip += left;
            }
            // The demonstration keeps the selection of the game before it, which may lie one slot past
            // its own strip of 12 (nothing is framed there); the next game selects afresh.
            const int limit = g.gamePhase == Learning ? 13 : std::max(strip, 1);
            require(g.paletteSlot >= 0 && g.paletteSlot < limit, "paletteSlot ", g.paletteSlot,
                    " outside a strip of ", strip);
            int slot = g.paletteSlot;
            int16_t type = SlashMirror;
            while (type <= TotalReflector && slot >= g.remaining[type]) slot -= g.remaining[type++];
            if (g.paletteSlot < strip)
                require(g.selectedItem == type, "the selected item is not the one in its palette slot");
        }
    }

    // The game's phase follows the allowed transitions.
    const GamePhase from = was.gamePhase, to = g.gamePhase;
    if (from != to && !restarted_) {
        bool allowed = false;
        const int c = event.command;
        switch (event.kind) {
            case Event::Tap:
            case Event::Pointer:
            case Event::Key:
                allowed = from == Playing && to == Finished;  // the last item of a solution
                break;
            case Event::Command:
                allowed =
                    ((c == ID_SOLUTION || c == ID_TOOL_SOLUTION) && from == Playing && to == Finished) ||
                    ((c == ID_NEW_GAME || c == ID_TOOL_NEW_GAME) && (to == Playing || to == Broken)) ||
                    ((c == ID_LEARN || c == ID_TOOL_LEARN) && to == Learning) ||
                    (c == ID_EDIT_UNDO && to == Playing) ||  // a New Game or Learn rules taken back
                    ((c == ID_OPTIONS || c == ID_TOOL_OPTIONS) && to != Learning);
                break;
            default:
                break;
        }
        require(allowed, "the phase went from ", from, " to ", to);
    }

    // The puzzle stays what it was during a game.
    if (!newGameMayStart) {
        require(g.hiddenBoard == was.hiddenBoard && g.hiddenLabels == was.hiddenLabels &&
                    g.gridSize == was.gridSize && g.itemCount == was.itemCount &&
                    g.wormholeA == was.wormholeA && g.wormholeB == was.wormholeB,
                "the puzzle changed during a game");
    }

    // The clock: it shows while it runs, and never runs backwards or ahead of the time played.
    // Each help puts 30 s on the clock of a game in play.
    const bool helped = event.kind == Event::Command && g.gamePhase == Playing &&
                        (event.command == ID_HELP_CHECK || event.command == ID_HELP_SURE_CELL);
    const bool wasRunning = !restarted_ && was.titleStartTick == 0 && was.gamePhase == Playing &&
                            was.moveCount != 0 && g.hiddenBoard == was.hiddenBoard &&
                            g.gameStartTick == was.gameStartTick - (helped ? 30000u : 0u);
    const uint32_t shown = g.lastTick - g.gameStartTick;
    if (ClockRuns() || (wasRunning && g.gamePhase == Finished)) {
        require(g.gameStartTick != 0, "a game's clock runs but does not show");
        // A game brought back (after a kill, once its title ends, or by undoing a New Game) goes on
        // from its kept time; a kept time is at most a few seconds behind the killed game's clock.
        const bool broughtBack = (was.titleStartTick != 0 && keptUnderTitle_) ||
                                 (event.kind == Event::Command && event.command == ID_EDIT_UNDO);
        if (!wasRunning) clockStart_ = clock64 - (broughtBack ? shown : 0), shownBefore_ = 0;
        if (helped) clockStart_ -= 30000;
        if (!wasRunning && was.titleStartTick != 0 && keptUnderTitle_ && keptAtMost_ != 0)
            require(shown - (helped ? 30000u : 0u) >= keptAtLeast_ &&
                        shown - (helped ? 30000u : 0u) <= keptAtMost_ + 1,
                    "the kept clock shows ", shown, " ms, not ", keptAtLeast_, " to ", keptAtMost_,
                    " ms as the killed game did");
        const uint64_t played = clock64 - clockStart_;
        require(shown >= shownBefore_, "the clock went back from ", shownBefore_, " to ", shown, " ms");
        require(shown <= played + 1, "the clock shows ", shown, " ms of ", played, " ms played");
        shownBefore_ = shown;
    } else if (g.gamePhase == Finished && was.gamePhase == Finished && !newGameMayStart && !restarted_) {
        require(g.lastTick == was.lastTick && g.gameStartTick == was.gameStartTick,
                "a finished game's time moved");
    }

    // The settings file: kept in shape, and complete whenever it holds what the game wrote.
    const FileFacts now = Look(path_);
    Stored values{};
    if (linked_) require(now.link, "a save replaced the settings file's symbolic link");
    if (file_.folder && event.kind != Event::File)
        require(now.folder, "the folder in the settings file's place is gone");
    if (event.kind == Event::File) {
        // The soak's own doing, judged from the next event on.
    } else if (now.regular && (now.text != file_.text || now.inode != file_.inode)) {
        require(!blocked_, "the settings file changed though nothing can be written");
        require(ReadStore(now.text, values), "a save left a settings file without its nineteen values");
        require(values == RecordValues(), "a save wrote other values than the game's");
        damaged_ = false;
        complete_ = now.text;
    } else if (now.regular && !damaged_ && now.text != complete_) {
        require(ReadStore(now.text, values), "the settings file lost its nineteen values");
        complete_ = now.text;
    }
    if (!now.regular && file_.regular && event.kind != Event::File) Fail("the settings file vanished");
    // A game found again brings its own item options and hints (values 4 to 7) with it.
    const auto withKeptGame = [&](Stored expected) {
        const Stored record = RecordValues();
        if (keptUnderTitle_) std::copy(record.begin() + 4, record.begin() + 8, expected.begin() + 4);
        return expected;
    };
    if (restarted_ && now.regular && !damaged_) {
        require(ReadStore(now.text, values) && withKeptGame(values) == RecordValues(),
                "a new start did not load the settings file");
    } else if (restarted_ && !now.regular) {
        Stored defaults{26, 0, 5, 4, 1, 1, 0, 1, 0};
        require(RecordValues() == withKeptGame(defaults),
                "a start without a settings file did not use the defaults");
    }
    file_ = now;
    before_ = g;
    if (!title) {
        keptUnderTitle_ = false;
        keptAtLeast_ = keptAtMost_ = 0;
    }
}

int Soak::Run() {
    std::printf("soak: seed %u, %llu events\n", seed_, static_cast<unsigned long long>(events_));
    std::fflush(stdout);
    chance.seed(seed_);
    puzzles.seed(seed_ ^ 0x5eed5eedu);
    clock64 = (uint64_t{1} << 32) - 20000 + Pick(40000);  // close to the first wrap

    QTemporaryDir folder;
    if (!folder.isValid()) return 2;
    qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
    qputenv("XDG_STATE_HOME", folder.path().toUtf8());
    path_ = SettingsFilePath();
    elsewhere_ = folder.path().toStdString() + "/elsewhere";
    fs::create_directories(elsewhere_);

    SetTickSource([] { return static_cast<uint32_t>(clock64); });
    SetRandomSource([](void*) { return static_cast<uint32_t>(puzzles()); }, nullptr);
    SetMessageBoxAnswers([this](const AskedMessageBox& box) { return AnswerBox(box); });
    SetDialogActions([this](QDialog& dialog) { ActOn(dialog); });
    QApplication::setQuitOnLastWindowClosed(false);

    Start();
    Event start;
    start.kind = Event::Restart;
    start.text = "start";
    current_ = &start;
    Check(start);

    const auto began = std::chrono::steady_clock::now();
    for (number_ = 1; number_ <= events_; ++number_) {
        std::snprintf(lastWords, sizeof lastWords,
                      "soak: the program died at event %llu of seed %u\n  replay: mirovane-soak --seed %u "
                      "--events %llu\n",
                      static_cast<unsigned long long>(number_), seed_, seed_,
                      static_cast<unsigned long long>(number_));
        const Event event = Play();
        current_ = &event;
        Check(event);
        current_ = nullptr;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

    Unblock();
    delete frame_;
    ExitInstance();
    SetTickSource({});
    SetRandomSource(nullptr, nullptr);
    SetMessageBoxAnswers({});
    SetDialogActions({});
    std::printf("soak: %llu events in %.1f s, %.0f events/s, 0 violations\n",
                static_cast<unsigned long long>(events_), seconds,
                static_cast<double>(events_) / std::max(seconds, 1e-9));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "1");
    uint32_t seed = std::random_device{}();
    uint64_t events = 20000;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        char* end = nullptr;
        if ((arg == "--seed" || arg == "--events") && i + 1 < argc) {
            const unsigned long long value = std::strtoull(argv[++i], &end, 10);
            if (*end != '\0' || (arg == "--seed" && value > UINT32_MAX)) {
                std::fprintf(stderr, "mirovane-soak: %s needs a number, not %s\n", arg.c_str(), argv[i]);
                return 2;
            }
            if (arg == "--seed") {
                seed = static_cast<uint32_t>(value);
            } else {
                events = value;
            }
        } else {
            std::fprintf(stderr, "usage: mirovane-soak [--seed S] [--events N]\n");
            return 2;
        }
    }
    // A game that lets a file-size limit kill it dies here with the run's name on its lips; the game
    // itself ignores the signal once it has looked for its settings.
    std::signal(SIGXFSZ, DieOfSignal);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(SayLastWords);
#endif
    // The offscreen platform's remarks about window hints would drown the report.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && !message.contains("propagateSizeHints")) {
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        }
    });
    QApplication app(argc, argv);
    Soak soak(seed, events);
    return soak.Run();
}
