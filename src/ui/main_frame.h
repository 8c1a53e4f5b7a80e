// The main window: a frame with the command bar (menu and tool bar) above a 240 x 268 client area that
// the game draws entirely itself. It turns Qt's events into the game's messages: pointer down, double
// tap, paint with its invalid rectangle, timer, close request and commands by id.
#pragma once

#include <QMainWindow>
#include <QRect>
#include <QRegion>
#include <QWidget>
#include <map>

#include "model/game_state.h"

inline constexpr int kClientWidth = 240;
inline constexpr int kClientHeight = 268;

// The area under the command bar.
class ClientArea : public QWidget {
  public:
    explicit ClientArea(QWidget* parent);

    // Marks `rect` for repainting; PaintNow paints everything marked before it returns.
    void Invalidate(const QRect& rect);
    void PaintNow();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QRegion pending_;  // marked and not yet painted
};

class MainFrame : public QMainWindow {
  public:
    MainFrame();
    ~MainFrame() override;

    ClientArea* Client() const { return client_; }

    // Routes a menu or tool-bar command to its handler.
    void OnCommand(int id);

    unsigned StartTimer(unsigned id, unsigned milliseconds);
    void StopTimer(unsigned id);
    // The period of timer `id`, or 0 when it is not running.
    unsigned TimerPeriod(unsigned id) const;

  protected:
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
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

// The start-up steps that follow the construction of the frame: show it, make the off-screen buffer at
// the client area's size, ask for the first frame, set the title. Returns the frame.
MainFrame* InitInstance();
// Releases the off-screen buffer once the message loop has ended.
void ExitInstance();

// Marks a part of the client area (or all of it) for repainting; UpdateWindow paints what is marked
// at once, before it returns.
void InvalidateRect(const Rect32& rect);
void InvalidateClient();
void UpdateWindow();

// Pointer input on the client area, in client coordinates.
void OnLButtonDown(unsigned flags, int x, int y);
void OnLButtonDblClk(unsigned flags, int x, int y);
