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

#include "core/face.h"
#include "platform/qt/bitmaps.h"
#include "platform/qt/dialog_template.h"
#include "platform/qt/preferences.h"
#include "platform/qt/qt_bitmap.h"
#include "platform/qt/services.h"
#include "seam/host.h"
#include "seam/settings_file.h"

namespace {

MainFrame* mainFrame = nullptr;

// The tool bar's pictures, cut left to right from bitmap 128.
constexpr int kToolPictureWidth = 16;
constexpr int kToolPictureHeight = 15;
constexpr int kToolBarBitmap = 128;

// Every action of the menus and the tool bar, by command id, for relabelling.
std::map<int, QAction*> commandActions;
std::map<int, QMenu*> menus;  // by CommandPlace

QString FromUtf16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

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
    const Bitmap* picture = nullptr;
    if (!invalid.isEmpty()) {
        picture = PaintFrame(Rect32{invalid.left(), invalid.top(), invalid.right() + 1, invalid.bottom() + 1})
                      .picture;
    }

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
    if (picture != nullptr) {
        const QRect target(view.left + invalid.x() * view.zoom, view.top + invalid.y() * view.zoom,
                           invalid.width() * view.zoom, invalid.height() * view.zoom);
        painter.drawImage(target, ImageView(*picture), invalid);  // nearest neighbour: no smoothing
    }
    DrawOutlines(painter, view);
}

void ClientArea::DrawOutlines(QPainter& painter, const ZoomView& view) {
    const auto frame = [&](const QRect& r, int width, const QColor& colour) {
        painter.fillRect(r.x(), r.y(), r.width(), width, colour);
        painter.fillRect(r.x(), r.bottom() + 1 - width, r.width(), width, colour);
        painter.fillRect(r.x(), r.y(), width, r.height(), colour);
        painter.fillRect(r.right() + 1 - width, r.y(), width, r.height(), colour);
    };
    Overlay overlays[2];
    const int count = Overlays(view, overlays);
    for (int i = 0; i < count; ++i) {
        const Overlay& outline = overlays[i];
        const QRect outer(outline.outer.left, outline.outer.top, outline.outer.right - outline.outer.left,
                          outline.outer.bottom - outline.outer.top);
        const int t = outline.thickness;
        frame(outer, t, QColor::fromRgb(outline.colour));
        frame(outer.adjusted(t, t, -t, -t), outline.inner, Qt::black);
    }
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
    TapAt(x, y);
}

void ClientArea::mouseDoubleClickEvent(QMouseEvent* event) {
    int x = 0;
    int y = 0;
    if (event->button() != Qt::LeftButton || !GamePointOf(event, x, y)) return;
    DoubleTapAt(x, y);
}

// The keys of keyboard play, without Ctrl, Alt or Meta; chords go on to the menus' shortcuts.
void ClientArea::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers chords = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const int key = event->key();
    if ((event->modifiers() & chords) != 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (key) {
        case Qt::Key_Left:
            PressKey(GameKey::Left);
            break;
        case Qt::Key_Right:
            PressKey(GameKey::Right);
            break;
        case Qt::Key_Up:
            PressKey(GameKey::Up);
            break;
        case Qt::Key_Down:
            PressKey(GameKey::Down);
            break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            PressKey(GameKey::Tap);
            break;
        default:
            if (key >= Qt::Key_1 && key <= Qt::Key_9) {
                PressKey(static_cast<GameKey>(static_cast<int>(GameKey::Slot1) + key - Qt::Key_1));
            } else {
                QWidget::keyPressEvent(event);
            }
            break;
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

    const int stored = StoredZoom();
    client_->SetPreferredZoom(stored > 0 ? std::min(stored, LargestZoomOnScreen()) : FirstStartZoomHere());
    UseOneAnswerPuzzles(StoredOneAnswer());
    StartGame();
}

MainFrame::~MainFrame() {
    for (const auto& [id, timer] : timers_) killTimer(timer.qtId);
    if (mainFrame == this) {
        mainFrame = nullptr;
        SetAppMainWindow(nullptr);
        commandActions.clear();
        menus.clear();
    }
}

void MainFrame::CreateCommandBar() {
    QToolBar* tools = nullptr;
    const Bitmap strip = LoadQtBitmap(kToolBarBitmap);
    for (const Command& command : Commands()) {
        const int id = command.id;
        QAction* action = nullptr;
        if (command.place == CommandPlace::ToolBar) {
            if (tools == nullptr) {
                tools = addToolBar(FromUtf16(MenuTitle(CommandPlace::ToolBar)));
                tools->setMovable(false);
                tools->setFloatable(false);
                tools->setIconSize(QSize(kToolPictureWidth, kToolPictureHeight));
                tools->toggleViewAction()->setVisible(false);
            }
            action = tools->addAction(FromUtf16(CommandLabel(command)));
            if (!strip.isNull()) {
                const QImage picture = ImageView(strip).copy(command.picture * kToolPictureWidth, 0,
                                                             kToolPictureWidth, kToolPictureHeight);
                action->setIcon(QIcon(QPixmap::fromImage(picture)));
            }
            if (command.separatorAfter) tools->addSeparator();
        } else {
            QMenu*& menu = menus[static_cast<int>(command.place)];
            if (menu == nullptr) menu = menuBar()->addMenu(FromUtf16(MenuTitle(command.place)));
            action = menu->addAction(FromUtf16(CommandLabel(command)));
            action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(command.keys)));
            action->setCheckable(command.checkable);
            if (command.separatorAfter) menu->addSeparator();
        }
        action->setData(id);
        commandActions[id] = action;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
    setContextMenuPolicy(Qt::NoContextMenu);
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
            RunCommand(id);  // the game's own commands
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
            TimerFired(gameId);
            return;
        }
    }
    QMainWindow::timerEvent(event);
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (RequestClose()) {
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
    frame->setWindowTitle(QStringLiteral("Mirovane"));
    return frame;
}

void ExitInstance() {
    EndGame();
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

Answer HostMessageBox(std::u16string_view text, std::u16string_view caption, BoxStyle style) {
    return QtMessageBox(AppMainWindow(), FromUtf16(text), FromUtf16(caption), style);
}

// Qt's own texts (the OK and Cancel buttons of boxes and dialogs) follow the game's language, and so
// do the menus; Undo and Redo are greyed while there is nothing to take.
void HostCommandsChanged() {
    UsePlatformLanguage(PlaysInFrench());
    for (const Command& command : Commands()) {
        const auto action = commandActions.find(command.id);
        if (action == commandActions.end()) continue;
        action->second->setText(FromUtf16(CommandLabel(command)));
        action->second->setEnabled(CommandEnabled(command.id));
        if (command.checkable) action->second->setChecked(CommandChecked(command.id));
    }
    // The preference for puzzles with one answer is the desktop's to keep.
    static bool keptOneAnswer = StoredOneAnswer();
    if (keptOneAnswer != CommandChecked(ID_HELP_ONE_ANSWER)) {
        keptOneAnswer = CommandChecked(ID_HELP_ONE_ANSWER);
        StoreOneAnswer(keptOneAnswer);
    }
    for (const auto& [place, menu] : menus) {
        menu->setTitle(FromUtf16(MenuTitle(static_cast<CommandPlace>(place))));
    }
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
    host.commandsChanged = &HostCommandsChanged;
    host.runDialog = &RunTemplateDialog;
    host.closeWindow = &HostCloseWindow;
    host.randomSeed = [] { return QRandomGenerator::system()->generate(); };
    host.readSettings = &ReadSettingsFile;
    host.writeSettings = &WriteSettingsFile;
    host.readGame = &ReadKeptGameFile;
    host.writeGame = &WriteKeptGameFile;
    host.drawText = &DrawQtText;
    SetHost(host);
}
