// Fixed line drawings for comparing two line rasterisers pixel by pixel.
#pragma once
#include <string>

#include "platform/display_device.h"

namespace parity {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// thin, wide, zero, edges or trail, or list:PATH for the lines in a text
// file; false for an unknown name or an unreadable file.
bool DrawScene(const std::string& name, plat::IDeviceContext& dc);

}  // namespace parity
