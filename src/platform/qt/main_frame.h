// The main window: a frame with the command bar (menu and tool bar) above a client area that shows the
// game's 240 x 268 screen, drawn entirely by the game, at a whole-number zoom. It turns Qt's events
// into the game's messages: pointer down, double tap, paint with its invalid rectangle, timer, close
// request and commands by id. On the desktop it adds the View menu (zoom, full screen) and keyboard
// play.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QRect>
#include <QRegion>
#include <QWidget>
#include <map>

class QMenu;

#include "core/face.h"
#include "seam/host.h"

inline constexpr int kClientWidth = kGameWidth;
inline constexpr int kClientHeight = kGameHeight;

// The area under the command bar. Rectangles the game hands it are in game pixels.
class ClientArea : public QWidget {
  public:
    explicit ClientArea(QWidget* parent);

    // Marks `rect` for repainting; PaintNow paints everything marked before it returns.
    void Invalidate(const QRect& rect);
    void PaintNow();

    // The zoom the window is sized for; the game is shown at the largest zoom the area fits.
    void SetPreferredZoom(int zoom);
    int PreferredZoom() const { return preferredZoom_; }
    // The logical size that shows the game at `zoom` exactly.
    QSize SizeForZoom(int zoom) const;
    // Where the game lies in the area now, in device pixels.
    ZoomView View() const;

    QSize sizeHint() const override { return SizeForZoom(preferredZoom_); }
    QSize minimumSizeHint() const override { return SizeForZoom(1); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The game point under a pointer event, or false on the black margin.
    bool GamePointOf(const QMouseEvent* event, int& x, int& y);
    QRect ToWidget(const QRect& game) const;
    QRect ToGame(const QRect& widget) const;
    // The key cursor and the sure cell, outlined over the shown picture.
    void DrawOutlines(QPainter& painter, const ZoomView& view);

    QRegion pending_;  // marked and not yet painted, in game pixels
    int preferredZoom_ = 1;
};

class MainFrame : public QMainWindow {
  public:
    MainFrame();
    ~MainFrame() override;

    ClientArea* Client() const { return client_; }

    // Routes a menu or tool-bar command to its handler.
    void OnCommand(int id);

    // The View menu: zoom in or out by one, back to the first-start size, full screen on or off.
    void ZoomBy(int step);
    void AutomaticSize();
    void ToggleFullScreen();
    // Sizes the window for `zoom` (kept within the screen) and, with `remember`, keeps it.
    void ApplyZoom(int zoom, bool remember);
    // The largest zoom whose window still fits the screen.
    int LargestZoomOnScreen() const;
    int FirstStartZoomHere() const;

    unsigned StartTimer(unsigned id, unsigned milliseconds);
    void StopTimer(unsigned id);
    // The period of timer `id`, or 0 when it is not running.
    unsigned TimerPeriod(unsigned id) const;

  protected:
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // The menus and the tool bar, built from the game's command table; each action carries its command
    // id and is routed by it.
    void CreateCommandBar();

    ClientArea* client_ = nullptr;
    struct RunningTimer {
        int qtId;
        unsigned period;
    };
    std::map<unsigned, RunningTimer> timers_;  // by the game's timer id
};

// The one main window, or null before it is built and after it is gone.
MainFrame* TheMainFrame();

// The start-up steps that follow the construction of the frame (which starts the game): show it, give
// the client area the focus, set the title. Returns the frame.
MainFrame* InitInstance();
// Releases the game's screen once the message loop has ended.
void ExitInstance();

// Makes the game run on this platform: the window's timers, invalidation, message boxes, bitmaps,
// menus and dialogs behind the game's host, and Qt's text in the raster core.
void UseQtHost();
