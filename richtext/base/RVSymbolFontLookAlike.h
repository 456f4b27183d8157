// Plain look-alikes for symbol-font text that is headed for a single-byte code page.
//
// Origin: our own choice. In 8-bit text the real Unicode characters of Symbol and Wingdings
// pictures would nearly all become "?", so the export writes short ASCII stand-ins instead:
// Symbol's letters and punctuation (0x20..0x7E) become the key that was typed, which for the
// Greek letters is their Latin counterpart (a for alpha, p for pi); operators, arrows and
// bullets become their usual ASCII spellings. Pictures listed nowhere fall back to their
// Unicode character (the Latin-1 ones, such as the degree sign, survive most code pages).
#pragma once

namespace richtext {

struct TRVSymbolLookAlike {
  unsigned char byte;
  const char* text; // ASCII
};

inline constexpr TRVSymbolLookAlike RVSymbolLookAlike_Symbol[] = {
    {0xA2, "'"},   {0xA3, "<="},  {0xA4, "/"},  {0xA5, "oo"},  {0xA6, "f"},   {0xAB, "<->"},
    {0xAC, "<-"},  {0xAD, "^"},   {0xAE, "->"}, {0xAF, "v"},   {0xB2, "\""},  {0xB3, ">="},
    {0xB7, "*"},   {0xB9, "!="},  {0xBA, "=="}, {0xBB, "~"},   {0xBC, "..."}, {0xBD, "|"},
    {0xBE, "-"},   {0xD4, "(TM)"}, {0xD7, "."}, {0xDB, "<=>"}, {0xDC, "<="},  {0xDE, "=>"},
    {0xE1, "<"},   {0xE4, "(TM)"}, {0xF1, ">"},
};

inline constexpr TRVSymbolLookAlike RVSymbolLookAlike_Wingdings[] = {
    // hands pointing
    {0x45, "<-"}, {0x46, "->"}, {0x47, "^"}, {0x48, "v"},
    // faces
    {0x4A, ":-)"}, {0x4B, ":-|"}, {0x4C, ":-("},
    // bullets, squares, diamonds
    {0x6C, "*"}, {0x6D, "o"}, {0x6E, "*"}, {0x6F, "o"}, {0x70, "o"}, {0x71, "o"}, {0x72, "o"},
    {0x73, "*"}, {0x74, "*"}, {0x75, "*"}, {0x76, "*"}, {0x77, "*"},
    {0x9F, "*"}, {0xA0, "*"}, {0xA1, "o"}, {0xA2, "o"}, {0xA3, "o"}, {0xA4, "o"}, {0xA5, "o"},
    {0xA7, "*"}, {0xA8, "o"}, {0xAA, "*"}, {0xAB, "*"}, {0xAC, "*"}, {0xAD, "*"}, {0xAE, "*"},
    {0xAF, "*"},
    // circled digits, plain and negative
    {0x80, "0"}, {0x81, "1"}, {0x82, "2"}, {0x83, "3"}, {0x84, "4"}, {0x85, "5"}, {0x86, "6"},
    {0x87, "7"}, {0x88, "8"}, {0x89, "9"}, {0x8A, "10"},
    {0x8B, "0"}, {0x8C, "1"}, {0x8D, "2"}, {0x8E, "3"}, {0x8F, "4"}, {0x90, "5"}, {0x91, "6"},
    {0x92, "7"}, {0x93, "8"}, {0x94, "9"}, {0x95, "10"},
    // arrowheads and arrows
    {0xD7, "<"}, {0xD8, ">"}, {0xD9, "^"}, {0xDA, "v"}, {0xDB, "<"}, {0xDC, ">"}, {0xDD, "^"},
    {0xDE, "v"}, {0xDF, "<-"}, {0xE0, "->"}, {0xE1, "^"}, {0xE2, "v"}, {0xE7, "<-"}, {0xE8, "->"},
    {0xE9, "^"}, {0xEA, "v"}, {0xEF, "<-"}, {0xF0, "->"}, {0xF1, "^"}, {0xF2, "v"}, {0xF3, "<->"},
    // crosses and check marks
    {0xFB, "x"}, {0xFC, "v"}, {0xFD, "[x]"}, {0xFE, "[v]"},
};

} // namespace richtext
