// The document is first cut into paragraphs of lines of runs with the few attributes the two
// formats carry; each format then writes those, opening and closing its inline markers where
// the attributes change (blanks kept outside the markers, as emphasis needs).
#include "richtext/export/RVMarkupWriter.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "richtext/base/RVUni.h"
#include "richtext/document/CRVData.h"
#include "richtext/document/RVItemKinds.h"
#include "richtext/export/RVImport.h"
#include "richtext/layout/CRVFData.h"
#include "richtext/style/RVStyle.h"

namespace richtext {

namespace {

enum TMark : std::uint8_t { mBold, mItalic, mUnderline, mStrike, mCount };

struct TRun {
  std::u16string Text;
  std::array<bool, mCount> Marks{};
  bool Code = false;
  bool HasLink = false;
  std::u16string Link;
};

using TLine = std::vector<TRun>;

struct TPara {
  int Heading = 0;
  bool ListItem = false;
  int Number = 0; // an ordered list item's number, 0 for a bullet
  std::vector<TLine> Lines;
};

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\u00A0';
}

// The runs of the range, paragraph by paragraph.
std::vector<TPara> Collect(TCustomRVData& D, std::int32_t StartNo, std::int32_t StartOffs,
                           std::int32_t EndNo, std::int32_t EndOffs) {
  std::vector<TPara> paras;
  TRVStyle* sheet = D.GetRVStyle();
  if (sheet == nullptr || D.ItemCount() == 0)
    return paras;
  const int baseIndent = sheet->ParaStyles.Items(0)->LeftIndent;
  EndNo = EndNo < 0 ? D.ItemCount() - 1 : std::min(EndNo, D.ItemCount() - 1);
  for (std::int32_t i = std::max(StartNo, 0); i <= EndNo; ++i) {
    if (paras.empty() || (i > StartNo && D.IsParaStart(i))) {
      TPara p;
      const TParaInfo& ps = *sheet->ParaStyles.Items(D.GetItemPara(i));
      p.Heading = ps.IsHeading(6) ? ps.OutlineLevel : 0;
      p.ListItem = p.Heading == 0 && ps.LeftIndent > baseIndent;
      p.Lines.emplace_back();
      paras.push_back(std::move(p));
    } else if (i > StartNo && D.IsFromNewLine(i)) {
      paras.back().Lines.emplace_back();
    }
    const std::int32_t styleNo = D.GetItemStyle(i);
    TRun run;
    if (styleNo == rvsTab) {
      run.Text = u"\t";
    } else if (styleNo >= 0) {
      const std::u16string& text = D.GetItemText(i);
      const int length = static_cast<int>(text.size());
      const int from = i == StartNo ? std::clamp(StartOffs, 1, length + 1) : 1;
      const int to = i == EndNo && EndOffs >= 0 ? std::clamp(EndOffs, from, length + 1) : length + 1;
      run.Text = text.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from));
      const TFontInfo& f = *sheet->TextStyles.Items(D.GetActualStyle(D.GetItem(i)));
      run.Marks[mBold] = f.Style.Contains(fsBold) && paras.back().Heading == 0;
      run.Marks[mItalic] = f.Style.Contains(fsItalic);
      run.Marks[mUnderline] = f.Style.Contains(fsUnderline) && !f.Jump;
      run.Marks[mStrike] = f.Style.Contains(fsStrikeOut);
      run.Code = RVIsCodeFontName(f.FontName);
      if (f.Jump) {
        run.HasLink = true;
        run.Link = D.GetItemTag(i);
      }
    } else {
      continue;
    }
    if (!run.Text.empty())
      paras.back().Lines.back().push_back(std::move(run));
  }
  // A list item's marker text becomes the format's marker.
  for (TPara& p : paras) {
    if (!p.ListItem || p.Lines.front().empty())
      continue;
    std::u16string& first = p.Lines.front().front().Text;
    if (first.rfind(u"\u2022 ", 0) == 0) {
      first.erase(0, 2);
    } else {
      std::size_t k = 0;
      int number = 0;
      while (k < first.size() && k < 9 && first[k] >= u'0' && first[k] <= u'9')
        number = number * 10 + (first[k++] - u'0');
      if (k > 0 && first.compare(k, 2, u". ") == 0) {
        p.Number = number;
        first.erase(0, k + 2);
      }
    }
    if (first.empty())
      p.Lines.front().erase(p.Lines.front().begin());
  }
  return paras;
}

bool LineEmpty(const TLine& L) {
  return std::all_of(L.begin(), L.end(), [](const TRun& r) {
    return std::all_of(r.Text.begin(), r.Text.end(), IsBlank);
  });
}

void AppendPercent(std::u16string& Out, char16_t C) {
  static constexpr char16_t hex[] = u"0123456789ABCDEF";
  const std::string bytes = RVU_UnicodeToUtf8(std::u16string_view(&C, 1));
  for (const char b : bytes) {
    Out += u'%';
    Out += hex[(static_cast<unsigned char>(b) >> 4) & 0xF];
    Out += hex[static_cast<unsigned char>(b) & 0xF];
  }
}

std::u16string EncodeAddress(std::u16string_view Address, std::u16string_view Delimiters) {
  std::u16string out;
  for (std::size_t i = 0; i < Address.size(); ++i) {
    const char16_t c = Address[i];
    if (c <= 0x20 || c == 0x7F || Delimiters.find(c) != std::u16string_view::npos) {
      AppendPercent(out, c);
    } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < Address.size()) {
      out += c;
      out += Address[++i];
    } else {
      out += c;
    }
  }
  return out;
}

// One format's inline syntax.
class TInlineWriter {
public:
  virtual ~TInlineWriter() = default;
  virtual std::u16string_view Open(TMark M) const = 0;
  virtual std::u16string_view Close(TMark M) const = 0;
  virtual std::u16string Escape(std::u16string_view Text, bool LineStart) const = 0;
  virtual std::u16string Code(std::u16string_view Text) const = 0;
  virtual std::u16string Link(const std::u16string& Inner, const std::u16string& Address) const = 0;

  // A line's runs.
  std::u16string Line(const TLine& Runs) const {
    std::u16string out;
    bool lineStart = true;
    for (std::size_t i = 0; i < Runs.size();) {
      if (!Runs[i].HasLink) {
        const std::size_t end = NextLink(Runs, i);
        out += Span(Runs, i, end, lineStart);
        i = end;
        continue;
      }
      std::size_t end = i + 1;
      while (end < Runs.size() && Runs[end].HasLink && Runs[end].Link == Runs[i].Link)
        ++end;
      std::u16string inner = Span(Runs, i, end, lineStart);
      if (inner.empty())
        inner = Escape(Runs[i].Link, lineStart);
      out += Link(inner, Runs[i].Link);
      lineStart = false;
      i = end;
    }
    return out;
  }

private:
  static std::size_t NextLink(const TLine& Runs, std::size_t From) {
    while (From < Runs.size() && !Runs[From].HasLink)
      ++From;
    return From;
  }

  // Runs From..To without links, markers opened and closed around the non-blank text.
  std::u16string Span(const TLine& Runs, std::size_t From, std::size_t To, bool& LineStart) const {
    std::u16string out, pending;
    std::vector<TMark> open;
    auto closeTo = [&](const std::array<bool, mCount>& want) {
      // Close from the innermost until no marker that must go is left open.
      while (std::any_of(open.begin(), open.end(), [&](TMark m) { return !want[m]; })) {
        out += Close(open.back());
        open.pop_back();
      }
    };
    for (std::size_t r = From; r < To; ++r) {
      const TRun& run = Runs[r];
      std::u16string_view text = run.Text;
      std::size_t lead = 0;
      while (lead < text.size() && IsBlank(text[lead]))
        ++lead;
      if (lead == text.size()) {
        pending += text;
        continue;
      }
      std::size_t trail = text.size();
      while (trail > lead && IsBlank(text[trail - 1]))
        --trail;
      std::array<bool, mCount> want = run.Marks;
      closeTo(want);
      if (!LineStart)
        out += pending;
      out += text.substr(0, lead);
      pending.clear();
      for (int m = 0; m < mCount; ++m)
        if (want[m] && std::find(open.begin(), open.end(), TMark(m)) == open.end()) {
          out += Open(TMark(m));
          open.push_back(TMark(m));
        }
      const std::u16string_view core = text.substr(lead, trail - lead);
      out += run.Code ? Code(core) : Escape(core, LineStart);
      LineStart = false;
      pending.assign(text.substr(trail));
    }
    closeTo({});
    if (!LineStart)
      out += pending;
    return out;
  }
};

class TMarkdownWriter final : public TInlineWriter {
public:
  std::u16string_view Open(TMark M) const override { return Marker(M); }
  std::u16string_view Close(TMark M) const override { return Marker(M); }

  std::u16string Escape(std::u16string_view Text, bool LineStart) const override {
    static constexpr std::u16string_view always = u"\\`*_[]<>!|~^$";
    std::u16string out;
    out.reserve(Text.size() + 8);
    for (std::size_t i = 0; i < Text.size(); ++i) {
      const char16_t c = Text[i];
      const bool next = i + 1 < Text.size();
      bool escape = always.find(c) != std::u16string_view::npos;
      if (c == u'&' && next &&
          (Text[i + 1] == u'#' || ((Text[i + 1] | 0x20) >= u'a' && (Text[i + 1] | 0x20) <= u'z')))
        escape = true;
      if (LineStart && i == 0 && (c == u'#' || c == u'+' || c == u'-' || c == u'=' || c == u'>'))
        escape = true;
      // "1. " or "1) " at the start of a line would begin an ordered list.
      if (LineStart && (c == u'.' || c == u')') && i > 0 && i < 10 &&
          std::all_of(Text.begin(), Text.begin() + static_cast<std::ptrdiff_t>(i),
                      [](char16_t d) { return d >= u'0' && d <= u'9'; }))
        escape = true;
      if (escape)
        out += u'\\';
      out += c;
    }
    return out;
  }

  std::u16string Code(std::u16string_view Text) const override {
    // A fence one backtick longer than the longest run inside; blanks part it from backticks
    // at the ends.
    std::size_t longest = 0, run = 0;
    for (const char16_t c : Text) {
      run = c == u'`' ? run + 1 : 0;
      longest = std::max(longest, run);
    }
    const std::u16string fence(longest + 1, u'`');
    const bool pad = !Text.empty() && (Text.front() == u'`' || Text.back() == u'`');
    return fence + (pad ? u" " : u"") + std::u16string(Text) + (pad ? u" " : u"") + fence;
  }

  std::u16string Link(const std::u16string& Inner, const std::u16string& Address) const override {
    return u"[" + Inner + u"](" + EncodeAddress(Address, u"()<>") + u")";
  }

private:
  static std::u16string_view Marker(TMark M) {
    switch (M) {
    case mBold: return u"**";
    case mItalic: return u"*";
    case mStrike: return u"~~";
    default: return u""; // Markdown has no underline
    }
  }
};

class TBBCodeWriter final : public TInlineWriter {
public:
  std::u16string_view Open(TMark M) const override {
    static constexpr std::u16string_view tags[] = {u"[b]", u"[i]", u"[u]", u"[s]"};
    return tags[M];
  }
  std::u16string_view Close(TMark M) const override {
    static constexpr std::u16string_view tags[] = {u"[/b]", u"[/i]", u"[/u]", u"[/s]"};
    return tags[M];
  }
  std::u16string Escape(std::u16string_view Text, bool) const override {
    std::u16string out;
    out.reserve(Text.size());
    for (std::size_t i = 0; i < Text.size(); ++i) {
      out += Text[i];
      if (Text[i] == u'[' && i + 1 < Text.size()) {
        const char16_t n = Text[i + 1];
        if (n == u'/' || n == u'*' || ((n | 0x20) >= u'a' && (n | 0x20) <= u'z'))
          out += u'\u200B';
      }
    }
    return out;
  }
  std::u16string Code(std::u16string_view Text) const override {
    return u"[code]" + std::u16string(Text) + u"[/code]";
  }
  std::u16string Link(const std::u16string& Inner, const std::u16string& Address) const override {
    return u"[url=" + EncodeAddress(Address, u"[]") + u"]" + Inner + u"[/url]";
  }
};

std::u16string Number(int N) {
  const std::string s = std::to_string(N);
  return std::u16string(s.begin(), s.end());
}

// The lines with something to write; a paragraph without any is left out.
std::vector<const TLine*> WrittenLines(const TPara& P) {
  std::vector<const TLine*> lines;
  for (const TLine& l : P.Lines)
    if (!LineEmpty(l))
      lines.push_back(&l);
  return lines;
}

bool SameList(const TPara* Previous, const TPara& P) {
  return Previous != nullptr && Previous->ListItem && P.ListItem &&
         (Previous->Number > 0) == (P.Number > 0);
}

std::u16string WriteMarkdown(const std::vector<TPara>& Paras) {
  const TMarkdownWriter w;
  std::u16string out;
  const TPara* previous = nullptr;
  for (const TPara& p : Paras) {
    const std::vector<const TLine*> lines = WrittenLines(p);
    if (lines.empty())
      continue;
    // Items of one list follow each other; anything else, another list too, after a blank line.
    if (!out.empty())
      out += SameList(previous, p) ? u"\n" : u"\n\n";
    previous = &p;
    if (p.Heading > 0) {
      // A heading is one line.
      out += std::u16string(static_cast<std::size_t>(p.Heading), u'#') + u" ";
      for (std::size_t k = 0; k < lines.size(); ++k)
        out += (k > 0 ? u" " : u"") + w.Line(*lines[k]);
      continue;
    }
    std::u16string indent;
    if (p.ListItem) {
      const std::u16string marker = p.Number > 0 ? Number(p.Number) + u". " : u"- ";
      out += marker;
      indent.assign(marker.size(), u' ');
    }
    for (std::size_t k = 0; k < lines.size(); ++k)
      out += (k > 0 ? u"\\\n" + indent : u"") + w.Line(*lines[k]);
  }
  if (!out.empty())
    out += u'\n';
  return out;
}

std::u16string WriteBBCode(const std::vector<TPara>& Paras) {
  static constexpr int headingSizes[] = {200, 150, 130, 115, 100, 85};
  const TBBCodeWriter w;
  std::u16string out;
  bool inList = false;
  const TPara* previous = nullptr;
  for (const TPara& p : Paras) {
    const std::vector<const TLine*> lines = WrittenLines(p);
    if (lines.empty())
      continue;
    const bool sameList = SameList(previous, p);
    previous = &p;
    if (inList && !sameList) {
      out += u"\n[/list]";
      inList = false;
    }
    if (!out.empty())
      out += inList ? u"\n" : u"\n\n";
    std::u16string body;
    for (std::size_t k = 0; k < lines.size(); ++k)
      body += (k > 0 ? u"\n" : u"") + w.Line(*lines[k]);
    if (p.Heading > 0) {
      out += u"[size=" + Number(headingSizes[p.Heading - 1]) + u"][b]" + body + u"[/b][/size]";
    } else if (p.ListItem) {
      if (!inList) {
        out += p.Number > 0 ? u"[list=1]\n" : u"[list]\n";
        inList = true;
      }
      out += u"[*]" + body;
    } else {
      out += body;
    }
  }
  if (inList)
    out += u"\n[/list]";
  if (!out.empty())
    out += u'\n';
  return out;
}

} // namespace

std::u16string RVGetMarkup(TCustomRVData& RVData, TRVMarkupFormat Format, std::int32_t StartNo,
                           std::int32_t StartOffs, std::int32_t EndNo, std::int32_t EndOffs) {
  const std::vector<TPara> paras = Collect(RVData, StartNo, StartOffs, EndNo, EndOffs);
  return Format == TRVMarkupFormat::rvmfMarkdown ? WriteMarkdown(paras) : WriteBBCode(paras);
}

std::u16string RVGetSelMarkup(TCustomRVFormattedData& RVData, TRVMarkupFormat Format) {
  std::int32_t startNo = -1, startOffs = -1, endNo = -1, endOffs = -1;
  RVData.GetSelectionBounds(startNo, startOffs, endNo, endOffs, true);
  if (startNo < 0 || endNo < 0)
    return {};
  return RVGetMarkup(RVData, Format, startNo, startOffs, endNo, endOffs);
}

} // namespace richtext
