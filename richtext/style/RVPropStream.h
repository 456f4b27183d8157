// A self-describing binary property stream for persistent objects such as style collections.
// The byte layout is written down in docs/property-stream.md.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace richtext {

enum class TRVValueType : std::uint8_t {
  Int32 = 0x01,
  False = 0x02,
  True = 0x03,
  String = 0x04,
  Ident = 0x05,
  Set = 0x06,
  Collection = 0x07,
  Int64 = 0x08,
};

inline constexpr char RVPropStreamSignature[4] = {'R', 'V', 'P', 'S'};
inline constexpr std::uint8_t RVPropStreamVersion = 1;

// Appends to a byte buffer. Calls must nest: BeginObject ... EndObject, BeginCollection then
// for each item BeginItem ... EndItem, then EndCollection. Names are UTF-8, 1 to 255 bytes.
class TRVPropertyWriter {
public:
  explicit TRVPropertyWriter(std::string& Out) : FOut(Out) {}

  void WriteSignature();
  void BeginObject(std::string_view ClassName);
  void EndObject();

  void WriteInteger(std::string_view Name, std::int32_t Value);
  void WriteInt64(std::string_view Name, std::int64_t Value);
  void WriteBoolean(std::string_view Name, bool Value);
  void WriteString(std::string_view Name, std::u16string_view Value);
  void WriteIdent(std::string_view Name, std::string_view Ident);
  void WriteSet(std::string_view Name, const std::vector<std::string>& Members);

  void BeginCollection(std::string_view Name);
  void BeginItem();
  void EndItem();
  void EndCollection();

private:
  void Name(std::string_view Name);
  void Short(std::string_view Text);
  void Byte(std::uint8_t b) { FOut.push_back(static_cast<char>(b)); }
  void U32(std::uint32_t v);
  std::string& FOut;
};

// Reads what TRVPropertyWriter wrote. Malformed or truncated input raises ERichViewError
// ("Stream read error" when data runs out, "Invalid stream format" for a bad signature or
// tag, "Invalid property value" when a value has another type than asked for).
class TRVPropertyReader {
public:
  explicit TRVPropertyReader(std::string_view In) : FIn(In) {}

  void ReadSignature();
  // Reads an object header and answers its class name.
  std::string BeginObject();
  // The next property name; false (with the end marker consumed) at the end of the list.
  bool NextProperty(std::string& Name);

  TRVValueType PeekValueType() const;
  std::int32_t ReadInteger();
  std::int64_t ReadInt64();
  bool ReadBoolean();
  std::u16string ReadString();
  std::string ReadIdent();
  std::vector<std::string> ReadSet();
  void BeginCollection();
  // True when another item starts (read its properties with NextProperty); false, with the
  // end of the collection consumed, when none is left.
  bool NextItem();
  // Skips the value of the property just named, whatever its type.
  void SkipValue();

  bool AtEnd() const { return FPos >= FIn.size(); }
  std::size_t Position() const { return FPos; }

private:
  std::uint8_t Byte();
  std::uint32_t U32();
  std::string Short();
  void Need(std::size_t n) const;
  TRVValueType Tag();
  static constexpr int MaxDepth = 32;
  std::string_view FIn;
  std::size_t FPos = 0;
  int FDepth = 0;
};

} // namespace richtext
