// Code pages by their Windows numbers, carried by ICU converters.
#include "richtext/base/RVCodePage.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/uloc.h>

#include <climits>
#include <cstring>
#include <stdexcept>
#include <memory>
#include <string>

#include "richtext/base/RVCodePageTable.h"

namespace richtext {

namespace {

struct TConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using TConverterPtr = std::unique_ptr<UConverter, TConverterCloser>;

TConverterPtr OpenByName(const char* name) {
  UErrorCode error = U_ZERO_ERROR;
  TConverterPtr converter(ucnv_open(name, &error));
  // An ambiguous alias is a warning, and the converter it opens is the one we asked for.
  if (U_FAILURE(error))
    return nullptr;
  return converter;
}

TConverterPtr OpenCodePage(TRVCodePage codePage) {
  for (const TRVCodePageConverter& known : RVCodePageConverters)
    if (known.codePage == codePage)
      return OpenByName(known.converterName);
  // Everything else goes by the names ICU gives Windows and IBM pages.
  for (const char* prefix : {"windows-", "cp", "ibm-"}) {
    std::string name = prefix + std::to_string(codePage);
    if (TConverterPtr converter = OpenByName(name.c_str()))
      return converter;
  }
  return nullptr;
}

// The converter as the Windows conversion functions behave: best-fit (fallback) mappings on
// and "?" for what a page cannot hold.
TConverterPtr OpenForConversion(TRVCodePage codePage) {
  if (codePage == CP_ACP)
    codePage = RVU_GetProcessAnsiCodePage();
  TConverterPtr converter = OpenCodePage(codePage);
  if (!converter)
    converter = OpenCodePage(RVDefaultAnsiCodePage);
  if (!converter)
    throw std::runtime_error("No converter for code page " + std::to_string(codePage));
  ucnv_setFallback(converter.get(), true);
  UErrorCode error = U_ZERO_ERROR;
  // UTF-16 converters cannot take a one-byte substitute; they never need one for valid text.
  ucnv_setSubstChars(converter.get(), "?", 1, &error);
  return converter;
}

struct TSubstitutionRecord {
  bool used = false;
};

void U_CALLCONV RecordSubstitution(const void* context, UConverterFromUnicodeArgs* args,
                                   const UChar* codeUnits, int32_t length, UChar32 codePoint,
                                   UConverterCallbackReason reason, UErrorCode* error) {
  if (reason == UCNV_UNASSIGNED || reason == UCNV_ILLEGAL || reason == UCNV_IRREGULAR)
    static_cast<TSubstitutionRecord*>(const_cast<void*>(context))->used = true;
  UCNV_FROM_U_CALLBACK_SUBSTITUTE(nullptr, args, codeUnits, length, codePoint, reason, error);
}

// Splits a POSIX name "ll_CC.codeset@modifier" into an ICU name, turning the script
// modifiers glibc uses into script subtags.
std::string IcuLocaleName(std::string_view localeName) {
  std::string_view base = localeName;
  std::string_view modifier;
  if (size_t at = base.find('@'); at != std::string_view::npos) {
    modifier = base.substr(at + 1);
    base = base.substr(0, at);
  }
  if (size_t dot = base.find('.'); dot != std::string_view::npos)
    base = base.substr(0, dot);
  std::string name(base);
  const char* script = nullptr;
  if (modifier == "latin")
    script = "Latn";
  else if (modifier == "cyrillic")
    script = "Cyrl";
  if (script) {
    size_t underscore = name.find_first_of("_-");
    std::string language = name.substr(0, underscore);
    std::string rest = underscore == std::string::npos ? "" : name.substr(underscore);
    name = language + "_" + script + rest;
  }
  return name;
}

} // namespace

TRVCodePage RVU_LocaleAnsiCodePage(std::string_view localeName) {
  std::string name = IcuLocaleName(localeName);
  if (name.empty() || name == "C" || name == "POSIX")
    return RVDefaultAnsiCodePage;
  char canonical[ULOC_FULLNAME_CAPACITY] = {};
  char maximized[ULOC_FULLNAME_CAPACITY] = {};
  UErrorCode error = U_ZERO_ERROR;
  uloc_canonicalize(name.c_str(), canonical, sizeof canonical - 1, &error);
  if (U_FAILURE(error))
    return RVDefaultAnsiCodePage;
  uloc_addLikelySubtags(canonical, maximized, sizeof maximized - 1, &error);
  if (U_FAILURE(error)) {
    error = U_ZERO_ERROR;
    std::memcpy(maximized, canonical, sizeof canonical);
  }
  char language[ULOC_LANG_CAPACITY] = {};
  char script[ULOC_SCRIPT_CAPACITY] = {};
  uloc_getLanguage(maximized, language, sizeof language - 1, &error);
  uloc_getScript(maximized, script, sizeof script - 1, &error);
  if (U_FAILURE(error))
    return RVDefaultAnsiCodePage;

  const TRVLocaleCodePage* anyScript = nullptr;
  for (const TRVLocaleCodePage& row : RVLocaleCodePages) {
    if (std::strcmp(row.language, language) != 0)
      continue;
    if (row.script[0] == 0)
      anyScript = &row;
    else if (std::strcmp(row.script, script) == 0)
      return row.codePage;
  }
  return anyScript ? anyScript->codePage : RVDefaultAnsiCodePage;
}

TRVCodePage RVU_GetProcessAnsiCodePage() { return RVU_LocaleAnsiCodePage(uloc_getDefault()); }

std::u16string RVU_AnsiToUnicode(TRVCodePage codePage, std::string_view bytes) {
  if (bytes.empty())
    return {};
  if (bytes.size() >= INT32_MAX)
    throw std::length_error("Text too long to convert");
  TConverterPtr converter = OpenForConversion(codePage);
  std::u16string text(bytes.size() + 1, u'\0');
  UErrorCode error = U_ZERO_ERROR;
  int32_t length = ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(text.data()),
                                 static_cast<int32_t>(text.size()), bytes.data(),
                                 static_cast<int32_t>(bytes.size()), &error);
  if (error == U_BUFFER_OVERFLOW_ERROR) {
    error = U_ZERO_ERROR;
    text.assign(static_cast<size_t>(length) + 1, u'\0');
    length = ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(text.data()),
                           static_cast<int32_t>(text.size()), bytes.data(),
                           static_cast<int32_t>(bytes.size()), &error);
  }
  if (U_FAILURE(error))
    throw std::runtime_error(std::string("Code page conversion failed: ") + u_errorName(error));
  text.resize(static_cast<size_t>(length));
  return text;
}

std::string RVU_UnicodeToAnsiBytes(TRVCodePage codePage, std::u16string_view text,
                                   bool* usedDefault) {
  if (usedDefault)
    *usedDefault = false;
  if (text.empty())
    return {};
  if (text.size() > INT32_MAX / 4 - 16)
    throw std::length_error("Text too long to convert");
  TConverterPtr converter = OpenForConversion(codePage);
  TSubstitutionRecord record;
  UErrorCode error = U_ZERO_ERROR;
  ucnv_setFromUCallBack(converter.get(), RecordSubstitution, &record, nullptr, nullptr, &error);
  int32_t capacity = UCNV_GET_MAX_BYTES_FOR_STRING(static_cast<int32_t>(text.size()),
                                                   ucnv_getMaxCharSize(converter.get()));
  std::string bytes(static_cast<size_t>(capacity) + 1, '\0');
  int32_t length = ucnv_fromUChars(converter.get(), bytes.data(), capacity + 1,
                                   reinterpret_cast<const UChar*>(text.data()),
                                   static_cast<int32_t>(text.size()), &error);
  if (error == U_BUFFER_OVERFLOW_ERROR) {
    error = U_ZERO_ERROR;
    bytes.assign(static_cast<size_t>(length) + 1, '\0');
    length = ucnv_fromUChars(converter.get(), bytes.data(), length + 1,
                             reinterpret_cast<const UChar*>(text.data()),
                             static_cast<int32_t>(text.size()), &error);
  }
  if (U_FAILURE(error))
    throw std::runtime_error(std::string("Code page conversion failed: ") + u_errorName(error));
  bytes.resize(static_cast<size_t>(length));
  if (usedDefault)
    *usedDefault = record.used;
  return bytes;
}

bool RVU_IsCodePageSupported(TRVCodePage codePage) {
  if (codePage == CP_ACP)
    return true;
  return OpenCodePage(codePage) != nullptr;
}

} // namespace richtext
