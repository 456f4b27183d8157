// The entry functions of the fuzz targets: each takes arbitrary bytes, drives one road that
// outside input travels, and checks what must hold whatever the bytes are.
//
// They are shared by the libFuzzer programs (QUILLON_FUZZ, clang) and by the smoke test that
// runs them over seeds and pseudo-random inputs in every build. A crash or a sanitizer report
// speaks for itself; a broken invariant comes back as a message (empty: all held), so the
// smoke test can print it and the fuzzer program can abort on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quillon::fuzz {

// Byte 0 picks the ANSI code page (1252, 1251, 936, 932); the rest is a list file.
// Decoding never yields an entry with CR, LF or NUL; re-encoding the entries in each
// encoding that can carry them and decoding again gives the same entries.
std::string FuzzListFile(const std::uint8_t* data, std::size_t size);

// Byte 0: the encoder's flags, byte 1: the code page; the rest is UTF-16LE text.
// The output is 7-bit; without SpecialCode its groups balance, and where the text is plain
// run text an RTF reader gets the input back.
std::string FuzzRTFText(const std::uint8_t* data, std::size_t size);

// Byte 0: the client width, byte 1: style sheet switches; then operations, each an opcode, a
// length and that many bytes, building a document with the control's add operations. The
// document is formatted with fixed metrics, selected whole and written as RTF, RVF and text:
// the writers succeed and the RTF is 7-bit with balanced groups.
std::string FuzzDocumentWrite(const std::uint8_t* data, std::size_t size);

// The bytes as RichView Format read into an editor holding a document: a failed read changes
// nothing; a successful one formats, and writing, reading and writing again is stable.
std::string FuzzRVFRead(const std::uint8_t* data, std::size_t size);

// The bytes as HTML / RTF read into an editor holding a document: a failed read changes
// nothing; a successful one formats and writes as Markdown and BBCode, and its RTF reads back
// to a document that writes the same RTF.
std::string FuzzHTMLRead(const std::uint8_t* data, std::size_t size);
std::string FuzzRTFRead(const std::uint8_t* data, std::size_t size);

// Hand-made inputs that reach each target's interesting corners, for the smoke test and to
// start a fuzzer's corpus.
std::vector<std::string> ListFileSeeds();
std::vector<std::string> RTFTextSeeds();
std::vector<std::string> DocumentWriteSeeds();
std::vector<std::string> RVFReadSeeds();
// These start from files real programs wrote (tests/fuzz/seeds/).
std::vector<std::string> HTMLReadSeeds();
std::vector<std::string> RTFReadSeeds();

} // namespace quillon::fuzz
