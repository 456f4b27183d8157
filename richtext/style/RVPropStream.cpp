// The property stream: writer and reader.
#include "richtext/style/RVPropStream.h"

#include "richtext/base/RVClasses.h"

namespace richtext {

namespace {
[[noreturn]] void ReadError() {
  throw ERichViewError("Stream read error");
}
[[noreturn]] void FormatError() {
  throw ERichViewError("Invalid stream format");
}
[[noreturn]] void ValueError() {
  throw ERichViewError("Invalid property value");
}

constexpr std::uint8_t EndMarker = 0x00;
constexpr std::uint8_t ItemMarker = 0x01;
} // namespace

// --- writer -----------------------------------------------------------------------------------

void TRVPropertyWriter::U32(std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    Byte(static_cast<std::uint8_t>(v >> (8 * i)));
}

void TRVPropertyWriter::Short(std::string_view Text) {
  if (Text.size() > 255)
    throw ERichViewError("Invalid property name");
  Byte(static_cast<std::uint8_t>(Text.size()));
  FOut.append(Text);
}

void TRVPropertyWriter::Name(std::string_view N) {
  // An empty name would read back as the end of the property list.
  if (N.empty())
    throw ERichViewError("Invalid property name");
  Short(N);
}

void TRVPropertyWriter::WriteSignature() {
  FOut.append(RVPropStreamSignature, sizeof RVPropStreamSignature);
  Byte(RVPropStreamVersion);
}

void TRVPropertyWriter::BeginObject(std::string_view ClassName) {
  Name(ClassName);
}
void TRVPropertyWriter::EndObject() {
  Byte(EndMarker);
}

void TRVPropertyWriter::WriteInteger(std::string_view N, std::int32_t Value) {
  Name(N);
  Byte(static_cast<std::uint8_t>(TRVValueType::Int32));
  U32(static_cast<std::uint32_t>(Value));
}

void TRVPropertyWriter::WriteInt64(std::string_view N, std::int64_t Value) {
  Name(N);
  Byte(static_cast<std::uint8_t>(TRVValueType::Int64));
  const auto v = static_cast<std::uint64_t>(Value);
  U32(static_cast<std::uint32_t>(v));
  U32(static_cast<std::uint32_t>(v >> 32));
}

void TRVPropertyWriter::WriteBoolean(std::string_view N, bool Value) {
  Name(N);
  Byte(static_cast<std::uint8_t>(Value ? TRVValueType::True : TRVValueType::False));
}

void TRVPropertyWriter::WriteString(std::string_view N, std::u16string_view Value) {
  Name(N);
  Byte(static_cast<std::uint8_t>(TRVValueType::String));
  U32(static_cast<std::uint32_t>(Value.size()));
  for (char16_t c : Value) {
    Byte(static_cast<std::uint8_t>(c & 0xFF));
    Byte(static_cast<std::uint8_t>(c >> 8));
  }
}

void TRVPropertyWriter::WriteIdent(std::string_view N, std::string_view Ident) {
  Name(N);
  Byte(static_cast<std::uint8_t>(TRVValueType::Ident));
  Short(Ident);
}

void TRVPropertyWriter::WriteSet(std::string_view N, const std::vector<std::string>& Members) {
  Name(N);
  Byte(static_cast<std::uint8_t>(TRVValueType::Set));
  for (const std::string& m : Members)
    Name(m);
  Byte(EndMarker);
}

void TRVPropertyWriter::BeginCollection(std::string_view N) {
  Name(N);
  Byte(static_cast<std::uint8_t>(TRVValueType::Collection));
}
void TRVPropertyWriter::BeginItem() {
  Byte(ItemMarker);
}
void TRVPropertyWriter::EndItem() {
  Byte(EndMarker);
}
void TRVPropertyWriter::EndCollection() {
  Byte(EndMarker);
}

// --- reader -----------------------------------------------------------------------------------

void TRVPropertyReader::Need(std::size_t n) const {
  if (FIn.size() - FPos < n)
    ReadError();
}

std::uint8_t TRVPropertyReader::Byte() {
  Need(1);
  return static_cast<std::uint8_t>(FIn[FPos++]);
}

std::uint32_t TRVPropertyReader::U32() {
  Need(4);
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i)
    v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(FIn[FPos + i])) << (8 * i);
  FPos += 4;
  return v;
}

std::string TRVPropertyReader::Short() {
  std::size_t n = Byte();
  Need(n);
  std::string s(FIn.substr(FPos, n));
  FPos += n;
  return s;
}

void TRVPropertyReader::ReadSignature() {
  Need(sizeof RVPropStreamSignature + 1);
  if (FIn.substr(FPos, sizeof RVPropStreamSignature) !=
      std::string_view(RVPropStreamSignature, sizeof RVPropStreamSignature))
    FormatError();
  FPos += sizeof RVPropStreamSignature;
  if (Byte() != RVPropStreamVersion)
    FormatError();
}

std::string TRVPropertyReader::BeginObject() {
  std::string name = Short();
  if (name.empty())
    FormatError();
  return name;
}

bool TRVPropertyReader::NextProperty(std::string& Name) {
  Name = Short();
  return !Name.empty();
}

TRVValueType TRVPropertyReader::PeekValueType() const {
  Need(1);
  auto t = static_cast<std::uint8_t>(FIn[FPos]);
  if (t < static_cast<std::uint8_t>(TRVValueType::Int32) ||
      t > static_cast<std::uint8_t>(TRVValueType::Int64))
    FormatError();
  return static_cast<TRVValueType>(t);
}

TRVValueType TRVPropertyReader::Tag() {
  TRVValueType t = PeekValueType();
  ++FPos;
  return t;
}

std::int32_t TRVPropertyReader::ReadInteger() {
  if (PeekValueType() != TRVValueType::Int32)
    ValueError();
  Tag();
  return static_cast<std::int32_t>(U32());
}

std::int64_t TRVPropertyReader::ReadInt64() {
  TRVValueType t = PeekValueType();
  if (t == TRVValueType::Int32)
    return ReadInteger();
  if (t != TRVValueType::Int64)
    ValueError();
  Tag();
  std::uint64_t lo = U32();
  std::uint64_t hi = U32();
  return static_cast<std::int64_t>(lo | (hi << 32));
}

bool TRVPropertyReader::ReadBoolean() {
  TRVValueType t = PeekValueType();
  if (t != TRVValueType::True && t != TRVValueType::False)
    ValueError();
  Tag();
  return t == TRVValueType::True;
}

std::u16string TRVPropertyReader::ReadString() {
  if (PeekValueType() != TRVValueType::String)
    ValueError();
  Tag();
  std::size_t n = U32();
  if ((FIn.size() - FPos) / 2 < n)
    ReadError();
  std::u16string s(n, u'\0');
  for (std::size_t i = 0; i < n; ++i) {
    auto lo = static_cast<std::uint8_t>(FIn[FPos + 2 * i]);
    auto hi = static_cast<std::uint8_t>(FIn[FPos + 2 * i + 1]);
    s[i] = static_cast<char16_t>(lo | (hi << 8));
  }
  FPos += 2 * n;
  return s;
}

std::string TRVPropertyReader::ReadIdent() {
  if (PeekValueType() != TRVValueType::Ident)
    ValueError();
  Tag();
  return Short();
}

std::vector<std::string> TRVPropertyReader::ReadSet() {
  if (PeekValueType() != TRVValueType::Set)
    ValueError();
  Tag();
  std::vector<std::string> members;
  for (std::string m = Short(); !m.empty(); m = Short())
    members.push_back(std::move(m));
  return members;
}

void TRVPropertyReader::BeginCollection() {
  if (PeekValueType() != TRVValueType::Collection)
    ValueError();
  // Nesting is bounded so that hostile input cannot exhaust the stack of a recursive reader.
  if (FDepth >= MaxDepth)
    FormatError();
  Tag();
  ++FDepth;
}

bool TRVPropertyReader::NextItem() {
  std::uint8_t b = Byte();
  if (b == EndMarker) {
    --FDepth;
    return false;
  }
  if (b != ItemMarker)
    FormatError();
  return true;
}

void TRVPropertyReader::SkipValue() {
  switch (PeekValueType()) {
  case TRVValueType::Int32:
    ReadInteger();
    break;
  case TRVValueType::Int64:
    ReadInt64();
    break;
  case TRVValueType::False:
  case TRVValueType::True:
    ReadBoolean();
    break;
  case TRVValueType::String:
    ReadString();
    break;
  case TRVValueType::Ident:
    ReadIdent();
    break;
  case TRVValueType::Set:
    ReadSet();
    break;
  case TRVValueType::Collection: {
    BeginCollection();
    std::string name;
    while (NextItem())
      while (NextProperty(name))
        SkipValue();
    break;
  }
  }
}

} // namespace richtext
