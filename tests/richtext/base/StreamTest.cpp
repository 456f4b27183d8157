// The memory stream the writers and encoders fill.
#include "richtext/base/RVStream.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace richtext;

TEST(MemoryStream, PatchingALengthPlaceholderAfterTheFact) {
  // The RVF writer's pattern: placeholder, body, then the body length over the placeholder.
  TRVMemoryStream stream;
  stream.Write("hdr\r\n");
  const std::uint64_t at = stream.Position();
  stream.Write(std::string_view("\0\0\0\0", 4));
  stream.Write("body");
  const std::uint64_t end = stream.Position();
  const char length[4] = {4, 0, 0, 0};
  stream.SetPosition(at);
  stream.WriteBuffer(length, sizeof length);
  stream.SetPosition(end);
  stream.Write('!');
  EXPECT_EQ(std::string("hdr\r\n\x04\0\0\0body!", 14), stream.Bytes());
  EXPECT_EQ(14u, stream.Size());
}

TEST(MemoryStream, OverwriteRunningPastTheEndExtends) {
  TRVMemoryStream stream(std::string("abc"));
  stream.SetPosition(2);
  stream.Write("XYZ");
  EXPECT_EQ("abXYZ", stream.Bytes());
  EXPECT_EQ(5u, stream.Position());
}

TEST(MemoryStream, ReadsStopAtTheEndAndSeeksAreClamped) {
  TRVMemoryStream stream(std::string("hello"));
  char buffer[8] = {};
  EXPECT_EQ(3u, stream.Read(buffer, 3));
  EXPECT_EQ("hel", std::string(buffer, 3));
  EXPECT_EQ(2u, stream.Read(buffer, 8));
  EXPECT_EQ("lo", std::string(buffer, 2));
  EXPECT_EQ(0u, stream.Read(buffer, 8));
  stream.SetPosition(100);
  EXPECT_EQ(5u, stream.Position());
  EXPECT_EQ("hello", stream.TakeBytes());
  EXPECT_EQ(0u, stream.Size());
  EXPECT_EQ(0u, stream.Position());
}
