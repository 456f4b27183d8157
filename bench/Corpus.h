// The prose the benchmarks measure: deterministic English-like text of about Bytes bytes in
// Paragraphs paragraphs, one per line (LF). It is the text of the workplace's reference corpus
// tool for the same arguments, byte for byte, so that figures measured here compare with
// figures measured elsewhere: the same Mersenne Twister seeded the same way (key 7301), the
// same draws (a word, a capital at a paragraph's start, punctuation 8 % of the time) and the
// same cut of each paragraph. Plain C++, no toolkit; bench/corpus.cpp writes it to a file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillon::bench {

// MT19937 seeded from a key array, with the integer draws built the usual way on top of it
// (k random bits from the top of one output; a double from 27 and 26 bits of two outputs).
class TCorpusRandom {
public:
  explicit TCorpusRandom(std::uint32_t Seed) {
    InitGenRand(19650218u);
    const std::uint32_t key[1] = {Seed};
    std::size_t i = 1, j = 0;
    for (std::size_t k = N; k > 0; --k) {
      mt[i] = (mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1664525u)) + key[j] +
              static_cast<std::uint32_t>(j);
      ++i;
      ++j;
      if (i >= N) {
        mt[0] = mt[N - 1];
        i = 1;
      }
      if (j >= 1)
        j = 0;
    }
    for (std::size_t k = N - 1; k > 0; --k) {
      mt[i] = (mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1566083941u)) -
              static_cast<std::uint32_t>(i);
      ++i;
      if (i >= N) {
        mt[0] = mt[N - 1];
        i = 1;
      }
    }
    mt[0] = 0x80000000u;
  }

  std::uint32_t Next() {
    if (index >= N)
      Twist();
    std::uint32_t y = mt[index++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
  }

  // A uniform double in [0, 1) with 53 random bits.
  double Real() {
    const std::uint32_t a = Next() >> 5, b = Next() >> 6;
    return (a * 67108864.0 + b) * (1.0 / 9007199254740992.0);
  }

  // A uniform integer below n (0 < n < 2^32), by rejection over bit_length(n) bits.
  std::uint32_t Below(std::uint32_t n) {
    int bits = 0;
    for (std::uint32_t v = n; v != 0; v >>= 1)
      ++bits;
    std::uint32_t r = Next() >> (32 - bits);
    while (r >= n)
      r = Next() >> (32 - bits);
    return r;
  }

private:
  static constexpr std::size_t N = 624, M = 397;

  void InitGenRand(std::uint32_t s) {
    mt[0] = s;
    for (std::size_t i = 1; i < N; ++i)
      mt[i] = 1812433253u * (mt[i - 1] ^ (mt[i - 1] >> 30)) + static_cast<std::uint32_t>(i);
    index = N;
  }

  void Twist() {
    for (std::size_t k = 0; k < N; ++k) {
      const std::uint32_t y = (mt[k] & 0x80000000u) | (mt[(k + 1) % N] & 0x7FFFFFFFu);
      mt[k] = mt[(k + M) % N] ^ (y >> 1) ^ ((y & 1u) != 0 ? 0x9908B0DFu : 0u);
    }
    index = 0;
  }

  std::array<std::uint32_t, N> mt{};
  std::size_t index = N;
};

inline constexpr std::string_view kCorpusWords[] = {
    "the", "of", "and", "to", "in", "is", "that", "it", "was", "for", "on", "are", "as", "with",
    "his", "they", "at", "be", "this", "from", "have", "or", "by", "one", "had", "not", "but",
    "what", "all", "were", "when", "we", "there", "can", "an", "your", "which", "their", "said",
    "if", "do", "will", "each", "about", "how", "up", "out", "them", "then", "she", "many",
    "some", "so", "these", "would", "other", "into", "has", "more", "her", "two", "like", "him",
    "see", "time", "could", "no", "make", "than", "first", "been", "its", "who", "now", "people",
    "my", "made", "over", "did", "down", "only", "way", "find", "use", "may", "water", "long",
    "little", "very", "after", "words", "called", "just", "where", "most", "know", "get",
    "through", "back", "much", "before", "go", "good", "new", "write", "our", "used", "me",
    "man", "too", "any", "day", "same", "right", "look", "think", "also", "around", "another",
    "came", "come", "work", "three", "word", "must", "because", "does", "part", "blogger",
    "hyperlink", "paragraph", "formatting", "clipboard", "selection", "underline", "document",
    "keyboard"};

// Calls Emit(paragraph) for each paragraph in order, without its line end.
template <typename EmitParagraph>
void GenerateCorpus(std::size_t Bytes, std::size_t Paragraphs, EmitParagraph&& Emit) {
  if (Paragraphs == 0)
    return;
  TCorpusRandom rng(7301);
  constexpr auto wordCount = static_cast<std::uint32_t>(std::size(kCorpusWords));
  constexpr std::string_view punctuation = ",.;";
  const std::size_t per = Bytes / Paragraphs;
  std::string p;
  for (std::size_t i = 0; i < Paragraphs; ++i) {
    p.clear();
    std::size_t n = 0;
    // The length counts each word and one space; punctuation comes on top, uncounted.
    while (n + 1 < per) {
      const std::string_view w = kCorpusWords[rng.Below(wordCount)];
      if (!p.empty())
        p += ' ';
      const std::size_t start = p.size();
      p += w;
      if (start == 0 && !p.empty() && p[0] >= 'a' && p[0] <= 'z')
        p[0] = static_cast<char>(p[0] - 'a' + 'A');
      n += w.size() + 1;
      if (rng.Real() < 0.08)
        p += punctuation[rng.Below(3)];
    }
    if (per > 0 && p.size() > per - 1)
      p.resize(per - 1);
    while (!p.empty() && (p.back() == ' ' || p.back() == '\t'))
      p.pop_back();
    p += '.';
    Emit(std::string_view(p));
  }
}

// The whole text, each paragraph followed by LF.
inline std::string CorpusText(std::size_t Bytes, std::size_t Paragraphs) {
  std::string text;
  GenerateCorpus(Bytes, Paragraphs, [&](std::string_view paragraph) {
    text += paragraph;
    text += '\n';
  });
  return text;
}

} // namespace quillon::bench
