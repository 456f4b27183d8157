// Line breaking data: the class pair table and the classes of the characters the engine fixes.
//
// Origin. The pair table descends from the example pair table of the early revisions of Unicode
// Standard Annex #14 (Line Breaking Properties). It was changed for this engine:
//  - spaces have a row and a column of their own (SP); the searches skip U+0020 itself, so the
//    SP row and column serve the space-like sentence punctuation below;
//  - the ASCII opening brackets form a class of their own (OB) which, unlike OP, does not let a
//    line end between a letter or digit and the bracket;
//  - every pair with a combining mark after it is an indirect break (CM column);
//  - two classes for the halves of a surrogate pair (LSG, HSG) whose rows and columns say
//    bk_SRG, with HSG followed by LSG prohibited, so a pair is never split;
//  - bk_SPK (3) is not used.
// The values below are the engine's, unchanged; a different breaking behaviour is obtained by
// giving characters other classes, not by editing this table.
//
// The character classes fixed here, where they differ from the Unicode data, are chosen for
// running text in web links and blog posts: "!", ",", ".", ":", ";" (and the Armenian full stop)
// behave like spaces, so they may end a line and a line may start with one after a space; "$"
// and the no-break space glue to their neighbours.

#include "richtext/layout/RVLineBreakTables.h"

namespace richtext {

namespace {

constexpr TRVBreakAction D = bk_DBK, I = bk_IBK, P = bk_PBK, S = bk_SRG;

constexpr TRVLineBreakClass OB = rvu_lb_OB, CL = rvu_lb_CL, QU = rvu_lb_QU, GL = rvu_lb_GL,
                            EX = rvu_lb_EX, SY = rvu_lb_SY, PR = rvu_lb_PR, PO = rvu_lb_PO,
                            NU = rvu_lb_NU, AL = rvu_lb_AL, SP = rvu_lb_SP, HY = rvu_lb_HY,
                            BA = rvu_lb_BA, BB = rvu_lb_BB;

} // namespace

const TRVBreakAction BreakPairs[RV_LINEBREAK_CLASS_COUNT][RV_LINEBREAK_CLASS_COUNT] = {
    //        OB OP CL QU GL NS EX SY IS PR PO NU AL SP ID IN HY BA BB B2 ZW CM LSG HSG
    /* OB  */ {P, P, P, P, P, P, P, P, P, P, P, P, P, P, P, P, P, P, P, P, P, I, S, S},
    /* OP  */ {P, P, P, P, P, P, P, P, P, P, P, P, P, P, P, P, P, P, P, P, P, I, S, S},
    /* CL  */ {D, D, P, I, I, P, P, P, P, D, I, D, D, P, D, D, I, I, D, D, P, I, S, S},
    /* QU  */ {P, P, P, I, I, I, P, P, P, I, I, I, I, I, I, I, I, I, I, I, P, I, S, S},
    /* GL  */ {I, I, P, I, I, I, P, P, P, I, I, I, I, I, I, I, I, I, I, I, P, I, S, S},
    /* NS  */ {D, D, P, I, I, I, P, P, P, D, D, D, D, D, D, D, I, I, D, D, P, I, S, S},
    /* EX  */ {D, D, P, I, I, I, P, P, P, D, D, D, D, D, D, D, I, I, D, D, P, I, S, S},
    /* SY  */ {D, D, P, I, I, I, P, P, P, D, D, I, I, D, D, D, I, I, D, D, P, I, S, S},
    /* IS  */ {D, D, P, I, I, I, P, P, P, D, D, I, D, D, D, D, I, I, D, D, P, I, S, S},
    /* PR  */ {I, I, P, I, I, I, P, P, P, D, D, I, I, I, I, D, I, I, D, D, P, I, S, S},
    /* PO  */ {D, D, P, I, I, I, P, P, P, D, D, D, D, I, D, D, I, I, D, D, P, I, S, S},
    /* NU  */ {I, D, P, I, I, I, P, P, P, I, I, I, I, I, D, I, I, I, D, D, P, I, S, S},
    /* AL  */ {I, D, P, I, I, I, P, P, P, I, D, I, I, I, D, I, I, I, D, D, P, I, S, S},
    /* SP  */ {D, D, P, I, I, I, P, P, P, D, D, I, I, P, D, I, I, I, D, D, P, I, S, S},
    /* ID  */ {D, D, P, I, I, I, P, P, P, D, I, D, D, D, D, I, I, I, D, D, P, I, S, S},
    /* IN  */ {D, D, P, I, I, I, P, P, P, D, D, D, D, D, D, I, I, I, D, D, P, I, S, S},
    /* HY  */ {D, D, P, I, I, I, P, P, P, D, D, D, D, D, D, D, I, I, D, D, P, I, S, S},
    /* BA  */ {D, D, P, I, I, I, P, P, P, D, D, D, D, D, D, D, I, I, D, D, P, I, S, S},
    /* BB  */ {I, I, P, I, I, I, P, P, P, I, I, I, I, I, I, I, I, I, I, I, P, I, S, S},
    /* B2  */ {D, D, P, I, I, I, P, P, P, D, D, D, D, D, D, D, I, I, D, P, P, I, S, S},
    /* ZW  */ {D, D, D, D, D, D, D, D, D, D, D, D, D, D, D, D, D, D, D, D, P, I, S, S},
    /* CM  */ {D, D, P, I, I, I, P, P, P, D, D, I, I, I, D, I, I, I, D, D, P, I, S, S},
    /* LSG */ {S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S},
    /* HSG */ {S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, S, P, S},
};

const TRVLineBreakClass RVLatin1LineBreakClasses[256] = {
    /* 00 */ AL, AL, AL, AL, AL, AL, AL, AL, AL, BA, AL, AL, AL, AL, AL, AL,
    /* 10 */ AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL,
    /* 20 */ AL, SP, QU, AL, GL, PO, AL, QU, OB, CL, AL, PR, SP, HY, SP, SY,
    /* 30 */ NU, NU, NU, NU, NU, NU, NU, NU, NU, NU, SP, SP, AL, AL, AL, EX,
    /* 40 */ AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL,
    /* 50 */ AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, OB, PR, CL, AL, AL,
    /* 60 */ AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL,
    /* 70 */ AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, OB, BA, CL, AL, AL,
    /* 80 */ AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL,
    /* 90 */ AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL,
    /* A0 */ GL, AL, PO, PR, PR, PR, AL, AL, AL, AL, AL, QU, AL, BA, AL, AL,
    /* B0 */ PO, PR, AL, AL, BB, AL, AL, AL, AL, AL, AL, QU, AL, AL, AL, AL,
    /* C0 */ AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL,
    /* D0 */ AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL,
    /* E0 */ AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL,
    /* F0 */ AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL, AL,
};

const TRVLineBreakRange RVNamedLineBreakRanges[] = {
    {0x02C8, 0x02C8, rvu_lb_BB},  // modifier letter vertical line
    {0x02CC, 0x02CC, rvu_lb_BB},  // modifier letter low vertical line
    {0x0589, 0x0589, rvu_lb_SP},  // Armenian full stop
    {0x058A, 0x058A, rvu_lb_BA},  // Armenian hyphen
    {0x0660, 0x0669, rvu_lb_NU},  // Arabic-Indic digits
    {0x06F0, 0x06F9, rvu_lb_NU},  // extended Arabic-Indic digits
    {0x0966, 0x096F, rvu_lb_NU},  // Devanagari digits
    {0x09E6, 0x09EF, rvu_lb_NU},  // Bengali digits
    {0x09F2, 0x09F3, rvu_lb_PR},  // Bengali rupee marks
    {0x0A66, 0x0A6F, rvu_lb_NU},  // Gurmukhi digits
    {0x0AE6, 0x0AEF, rvu_lb_NU},  // Gujarati digits
    {0x0B66, 0x0B6F, rvu_lb_NU},  // Oriya digits
    {0x0BE6, 0x0BEF, rvu_lb_NU},  // Tamil digits
    {0x0C66, 0x0C6F, rvu_lb_NU},  // Telugu digits
    {0x0CE6, 0x0CEF, rvu_lb_NU},  // Kannada digits
    {0x4E00, 0x9FA5, rvu_lb_ID},  // CJK unified ideographs
    {0xA000, 0xA48C, rvu_lb_ID},  // Yi syllables
    {0xA490, 0xA4C6, rvu_lb_ID},  // Yi radicals
    {0xAC00, 0xD7A3, rvu_lb_ID},  // Hangul syllables
    {0xD800, 0xDBFF, rvu_lb_HSG}, // high surrogates
    {0xDC00, 0xDFFF, rvu_lb_LSG}, // low surrogates
    {0xF900, 0xFA2D, rvu_lb_ID},  // CJK compatibility ideographs
};

const std::size_t RVNamedLineBreakRangeCount =
    sizeof(RVNamedLineBreakRanges) / sizeof(RVNamedLineBreakRanges[0]);

} // namespace richtext
