// Byte streams the writers put their output into.
//
// Writers take a TRVStream& so that the same code fills a clipboard block, a file or a test
// buffer. The interface is deliberately small: sequential writes, reads from the current
// position, and seeking (the RVF writer patches a length placeholder; the text export rewinds
// and reads back what it wrote). Failures are reported by ERichViewError.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace richtext {

class TRVStream {
public:
  virtual ~TRVStream() = default;

  // Writes all count bytes at the current position and moves past them.
  virtual void WriteBuffer(const void* data, std::size_t count) = 0;
  // Reads up to count bytes from the current position; returns how many were read.
  virtual std::size_t Read(void* data, std::size_t count) = 0;
  virtual std::uint64_t Position() const = 0;
  // Positions past the end are clamped to the end.
  virtual void SetPosition(std::uint64_t position) = 0;
  virtual std::uint64_t Size() const = 0;

  void Write(std::string_view bytes) { WriteBuffer(bytes.data(), bytes.size()); }
  void Write(char byte) { WriteBuffer(&byte, 1); }

  // A writer's estimate of how many more bytes it is about to write. A stream that keeps its
  // bytes in memory makes room for them once instead of growing step by step (each step
  // copies everything written so far onto fresh pages); others ignore it.
  virtual void ExpectMore(std::uint64_t /*Bytes*/) {}
};

// An in-memory stream over a byte string: the clipboard blocks and every string-returning
// encoder are built in one of these.
class TRVMemoryStream final : public TRVStream {
public:
  TRVMemoryStream() = default;
  explicit TRVMemoryStream(std::string bytes) : FData(std::move(bytes)) {}

  void WriteBuffer(const void* data, std::size_t count) override;
  std::size_t Read(void* data, std::size_t count) override;
  std::uint64_t Position() const override { return FPosition; }
  void SetPosition(std::uint64_t position) override;
  std::uint64_t Size() const override { return FData.size(); }
  void ExpectMore(std::uint64_t Bytes) override;

  using TRVStream::Write;

  const std::string& Bytes() const { return FData; }
  // Hands the bytes over and leaves the stream empty.
  std::string TakeBytes();
  void Clear();
  void Reserve(std::size_t capacity) { FData.reserve(capacity); }

private:
  std::string FData;
  std::size_t FPosition = 0;
};

} // namespace richtext
