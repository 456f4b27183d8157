// Right-to-left prose for the benchmarks: deterministic Hebrew and Arabic text of about Bytes
// bytes of UTF-8 in Paragraphs paragraphs, one per line (LF), beside the English-like corpus
// of Corpus.h and drawn from the same generator (key 7302, so the two corpora differ). Even
// paragraphs are Hebrew, odd ones Arabic (whose letters join); a paragraph's words are common
// words of its language with, now and then, a number or a Latin word among them (numbers and
// left-to-right words inside right-to-left text) and punctuation after a word 8 % of the time.
// Each paragraph ends with a full stop. Plain C++, no toolkit; bench/corpus_rtl.cpp writes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "bench/Corpus.h"

namespace quillon::bench {

inline constexpr std::string_view kHebrewWords[] = {
    "של", "את", "על", "זה", "הוא", "היא", "לא", "עם", "כל", "גם", "אבל", "מה", "יש", "אני",
    "שלום", "עולם", "בלוג", "קישור", "כתובת", "מסמך", "פסקה", "טקסט", "עורך", "כותרת", "שורה",
    "מילה", "ספר", "בית", "יום", "זמן", "אנשים", "חדש", "טוב", "גדול", "קטן", "ראשון", "אחרון",
    "לכתוב", "לקרוא", "להעתיק", "לבחור", "לשמור", "רשימה", "מקלדת", "לוח", "גופן", "צבע"};

inline constexpr std::string_view kArabicWords[] = {
    "في", "من", "على", "إلى", "هذا", "هذه", "التي", "الذي", "كان", "مع", "عن", "كل", "لا",
    "مرحبا", "عالم", "مدونة", "رابط", "عنوان", "مستند", "فقرة", "نص", "محرر", "سطر", "كلمة",
    "كتاب", "بيت", "يوم", "وقت", "الناس", "جديد", "جيد", "كبير", "صغير", "أول", "آخر", "كتابة",
    "قراءة", "نسخ", "اختيار", "حفظ", "قائمة", "لوحة", "المفاتيح", "خط", "لون", "الحافظة"};

inline constexpr std::string_view kLatinInRtlWords[] = {"Quillon", "HTML", "RTF", "Markdown",
                                                        "BBCode", "http://example.com", "Qt"};

// Calls Emit(paragraph) for each paragraph in order, without its line end. Lengths are bytes
// of UTF-8; a paragraph is cut at a word's end, never inside a character.
template <typename EmitParagraph>
void GenerateRtlCorpus(std::size_t Bytes, std::size_t Paragraphs, EmitParagraph&& Emit) {
  if (Paragraphs == 0)
    return;
  TCorpusRandom rng(7302);
  constexpr std::string_view hebrewPunctuation[] = {",", ".", ":"};
  constexpr std::string_view arabicPunctuation[] = {"،", ".", "؛"};
  const std::size_t per = Bytes / Paragraphs;
  std::string p;
  for (std::size_t i = 0; i < Paragraphs; ++i) {
    const bool hebrew = i % 2 == 0;
    p.clear();
    while (true) {
      std::string word;
      const double kind = rng.Real();
      if (kind < 0.04) {
        word = std::to_string(rng.Below(2100));
      } else if (kind < 0.07) {
        word = kLatinInRtlWords[rng.Below(std::size(kLatinInRtlWords))];
      } else if (hebrew) {
        word = kHebrewWords[rng.Below(std::size(kHebrewWords))];
      } else {
        word = kArabicWords[rng.Below(std::size(kArabicWords))];
      }
      if (rng.Real() < 0.08)
        word += hebrew ? hebrewPunctuation[rng.Below(3)] : arabicPunctuation[rng.Below(3)];
      // Room for the space before the word and the full stop after the paragraph.
      const std::size_t grown = p.size() + (p.empty() ? 0 : 1) + word.size();
      if (!p.empty() && grown + 1 > per)
        break;
      if (!p.empty())
        p += ' ';
      p += word;
      if (p.size() + 1 >= per)
        break;
    }
    p += '.';
    Emit(std::string_view(p));
  }
}

// The whole text, each paragraph followed by LF.
inline std::string RtlCorpusText(std::size_t Bytes, std::size_t Paragraphs) {
  std::string text;
  GenerateRtlCorpus(Bytes, Paragraphs, [&](std::string_view paragraph) {
    text += paragraph;
    text += '\n';
  });
  return text;
}

} // namespace quillon::bench
