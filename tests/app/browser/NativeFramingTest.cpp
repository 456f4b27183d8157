// The browser's frames as the host reads and writes them: lengths in this machine's order,
// frames cut anywhere by the pipe, several in one read, lengths beyond the limits.
#include "app/browser/NativeFraming.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillon::test {
namespace {

std::string Header(std::uint32_t length) {
  std::string bytes(4, '\0');
  std::memcpy(bytes.data(), &length, 4);
  return bytes;
}

// Everything the reader gives for Input fed in pieces of Piece bytes, as "LENGTH:PAYLOAD"
// or "LENGTH:oversized".
std::vector<std::string> Read(const std::string& input, std::size_t piece,
                              std::size_t limit = MaxIncomingMessage) {
  TFrameReader reader(limit);
  std::vector<std::string> frames;
  for (std::size_t at = 0; at < input.size(); at += piece) {
    reader.Feed(std::string_view(input).substr(at, piece));
    while (auto frame = reader.Next())
      frames.push_back(std::to_string(frame->Length) + ":" +
                       (frame->Oversized ? std::string("oversized") : frame->Payload));
  }
  EXPECT_EQ("", reader.EndOfInputError());
  return frames;
}

TEST(NativeFramingTest, FramesComeOutWholeHoweverThePipeCutsThem) {
  const std::string input = EncodeFrame(R"({"type":"ping"})") + EncodeFrame("") +
                            EncodeFrame("{\"title\":\"\xE4\xB8\xAD\xE6\x96\x87\"}");
  const std::vector<std::string> expected = {"15:{\"type\":\"ping\"}", "0:",
                                             "18:{\"title\":\"\xE4\xB8\xAD\xE6\x96\x87\"}"};
  for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{5},
                            std::size_t{7}, input.size()})
    EXPECT_EQ(expected, Read(input, piece)) << "pieces of " << piece;
}

TEST(NativeFramingTest, TheLengthIsInThisMachinesByteOrder) {
  const std::string frame = EncodeFrame(std::string(258, 'x'));
  ASSERT_EQ(262u, frame.size());
  std::uint32_t length = 0;
  std::memcpy(&length, frame.data(), 4);
  EXPECT_EQ(258u, length);
  EXPECT_EQ(Header(258), frame.substr(0, 4));
}

TEST(NativeFramingTest, AnOversizedMessageIsReportedAtOnceAndSkippedSoTheNextIsRead) {
  const std::string input = Header(20) + std::string(20, 'y') + EncodeFrame("ok");
  EXPECT_EQ((std::vector<std::string>{"20:oversized", "2:ok"}), Read(input, 3, 10));
  // Reported from the header alone, before its bytes came.
  TFrameReader reader(10);
  reader.Feed(Header(4000000000u));
  auto frame = reader.Next();
  ASSERT_TRUE(frame);
  EXPECT_TRUE(frame->Oversized);
  EXPECT_EQ(4000000000u, frame->Length);
  EXPECT_EQ("", frame->Payload);
  EXPECT_EQ("The browser closed the connection within an oversized message",
            reader.EndOfInputError());
  // A message exactly at the limit is no fault.
  EXPECT_EQ((std::vector<std::string>{"10:0123456789"}), Read(EncodeFrame("0123456789"), 4, 10));
}

TEST(NativeFramingTest, AnInputCutOffInAFrameSaysWhere) {
  struct {
    std::string input;
    std::string error;
  } cases[] = {
      {"", ""},
      {Header(5).substr(0, 3), "The browser closed the connection within a message's length (3 of 4 bytes)"},
      {Header(5) + "ab", "The browser closed the connection within a message (2 of 5 bytes)"},
      {Header(5), "The browser closed the connection within a message (0 of 5 bytes)"},
      {EncodeFrame("whole"), ""},
  };
  for (const auto& c : cases) {
    TFrameReader reader;
    reader.Feed(c.input);
    while (reader.Next()) {
    }
    EXPECT_EQ(c.error, reader.EndOfInputError());
  }
}

TEST(NativeFramingTest, RepliesBeyondWhatTheBrowserTakesAreRefused) {
  EXPECT_EQ(MaxOutgoingMessage + 4, EncodeFrame(std::string(MaxOutgoingMessage, 'a')).size());
  EXPECT_THROW(EncodeFrame(std::string(MaxOutgoingMessage + 1, 'a')), std::length_error);
}

} // namespace
} // namespace quillon::test
