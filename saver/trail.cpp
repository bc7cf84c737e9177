// The trail model: a fresh random start and one step per drawn frame.
#include "saver/trail.h"

#include <initializer_list>

namespace prumya {

namespace {

// Never more points than the chain holds, whatever Length says.
int LiveCount(std::int32_t length) {
  if (length < 0) return 0;
  return length > kTrailCapacity ? kTrailCapacity : length;
}

// Walks one colour channel's bounce: reflected about 128 at the bottom and
// about 255 at the top, turning the channel's direction.
void MirrorChannel(std::int32_t& channel, std::int32_t& dir) {
  const std::int32_t c0 = channel;
  if (c0 < 128) {
    dir = 1;
    channel = 256 - c0;
  }
  if (c0 >= 256) {
    dir = -1;
    channel = 510 - c0;
  }
}

}  // namespace

std::int32_t Trail::DrawUpTo(std::int32_t n) {
  // A screen too small for its margin would ask for a negative count; the
  // draw is still made so the sequence of draws does not change.
  return random_->UpTo(n < 0 ? 0 : n);
}

void Trail::ResetTrail() {
  for (std::int32_t* dir : {&dirX, &dirY, &dirRed, &dirGreen, &dirBlue})
    *dir = random_->Between(-1, 1, false);
  anchor_->Forget();

  const SaverParams& p = config_->params;
  const std::int32_t margin = p[Margin];
  ChainPoint& head = chain_[0];
  if (p[HeadMove] != 0) {
    head.x = DrawUpTo(config_->screenWidth - 2 * margin - 1) + margin;
    head.y = DrawUpTo(config_->screenHeight - 2 * margin - 1) + margin;
  } else {
    head.x = config_->screenWidth / 2;
    head.y = config_->screenHeight / 2;
  }
  head.spin = 0;
  head.wobble = 0;
  head.red = 136 + DrawUpTo(112);
  head.green = 136 + DrawUpTo(112);
  head.blue = 136 + DrawUpTo(112);
  const int count = LiveCount(p[Length]);
  for (int i = 1; i < count; ++i) chain_[i] = head;
}

void Trail::ShiftTrail() {
  const SaverParams& p = config_->params;
  const std::int32_t driftX = p[TrailMove] * dirX;
  const std::int32_t driftY = p[TrailMove] * dirY;
  for (int i = LiveCount(p[Length]) - 1; i >= 1; --i) {
    ChainPoint& point = chain_[i];
    point = chain_[i - 1];
    point.x -= driftX;
    point.y -= driftY;
    point.spin = (point.spin + p[TrailSpin]) & 255;
    point.wobble = (point.wobble + p[TrailWobble]) & 255;
  }
}

void Trail::BounceHead() {
  const SaverParams& p = config_->params;
  const std::int32_t margin = p[Margin];
  const std::int32_t step2 = 2 * p[HeadMove];
  ChainPoint& head = chain_[0];
  const std::int32_t x0 = head.x;
  const std::int32_t y0 = head.y;
  if (x0 < margin) dirX = 1, head.x = x0 + step2;
  if (y0 < margin) dirY = 1, head.y = y0 + step2;
  if (x0 >= config_->screenWidth - margin) dirX = -1, head.x = x0 - step2;
  if (y0 >= config_->screenHeight - margin) dirY = -1, head.y = y0 - step2;
}

void Trail::StepTrail() {
  const SaverParams& p = config_->params;
  ShiftTrail();
  ChainPoint& head = chain_[0];
  head.x += p[HeadMove] * dirX;
  head.y += p[HeadMove] * dirY;
  head.red += DrawUpTo(p[ColourShift]) * dirRed;
  head.green += DrawUpTo(p[ColourShift]) * dirGreen;
  head.blue += DrawUpTo(p[ColourShift]) * dirBlue;
  head.spin = (head.spin + p[HeadSpin]) & 255;
  head.wobble = (head.wobble + p[HeadWobble]) & 255;
  BounceHead();
  MirrorChannel(head.red, dirRed);
  MirrorChannel(head.green, dirGreen);
  MirrorChannel(head.blue, dirBlue);
}

}  // namespace prumya
