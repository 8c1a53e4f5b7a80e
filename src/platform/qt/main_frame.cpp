#include "platform/qt/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>
#include <QTimerEvent>
#include <QToolBar>
#include <algorithm>
#include <cmath>
#include <span>

#include "model/game_state.h"
#include "platform/host.h"
#include "platform/qt/bitmaps.h"
#include "platform/qt/dialog_template.h"
#include "platform/qt/preferences.h"
#include "platform/qt/qt_bitmap.h"
#include "platform/qt/services.h"
#include "platform/settings_file.h"
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

// The View menu, right of "Menu": desktop commands that leave the game alone.
struct ViewItem {
    int id;
    const char* label;
    QList<QKeySequence> keys;
};
const ViewItem kViewItems[] = {
    {ID_VIEW_ZOOM_IN,
     "Zoom in",
     {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}},
    {ID_VIEW_ZOOM_OUT, "Zoom out", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}},
    {ID_VIEW_AUTOMATIC_SIZE, "Automatic size", {QKeySequence(Qt::CTRL | Qt::Key_0)}},
    {ID_VIEW_FULL_SCREEN, "Full screen", {QKeySequence(Qt::Key_F11)}},
};

// The keyboard cursor's outline: a colour the game draws nowhere else, with a black inner line so that
// it stands out on every box colour too.
const QColor kCursorColour(255, 160, 0);

// The tool bar: pictures cut left to right from bitmap 128, a separator after the second button.
constexpr int kToolButtons[] = {ID_TOOL_LEARN, ID_TOOL_OPTIONS, ID_TOOL_NEW_GAME, ID_TOOL_SOLUTION,
                                ID_TOOL_HINT};
constexpr int kToolPictureWidth = 16;
constexpr int kToolPictureHeight = 15;
constexpr int kToolBarBitmap = 128;

}  // namespace

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // the buffer and the black margins cover every pixel
    setFocusPolicy(Qt::StrongFocus);        // the arrows, Space, Return and digits come here
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ClientArea::SetPreferredZoom(int zoom) {
    preferredZoom_ = zoom;
    updateGeometry();
    update();
}

QSize ClientArea::SizeForZoom(int zoom) const {
    const qreal ratio = devicePixelRatioF();
    return QSize(static_cast<int>(std::ceil(kGameWidth * zoom / ratio)),
                 static_cast<int>(std::ceil(kGameHeight * zoom / ratio)));
}

ZoomView ClientArea::View() const {
    const qreal ratio = devicePixelRatioF();
    const int width = static_cast<int>(std::lround(this->width() * ratio));
    const int height = static_cast<int>(std::lround(this->height() * ratio));
    return CentredView(width, height, FittingZoom(width, height));
}

// Game rectangles become the widget's logical rectangles through device pixels, rounded outwards.
QRect ClientArea::ToWidget(const QRect& game) const {
    const ZoomView view = View();
    const qreal ratio = devicePixelRatioF();
    const int left = static_cast<int>(std::floor((view.left + game.left() * view.zoom) / ratio));
    const int top = static_cast<int>(std::floor((view.top + game.top() * view.zoom) / ratio));
    const int right = static_cast<int>(std::ceil((view.left + (game.right() + 1) * view.zoom) / ratio));
    const int bottom = static_cast<int>(std::ceil((view.top + (game.bottom() + 1) * view.zoom) / ratio));
    return QRect(left, top, right - left, bottom - top);
}

QRect ClientArea::ToGame(const QRect& widget) const {
    const ZoomView view = View();
    const qreal ratio = devicePixelRatioF();
    const auto game = [&](double device, int origin, int limit, bool up) {
        const double at = (device - origin) / view.zoom;
        return std::clamp(static_cast<int>(up ? std::ceil(at) : std::floor(at)), 0, limit);
    };
    const int left = game(widget.left() * ratio, view.left, kGameWidth, false);
    const int top = game(widget.top() * ratio, view.top, kGameHeight, false);
    const int right = game((widget.right() + 1) * ratio, view.left, kGameWidth, true);
    const int bottom = game((widget.bottom() + 1) * ratio, view.top, kGameHeight, true);
    return QRect(left, top, right - left, bottom - top);
}

void ClientArea::paintEvent(QPaintEvent* event) {
    const QRect invalid = ToGame(event->rect());
    pending_ -= invalid;
    if (!invalid.isEmpty())
        Paint(Rect32{invalid.left(), invalid.top(), invalid.right() + 1, invalid.bottom() + 1});

    // From here on the painter counts in device pixels, so that a game pixel is always a whole
    // square of them, whatever the desktop's scale factor.
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    const ZoomView view = View();
    const QRect shown(view.left, view.top, kGameWidth * view.zoom, kGameHeight * view.zoom);
    const QRegion margins = QRegion(0, 0, static_cast<int>(std::lround(width() * ratio)),
                                    static_cast<int>(std::lround(height() * ratio))) -
                            shown;
    for (const QRect& margin : margins) painter.fillRect(margin, Qt::black);
    if (Offscreen.exists && !invalid.isEmpty()) {
        const QRect target(view.left + invalid.x() * view.zoom, view.top + invalid.y() * view.zoom,
                           invalid.width() * view.zoom, invalid.height() * view.zoom);
        painter.drawImage(target, ImageView(Offscreen.bufferDC.Image()),
                          invalid);  // nearest neighbour: no smoothing
    }
    if (cursor_.shown) DrawCursor(painter, view);
    painter.end();

    // The title screen's first frame draws nothing; the handheld asked again at once because the
    // window stayed invalid, so ask again here.
    if (GameState.titleStartTick != 0 && GameState.titleFrame < 2) InvalidateClient();
}

void ClientArea::DrawCursor(QPainter& painter, const ZoomView& view) {
    ClampCursor(cursor_);
    const Rect32 square = CursorSquare(cursor_);
    const int k = view.zoom;
    const int thickness = std::max(2, k);
    const QRect outline = QRect(view.left + square.left * k, view.top + square.top * k,
                                (square.right - square.left) * k, (square.bottom - square.top) * k)
                              .adjusted(-thickness / 2, -thickness / 2, thickness / 2, thickness / 2);
    const auto frame = [&](const QRect& r, int width, const QColor& colour) {
        painter.fillRect(r.x(), r.y(), r.width(), width, colour);
        painter.fillRect(r.x(), r.bottom() + 1 - width, r.width(), width, colour);
        painter.fillRect(r.x(), r.y(), width, r.height(), colour);
        painter.fillRect(r.right() + 1 - width, r.y(), width, r.height(), colour);
    };
    frame(outline, thickness, kCursorColour);
    frame(outline.adjusted(thickness, thickness, -thickness, -thickness), std::max(1, k / 2), Qt::black);
}

bool ClientArea::GamePointOf(const QMouseEvent* event, int& x, int& y) {
    const QPointF device = event->position() * devicePixelRatioF();
    return ToGamePoint(View(), static_cast<int>(std::floor(device.x())),
                       static_cast<int>(std::floor(device.y())), x, y);
}

void ClientArea::mousePressEvent(QMouseEvent* event) {
    int x = 0;
    int y = 0;
    if (event->button() != Qt::LeftButton || !GamePointOf(event, x, y)) return;
    if (cursor_.shown) {
        cursor_.shown = false;  // the player went back to the pointer
        update();
    }
    OnLButtonDown(0, x, y);
}

void ClientArea::mouseDoubleClickEvent(QMouseEvent* event) {
    int x = 0;
    int y = 0;
    if (event->button() != Qt::LeftButton || !GamePointOf(event, x, y)) return;
    OnLButtonDblClk(0, x, y);
}

void ClientArea::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers chords = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const int key = event->key();
    const bool titleShows = GameState.titleStartTick != 0;
    if ((event->modifiers() & chords) != 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) {
        MoveCursor(cursor_, key == Qt::Key_Left    ? CursorKey::Left
                            : key == Qt::Key_Right ? CursorKey::Right
                            : key == Qt::Key_Up    ? CursorKey::Up
                                                   : CursorKey::Down);
        update();
    } else if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        // A tap where the cursor stands, through the pointer's own two steps. With the cursor hidden,
        // the key only ends the title screen, as any tap does, or else shows the cursor.
        if (cursor_.shown || titleShows) {
            ClampCursor(cursor_);
            const Point32 at = CursorTapPoint(cursor_);
            ApplyTap(HitTest(GameState, at.x, at.y));
        } else {
            cursor_.shown = true;
            update();
        }
    } else if (key >= Qt::Key_1 && key <= Qt::Key_9) {
        Point32 at{0, 0};
        if (PaletteSlotPoint(key - Qt::Key_1, at) || titleShows) ApplyTap(HitTest(GameState, at.x, at.y));
    } else {
        QWidget::keyPressEvent(event);
    }
}

MainFrame::MainFrame() {
    mainFrame = this;
    SetAppMainWindow(this);
    UseQtHost();

    client_ = new ClientArea(this);
    setCentralWidget(client_);
    CreateCommandBar();
    setWindowIcon(QIcon(QStringLiteral(":/mirovane/icon.png")));

    CreateViewMenu();
    const int stored = StoredZoom();
    client_->SetPreferredZoom(stored > 0 ? std::min(stored, LargestZoomOnScreen()) : FirstStartZoomHere());
    OnCreate();
}

MainFrame::~MainFrame() {
    for (const auto& [id, timer] : timers_) killTimer(timer.qtId);
    if (mainFrame == this) {
        mainFrame = nullptr;
        SetAppMainWindow(nullptr);
    }
}

void MainFrame::AddCommand(QMenu* menu, int id, const char* label, const QList<QKeySequence>& keys) {
    QAction* action = menu->addAction(QString::fromLatin1(label));
    action->setData(id);
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
}

void MainFrame::CreateCommandBar() {
    QMenu* popup = menuBar()->addMenu(QStringLiteral("Menu"));
    for (const MenuItem& item : kMenuItems) {
        AddCommand(popup, item.id, item.label, QKeySequence::keyBindings(item.key));
    }

    QToolBar* tools = addToolBar(QStringLiteral("Tools"));
    tools->setMovable(false);
    tools->setFloatable(false);
    tools->setIconSize(QSize(kToolPictureWidth, kToolPictureHeight));
    tools->toggleViewAction()->setVisible(false);
    const Bitmap strip = LoadQtBitmap(kToolBarBitmap);
    for (int i = 0; i < 5; ++i) {
        QAction* action = tools->addAction(QString());
        if (!strip.isNull()) {
            const QImage picture =
                ImageView(strip).copy(i * kToolPictureWidth, 0, kToolPictureWidth, kToolPictureHeight);
            action->setIcon(QIcon(QPixmap::fromImage(picture)));
        }
        const int id = kToolButtons[i];
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        if (i == 1) tools->addSeparator();
    }
    setContextMenuPolicy(Qt::NoContextMenu);
}

void MainFrame::CreateViewMenu() {
    QMenu* view = menuBar()->addMenu(QStringLiteral("View"));
    for (const ViewItem& item : kViewItems) AddCommand(view, item.id, item.label, item.keys);
}

int MainFrame::FirstStartZoomHere() const {
    const QScreen* here = screen();
    return FirstStartZoom(static_cast<int>(here->availableGeometry().height() * here->devicePixelRatio()));
}

int MainFrame::LargestZoomOnScreen() const {
    // Around the client area: the command bar above it and the window manager's frame.
    const QSize frame = frameGeometry().size() - geometry().size();
    const int bars =
        isVisible() ? height() - client_->height() : sizeHint().height() - client_->sizeHint().height();
    const QSize room = screen()->availableGeometry().size() - frame - QSize(0, bars);
    int zoom = 1;
    while (zoom < 64) {
        const QSize next = client_->SizeForZoom(zoom + 1);
        if (next.width() > room.width() || next.height() > room.height()) break;
        ++zoom;
    }
    return zoom;
}

void MainFrame::ApplyZoom(int zoom, bool remember) {
    zoom = std::clamp(zoom, 1, LargestZoomOnScreen());
    client_->SetPreferredZoom(zoom);
    if (remember) StoreZoom(zoom);
    // A maximised or full-screen window keeps its size and shows the largest zoom that fits.
    if (isFullScreen() || isMaximized()) return;
    resize(size() - client_->size() + client_->SizeForZoom(zoom));
}

void MainFrame::ZoomBy(int step) {
    ApplyZoom(client_->PreferredZoom() + step, true);
}

void MainFrame::AutomaticSize() {
    StoreZoom(0);
    ApplyZoom(FirstStartZoomHere(), false);
}

void MainFrame::ToggleFullScreen() {
    if (isFullScreen()) {
        showNormal();
    } else {
        showFullScreen();
    }
}

void MainFrame::OnCommand(int id) {
    switch (id) {
        case ID_VIEW_ZOOM_IN:
            ZoomBy(1);
            break;
        case ID_VIEW_ZOOM_OUT:
            ZoomBy(-1);
            break;
        case ID_VIEW_AUTOMATIC_SIZE:
            AutomaticSize();
            break;
        case ID_VIEW_FULL_SCREEN:
            ToggleFullScreen();
            break;
        default:
            ::OnCommand(id);  // the game's own commands
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
    frame->resize(frame->sizeHint());  // the client area at the chosen zoom
    frame->show();
    frame->Client()->setFocus();
    UpdateWindow();  // before the buffer exists: nothing is drawn yet

    // The game's own screen keeps the handheld's size at every zoom.
    CreateOffscreenBuffer(kGameWidth, kGameHeight);
    InvalidateClient();
    frame->setWindowTitle(QStringLiteral("Mirovane"));
    return frame;
}

void ExitInstance() {
    DestroyOffscreenBuffer();
}

void ClientArea::Invalidate(const QRect& rect) {
    pending_ += rect;
    update(ToWidget(rect));
}

void ClientArea::PaintNow() {
    if (pending_.isEmpty()) return;
    QRegion region;  // painting empties pending_
    for (const QRect& rect : pending_) region += ToWidget(rect);
    repaint(region);
}

namespace {

// ---- The game's host on this window ----------------------------------------------------------------

uint32_t HostSetTimer(uint32_t id, uint32_t milliseconds) {
    return mainFrame == nullptr ? 0 : mainFrame->StartTimer(id, milliseconds);
}

void HostKillTimer(uint32_t id) {
    if (mainFrame != nullptr) mainFrame->StopTimer(id);
}

void HostInvalidate(const Rect32& rect) {
    if (mainFrame == nullptr) return;
    mainFrame->Client()->Invalidate(
        QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
}

void HostUpdateWindow() {
    if (mainFrame != nullptr) mainFrame->Client()->PaintNow();
}

QString FromUtf16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

int HostMessageBox(std::u16string_view text, std::u16string_view caption, unsigned style) {
    return QtMessageBox(AppMainWindow(), FromUtf16(text), FromUtf16(caption), style);
}

void Relabel(QAction* menu, std::span<const MenuLabel> labels) {
    if (menu == nullptr || menu->menu() == nullptr) return;
    const QList<QAction*> items = menu->menu()->actions();
    for (const MenuLabel& label : labels) {
        if (label.position < 0) {
            menu->setText(QString::fromUtf16(InLanguage(label)));
        } else if (label.position < items.size()) {
            // The item keeps its command id (its data); only its text changes.
            items[label.position]->setText(QString::fromUtf16(InLanguage(label)));
        }
    }
}

// Qt's own texts (the OK and Cancel buttons of boxes and dialogs) follow the game's language, and so
// do both menus.
void HostLanguageChanged() {
    UsePlatformLanguage(GameState.langue != 0);
    auto* frame = qobject_cast<QMainWindow*>(AppMainWindow());
    if (frame == nullptr) return;
    const QList<QAction*> menus = frame->menuBar()->actions();
    for (int menu = 0; menu < 2 && menu < menus.size(); ++menu) Relabel(menus[menu], MenuLabels(menu));
}

void HostCloseWindow() {
    if (mainFrame != nullptr) mainFrame->close();
}

}  // namespace

void UseQtHost() {
    Host host{};
    host.tickCount = &QtTickCount;
    host.setTimer = &HostSetTimer;
    host.killTimer = &HostKillTimer;
    host.invalidate = &HostInvalidate;
    host.updateWindow = &HostUpdateWindow;
    host.messageBox = &HostMessageBox;
    host.loadBitmap = &LoadQtBitmap;
    host.languageChanged = &HostLanguageChanged;
    host.runDialog = &RunTemplateDialog;
    host.closeWindow = &HostCloseWindow;
    host.randomSeed = [] { return QRandomGenerator::system()->generate(); };
    host.readSettings = &ReadSettingsFile;
    host.writeSettings = &WriteSettingsFile;
    SetHost(host);
    UseQtText();
}
