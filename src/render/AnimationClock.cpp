#include "render/AnimationClock.h"

namespace render {

AnimationClock::AnimationClock(QObject* parent) : QObject(parent), timer_(this) {
  timer_.setObjectName("GLCadencer1");
  timer_.setInterval(15);
  connect(&timer_, &QTimer::timeout, this, [this] { emit Ticked(Elapsed()); });
}

void AnimationClock::Restart() {
  banked_ = 0;
  running_.restart();
}

void AnimationClock::SetEnabled(bool enabled) {
  if (enabled == Enabled()) return;
  if (enabled) {
    running_.restart();
    timer_.start();
  } else {
    banked_ = Elapsed();
    timer_.stop();
  }
}

double AnimationClock::Elapsed() const {
  return banked_ + (timer_.isActive() && running_.isValid() ? static_cast<double>(running_.elapsed()) : 0.0);
}

}  // namespace render
