#pragma once

#include <QObject>

class QTimer;

// What the window's frame players share: whether a player plays and is paused, its timer, and
// where the next tick goes. The window keeps the buttons and the frame bar in step with it.
namespace app {

class FramePlayer : public QObject {
    Q_OBJECT

  public:
    // Where a press of play starts.
    enum class Start { kResume, kFromFirst };
    // Where a tick goes.
    enum class Step { kNext, kFirst, kEnd };

    // Drives `timer` (not owned); its ticks arrive as ticked().
    explicit FramePlayer(QTimer* timer, QObject* parent = nullptr);

    bool playing() const { return playing_; }
    bool paused() const { return paused_; }

    // Play pressed: plays; a paused player resumes where it is, any other starts again.
    Start play();
    // Pause pressed, its button now `down`: pauses or resumes a playing player. Returns whether
    // the pause button stays down (never while stopped).
    bool pause(bool down);
    // Stops the timer; the frame stays where it is. Returns whether it was playing.
    bool stop();

    // Where a tick at `position` goes: to the next frame, back to the first when `repeat` is on
    // at the last frame, or nowhere (the player stops) at the last frame without repeat.
    static Step stepAfter(int position, int maximum, bool repeat);

  signals:
    void ticked();

  private:
    QTimer* timer_;
    bool playing_ = false;
    bool paused_ = false;
};

}  // namespace app
