// Grabs ten frames from the simulated board's built-in camera through Brenvik::host and
// prints each frame's mean.
#include <brenvik/Host.h>

#include <chrono>
#include <cstdint>
#include <iostream>

int main() {
  try {
    brenvik::Applet applet;  // the installed applet on simulated board 0
    applet.setInteger(applet.handle("FG_WIDTH"), 512);
    applet.set(applet.handle("FG_FORMAT"), brenvik::Input::fromText("FG_GRAY16"));
    applet.start(4);  // four DMA buffers, until stopped
    for (int i = 0; i < 10; ++i) {
      const brenvik::Frame frame = applet.next(std::chrono::seconds(5));
      const auto* pixels = static_cast<const std::uint16_t*>(frame.pixels());
      const std::size_t count = std::size_t{frame.width()} * frame.height();
      double sum = 0;
      for (std::size_t p = 0; p < count; ++p) sum += pixels[p];
      std::cout << "frame " << i + 1 << ": " << frame.width() << " x " << frame.height()
                << ", mean " << sum / static_cast<double>(count) << "\n";
    }
    applet.stop();
  } catch (const brenvik::Error& error) {
    std::cerr << "grab: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
