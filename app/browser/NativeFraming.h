// The browser's native messaging frames: a 32-bit length in this machine's byte order, then
// that many bytes of UTF-8 JSON. The reader is fed whatever a read of the pipe returned, so a
// frame may come in many pieces and many frames in one piece.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// What the host takes from the browser in one message: a selection of a long page is big,
// but never this big.
inline constexpr std::size_t MaxIncomingMessage = 8u << 20;
// What the browser takes from a host in one message.
inline constexpr std::size_t MaxOutgoingMessage = 1u << 20;

struct TFrame {
  std::string Payload;      // the message's bytes; empty when Oversized
  std::uint32_t Length = 0; // as its header gave it
  bool Oversized = false;   // longer than the reader's limit: its bytes are skipped
};

class TFrameReader {
public:
  explicit TFrameReader(std::size_t limit = MaxIncomingMessage) : FLimit(limit) {}

  void Feed(std::string_view bytes);
  // The next complete frame, in order. An oversized frame is reported as soon as its header
  // is read; its bytes are then skipped as they come, so that the next frame is read right.
  std::optional<TFrame> Next();
  // At the end of the input: empty when it ended between frames, else what was cut off.
  std::string EndOfInputError() const;

private:
  std::size_t FLimit;
  std::string FHeader;
  std::string FBody;
  std::uint32_t FLength = 0;
  bool FInBody = false;
  std::uint64_t FSkipping = 0;
  std::deque<TFrame> FReady;
};

// The frame of one message towards the browser. Throws std::length_error beyond
// MaxOutgoingMessage: the browser would end the connection.
std::string EncodeFrame(std::string_view payload);

} // namespace quillon
