// Times the regular-expression engine against Oniguruma (Shift_JIS encoding, Ruby syntax) on
// the same CP932 text: every match of a literal, a class, an alternation, a "^"- and a
// "$"-anchored pattern; scans that find nothing on 4 MB (of that text without ASCII letters,
// and of "a"); every hit of "a|a*b" in a long line of "a"; side by side in one run.
//   bench_search_regex --generate FILE [MB]   writes the deterministic test text
//   bench_search_regex FILE                   prints the comparison table
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "search/regular_expression.h"

#ifdef PLOTWEAVE_BENCH_ONIG
#include <oniguruma.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

// A small linear congruential generator: the same text on every machine.
struct Lcg {
  uint64_t state = 20261208;
  uint32_t Next() {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(state >> 33);
  }
  template <typename T>
  const T& Pick(const std::vector<T>& v) {
    return v[Next() % v.size()];
  }
};

std::string Sj(const char* utf8) { return pw::Utf8ToCp932(utf8).text; }

std::string Generate(size_t bytes, bool ascii_words = true) {
  std::vector<std::string> words;
  for (const char* w :
       {"わたし", "あなた", "それから", "しかし",   "ところが", "すこし",   "ゆっくりと", "は",
        "が",     "を",     "に",       "の",       "で",       "と",       "も",         "から",
        "まで",   "町",     "星",       "夜",       "空",       "店",       "本",         "約束",
        "少女",   "図書館", "手紙",     "記憶",     "季節",     "駅",       "雨",         "風",
        "光",     "時間",   "言葉",     "見上げた", "歩いた",   "思い出す", "笑った",     "静かな",
        "古い",   "遠い",   "新しい",   "コーヒー", "ノート",   "カメラ",   "ホーム",     "ページ",
        "ランプ", "猫",     "犬",       "鳥",       "ａｂｃ",   "1987",     "Tokyo",      "、",
        "、",     "「",     "」"}) {
    words.push_back(Sj(w));
  }
  std::vector<std::string> chapters;
  if (!ascii_words) {
    std::erase_if(words, [](const std::string& w) {
      return std::any_of(w.begin(), w.end(), [](char c) { return c >= 'A' && c <= 'z'; });
    });
  }
  for (const char* w : {"第一章", "第二章", "第三話", "第四幕"}) chapters.push_back(Sj(w));
  const std::string maru = Sj("。");
  Lcg rng;
  std::string text;
  text.reserve(bytes + 256);
  while (text.size() < bytes) {
    if (rng.Next() % 40 == 0) text += rng.Pick(chapters);
    int n = 6 + static_cast<int>(rng.Next() % 30);
    for (int i = 0; i < n; ++i) text += rng.Pick(words);
    if (rng.Next() % 2 == 0) text += maru;
    text += "\r\n";
  }
  return text;
}

struct Result {
  size_t hits = 0;
  double seconds = 0;
};

// Best of `rounds` timings of `fn`.
Result Time(int rounds, const std::function<size_t()>& fn) {
  Result best;
  for (int r = 0; r < rounds; ++r) {
    auto start = Clock::now();
    size_t hits = fn();
    double s = std::chrono::duration<double>(Clock::now() - start).count();
    if (r == 0 || s < best.seconds) best = {hits, s};
  }
  return best;
}

// Every match, each search starting at the end of the previous hit (one character further
// after an empty one), as pwvtool find does.
size_t FindAllOurs(pw::search::TAWKStr& awk, const std::string& text) {
  size_t hits = 0;
  size_t pos = 0;
  pw::search::TAWKScan scan(text);
  while (pos <= text.size()) {
    pw::search::TAWKMatch m = awk.MatchFrom(&scan, pos);
    if (m.position == 0) break;
    ++hits;
    size_t offset = m.position - 1;
    if (m.length > 0) {
      pos = offset + m.length;
    } else {
      if (offset >= text.size()) break;
      pos = pw::NextCharBoundary(text, offset);
    }
  }
  return hits;
}

#ifdef PLOTWEAVE_BENCH_ONIG
struct Onig {
  regex_t* reg = nullptr;
  OnigRegion* region = nullptr;
  explicit Onig(const std::string& pattern) {
    OnigErrorInfo info;
    const auto* p = reinterpret_cast<const OnigUChar*>(pattern.data());
    int r = onig_new(&reg, p, p + pattern.size(), ONIG_OPTION_NONE, ONIG_ENCODING_SJIS,
                     ONIG_SYNTAX_RUBY, &info);
    if (r != ONIG_NORMAL) {
      std::fprintf(stderr, "onig_new failed for a pattern (%d)\n", r);
      reg = nullptr;
    }
    region = onig_region_new();
  }
  ~Onig() {
    onig_region_free(region, 1);
    if (reg) onig_free(reg);
  }
  size_t FindAll(const std::string& text) {
    if (!reg) return 0;
    const auto* str = reinterpret_cast<const OnigUChar*>(text.data());
    const OnigUChar* end = str + text.size();
    size_t hits = 0;
    size_t pos = 0;
    while (pos <= text.size()) {
      int r = onig_search(reg, str, end, str + pos, end, region, ONIG_OPTION_NONE);
      if (r < 0) break;
      ++hits;
      auto offset = static_cast<size_t>(r);
      auto length = static_cast<size_t>(region->end[0] - region->beg[0]);
      if (length > 0) {
        pos = offset + length;
      } else {
        if (offset >= text.size()) break;
        pos = pw::NextCharBoundary(text, offset);
      }
    }
    return hits;
  }
};
#endif

bool ReadFile(const char* path, std::string* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--generate") {
    size_t mb = argc >= 4 ? std::stoul(argv[3]) : 10;
    std::string text = Generate(mb << 20);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return out ? 0 : 1;
  }
  if (argc != 2) {
    std::fprintf(stderr,
                 "usage: bench_search_regex --generate FILE [MB] | bench_search_regex FILE\n");
    return 2;
  }
  std::string text;
  if (!ReadFile(argv[1], &text)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
#ifdef PLOTWEAVE_BENCH_ONIG
  OnigEncoding encodings[] = {ONIG_ENCODING_SJIS};
  onig_initialize(encodings, 1);
#endif

  struct Case {
    const char* name;
    std::string ours;
    std::string onig;  // Oniguruma's "$" matches before LF only: the CR is spelled out
    const std::string* text;
  };
  const std::string no_letters = Generate(4 << 20, false);
  const std::string as(4 << 20, 'a');
  const std::string line_of_a(80 << 10, 'a');
  const Case cases[] = {
      {"literal", Sj("約束"), Sj("約束"), &text},
      {"class", Sj("[ァ-ヶ]+"), Sj("[ァ-ヶ]+"), &text},
      {"alternation", Sj("猫|犬|鳥"), Sj("猫|犬|鳥"), &text},
      {"^-anchored", Sj("^第"), Sj("^第"), &text},
      {"$-anchored", Sj("。$"), Sj("。\r$"), &text},
      {"none, 4 MB", "(a|aa)*b", "(a|aa)*b", &no_letters},
      {"none, 4 MB", "[^x]*y", "[^x]*y", &no_letters},
      {"none, 4 MB", "a*a*a*a*b", "a*a*a*a*b", &no_letters},
      {"none, 4MB a", "(a|aa)*b", "(a|aa)*b", &as},
      {"none, 4MB a", "[^x]*y", "[^x]*y", &as},
      {"none, 4MB a", "a*a*a*a*b", "a*a*a*a*b", &as},
      {"all, 80KB a", "a|a*b", "a|a*b", &line_of_a},
  };
  std::printf("text: %zu bytes of CP932 with CR LF line ends\n\n", text.size());
  std::printf("%-12s %-14s %10s %10s %10s %10s %8s\n", "case", "pattern (UTF-8)", "hits", "ours ms",
              "onig hits", "onig ms", "ratio");
  bool all_ok = true;
  for (const Case& c : cases) {
    pw::search::TAWKStr awk;
    if (awk.SetRegExp(c.ours)) {
      std::fprintf(stderr, "pattern error\n");
      return 1;
    }
    std::string shown = pw::Cp932ToUtf8(c.ours).text;
    // Interleaved rounds, so that both engines see the same machine load.
    Result ours;
    Result onig;
    for (int round = 0; round < 3; ++round) {
      Result o = Time(1, [&] { return FindAllOurs(awk, *c.text); });
      if (round == 0 || o.seconds < ours.seconds) ours = o;
#ifdef PLOTWEAVE_BENCH_ONIG
      Onig reg(c.onig);
      Result g = Time(1, [&] { return reg.FindAll(*c.text); });
      if (round == 0 || g.seconds < onig.seconds) onig = g;
#endif
    }
#ifdef PLOTWEAVE_BENCH_ONIG
    double ratio = ours.seconds / onig.seconds;
    all_ok = all_ok && ratio <= 1.0;
    std::printf("%-12s %-14s %10zu %10.2f %10zu %10.2f %8.3f\n", c.name, shown.c_str(), ours.hits,
                ours.seconds * 1e3, onig.hits, onig.seconds * 1e3, ratio);
#else
    std::printf("%-12s %-14s %10zu %10.2f %10s %10s %8s\n", c.name, shown.c_str(), ours.hits,
                ours.seconds * 1e3, "-", "-", "-");
#endif
  }

  // Quadratic without care: "a*b" restarted at every one of a million positions.
  std::string mega(1 << 20, 'a');
  pw::search::TAWKStr awk;
  awk.SetRegExp("a*b");
  Result worst = Time(1, [&] { return FindAllOurs(awk, mega); });
  std::printf("\na*b over 1 MB of \"a\": %zu hits, %.3f s (limit 1 s)\n", worst.hits,
              worst.seconds);
  all_ok = all_ok && worst.seconds < 1.0;
#ifdef PLOTWEAVE_BENCH_ONIG
  std::printf("%s\n", all_ok ? "all ratios <= 1.0" : "SOME RATIO ABOVE 1.0 OR LIMIT MISSED");
#endif
  return all_ok ? 0 : 1;
}
