#include "ui/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QTimerEvent>
#include <QToolBar>

#include "model/game_state.h"
#include "platform/drawing.h"
#include "platform/services.h"
#include "render/offscreen.h"
#include "render/paint.h"
#include "settings/settings.h"
#include "title/title_screen.h"
#include "ui/command_bar.h"
#include "ui/game_flow.h"

namespace {

MainFrame* mainFrame = nullptr;

// The popup "Menu", by position; the labels are put in place by UpdateMenuLabels.
struct MenuItem {
    int id;
    const char* label;
    QKeySequence::StandardKey key;
};
constexpr MenuItem kMenuItems[] = {
    {ID_NEW_GAME, "New Game", QKeySequence::New},
    {ID_SOLUTION, "Show solution", QKeySequence::UnknownKey},
    {ID_LEARN, "Learn rules", QKeySequence::UnknownKey},
    {ID_OPTIONS, "Options", QKeySequence::Preferences},
    {ID_ABOUT, "About", QKeySequence::UnknownKey},
    {ID_APP_EXIT, "Exit", QKeySequence::Quit},
};

// The tool bar: pictures cut left to right from bitmap 128, a separator after the second button.
constexpr int kToolButtons[] = {ID_TOOL_LEARN, ID_TOOL_OPTIONS, ID_TOOL_NEW_GAME, ID_TOOL_SOLUTION,
                                ID_TOOL_HINT};
constexpr int kToolPictureWidth = 16;
constexpr int kToolPictureHeight = 15;
constexpr int kToolBarBitmap = 128;

}  // namespace

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
    setFixedSize(kClientWidth, kClientHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);  // the buffer covers every pixel
}

void ClientArea::paintEvent(QPaintEvent* event) {
    pending_ -= event->region();
    Paint(event->rect());
    if (!Offscreen.exists) return;

    QPainter painter(this);
    painter.drawImage(event->rect(), Offscreen.bufferDC.Image(), event->rect());
    painter.end();

    // The title screen's first frame draws nothing; the handheld asked again at once because the
    // window stayed invalid, so ask again here.
    if (GameState.titleStartTick != 0 && GameState.titleFrame < 2) InvalidateClient();
}

void ClientArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    OnLButtonDown(0, at.x(), at.y());
}

void ClientArea::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    OnLButtonDblClk(0, at.x(), at.y());
}

MainFrame::MainFrame() {
    mainFrame = this;
    SetAppMainWindow(this);

    client_ = new ClientArea(this);
    setCentralWidget(client_);
    CreateCommandBar();
    setWindowIcon(QIcon(QStringLiteral(":/mirovane/icon.png")));

    InitSettings();

    // The title screen greets the player while the first game waits underneath.
    GameState.titleFrame = 0;
    GameState.titleStartTick = GetTickCount();
    GameState.timerId = SetTimer(1, 60);
}

MainFrame::~MainFrame() {
    for (const auto& [id, timer] : timers_) killTimer(timer.qtId);
    if (mainFrame == this) {
        mainFrame = nullptr;
        SetAppMainWindow(nullptr);
    }
}

void MainFrame::CreateCommandBar() {
    QMenu* popup = menuBar()->addMenu(QStringLiteral("Menu"));
    for (const MenuItem& item : kMenuItems) {
        QAction* action = popup->addAction(QString::fromLatin1(item.label));
        action->setData(item.id);
        if (item.key != QKeySequence::UnknownKey) action->setShortcut(item.key);
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }

    QToolBar* tools = addToolBar(QStringLiteral("Tools"));
    tools->setMovable(false);
    tools->setFloatable(false);
    tools->setIconSize(QSize(kToolPictureWidth, kToolPictureHeight));
    tools->toggleViewAction()->setVisible(false);
    const Bitmap strip = LoadBitmapW(kToolBarBitmap);
    for (int i = 0; i < 5; ++i) {
        QAction* action = tools->addAction(QString());
        if (!strip.isNull()) {
            const QImage picture =
                strip.copy(i * kToolPictureWidth, 0, kToolPictureWidth, kToolPictureHeight);
            action->setIcon(QIcon(QPixmap::fromImage(picture.convertToFormat(QImage::Format_RGB32))));
        }
        const int id = kToolButtons[i];
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        if (i == 1) tools->addSeparator();
    }
    setContextMenuPolicy(Qt::NoContextMenu);
}

void MainFrame::OnCommand(int id) {
    switch (id) {
        case ID_NEW_GAME:
        case ID_TOOL_NEW_GAME:
            OnNewGame();
            break;
        case ID_SOLUTION:
        case ID_TOOL_SOLUTION:
            OnSolution();
            break;
        case ID_LEARN:
        case ID_TOOL_LEARN:
            OnLearn();
            break;
        case ID_OPTIONS:
        case ID_TOOL_OPTIONS:
            OnOptions();
            break;
        case ID_ABOUT:
            ShowAbout(this);
            break;
        case ID_TOOL_HINT:
            OnHint();
            break;
        case ID_APP_EXIT:
            close();  // the close request, which may ask first
            break;
        default:
            break;
    }
}

unsigned MainFrame::StartTimer(unsigned id, unsigned milliseconds) {
    StopTimer(id);  // one timer per id: setting it again replaces it
    timers_[id] = RunningTimer{startTimer(static_cast<int>(milliseconds), Qt::PreciseTimer), milliseconds};
    return id;
}

unsigned MainFrame::TimerPeriod(unsigned id) const {
    const auto found = timers_.find(id);
    return found == timers_.end() ? 0 : found->second.period;
}

void MainFrame::StopTimer(unsigned id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) return;
    killTimer(found->second.qtId);
    timers_.erase(found);
}

void MainFrame::timerEvent(QTimerEvent* event) {
    for (const auto& [id, timer] : timers_) {
        if (timer.qtId == event->timerId()) {
            const unsigned gameId = id;  // OnTimer may stop the timer and so change timers_
            OnTimer(gameId);
            return;
        }
    }
    QMainWindow::timerEvent(event);
}

void MainFrame::closeEvent(QCloseEvent* event) {
    StopTitleScreen();
    if (ConfirmAbort() == IDOK) {
        event->accept();
    } else {
        event->ignore();
    }
}

MainFrame* TheMainFrame() {
    return mainFrame;
}

MainFrame* InitInstance() {
    auto* frame = new MainFrame;
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->show();
    UpdateWindow();  // before the buffer exists: nothing is drawn yet

    const QRect client = frame->Client()->rect();
    CreateOffscreenBuffer(client.right() + 1, client.bottom() + 1);
    InvalidateClient();
    frame->setWindowTitle(QStringLiteral("Mirovane"));
    return frame;
}

void ExitInstance() {
    DestroyOffscreenBuffer();
}

void ClientArea::Invalidate(const QRect& rect) {
    pending_ += rect;
    update(rect);
}

void ClientArea::PaintNow() {
    if (pending_.isEmpty()) return;
    const QRegion region = pending_;  // painting empties pending_
    repaint(region);
}

void InvalidateRect(const Rect32& rect) {
    if (mainFrame == nullptr) return;
    mainFrame->Client()->Invalidate(
        QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
}

void InvalidateClient() {
    if (mainFrame != nullptr) mainFrame->Client()->Invalidate(mainFrame->Client()->rect());
}

void UpdateWindow() {
    if (mainFrame != nullptr) mainFrame->Client()->PaintNow();
}

uint32_t SetTimer(uint32_t id, uint32_t milliseconds) {
    return mainFrame == nullptr ? 0 : mainFrame->StartTimer(id, milliseconds);
}

void KillTimer(uint32_t timerId) {
    if (mainFrame != nullptr) mainFrame->StopTimer(timerId);
}
