#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace render {

// The preview's animation clock: while enabled it ticks about sixty times a
// second with the milliseconds since the animation began, so actors can
// blend their frames; disabled, it stands still where it was.
class AnimationClock final : public QObject {
  Q_OBJECT
public:
  explicit AnimationClock(QObject* parent = nullptr);

  // Starts the time of a new animation at 0.
  void Restart();
  void SetEnabled(bool enabled);
  bool Enabled() const { return timer_.isActive(); }
  double Elapsed() const;

signals:
  void Ticked(double elapsed);

private:
  QTimer timer_;
  QElapsedTimer running_;
  // Time run before the clock was last disabled.
  double banked_ = 0;
};

}  // namespace render
