#include "app/browser/NativeFraming.h"

#include <cstring>
#include <stdexcept>

namespace quillon {

void TFrameReader::Feed(std::string_view bytes) {
  while (!bytes.empty()) {
    if (FSkipping > 0) {
      const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(FSkipping, bytes.size()));
      FSkipping -= n;
      bytes.remove_prefix(n);
      continue;
    }
    if (!FInBody) {
      const std::size_t n = std::min(sizeof(std::uint32_t) - FHeader.size(), bytes.size());
      FHeader.append(bytes.substr(0, n));
      bytes.remove_prefix(n);
      if (FHeader.size() < sizeof(std::uint32_t))
        continue;
      std::memcpy(&FLength, FHeader.data(), sizeof FLength);
      FHeader.clear();
      if (FLength > FLimit) {
        FReady.push_back({{}, FLength, true});
        FSkipping = FLength;
        continue;
      }
      FInBody = true;
      FBody.clear();
      FBody.reserve(FLength);
    }
    const std::size_t n = std::min<std::size_t>(FLength - FBody.size(), bytes.size());
    FBody.append(bytes.substr(0, n));
    bytes.remove_prefix(n);
    if (FBody.size() == FLength) {
      FReady.push_back({std::move(FBody), FLength, false});
      FBody.clear();
      FInBody = false;
    }
  }
}

std::optional<TFrame> TFrameReader::Next() {
  if (FReady.empty())
    return std::nullopt;
  TFrame frame = std::move(FReady.front());
  FReady.pop_front();
  return frame;
}

std::string TFrameReader::EndOfInputError() const {
  if (!FHeader.empty())
    return "The browser closed the connection within a message's length (" +
           std::to_string(FHeader.size()) + " of 4 bytes)";
  if (FInBody)
    return "The browser closed the connection within a message (" +
           std::to_string(FBody.size()) + " of " + std::to_string(FLength) + " bytes)";
  if (FSkipping > 0)
    return "The browser closed the connection within an oversized message";
  return {};
}

std::string EncodeFrame(std::string_view payload) {
  if (payload.size() > MaxOutgoingMessage)
    throw std::length_error("A reply of " + std::to_string(payload.size()) +
                            " bytes is more than the browser takes");
  const auto length = static_cast<std::uint32_t>(payload.size());
  std::string frame(sizeof length, '\0');
  std::memcpy(frame.data(), &length, sizeof length);
  frame.append(payload);
  return frame;
}

} // namespace quillon
