// kivrel-pages OUTDIR [--seed N] [--rows N]: writes synthetic saved listing
// pages for every category of both markets into OUTDIR.

#include <charconv>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "core/text/big5.h"
#include "tools/pages/page_generator.h"

namespace {

constexpr const char* kUsage =
    "Usage: kivrel-pages OUTDIR [--seed N] [--rows N]\n"
    "Writes synthetic saved listing pages (Big5, CR LF) for all 55 category\n"
    "entries into OUTDIR (created with its parents when missing), named\n"
    "<entry>.html in UTF-8.\n"
    "\n"
    "  --seed N   seed of the pseudo-random values (default 1)\n"
    "  --rows N   rows per share category page, 0 to 10000 (default 20);\n"
    "             certificate, warrant and bond pages scale with it\n"
    "             (--rows 386 gives about 30,000 stocks)\n"
    "  --help     show this text and exit\n"
    "  --version  show the version and exit\n";

int BadUsage(const std::string& problem) {
  std::fprintf(stderr, "kivrel-pages: %s (see --help)\n", problem.c_str());
  return 2;
}

template <class T>
bool ReadNumber(std::string_view text, T& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
  kivrel::pages::GeneratorOptions options;
  std::string outDir;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::puts("kivrel-pages " KIVREL_VERSION);
      return 0;
    }
    if (arg == "--seed" || arg == "--rows") {
      if (i + 1 >= argc) return BadUsage(std::string(arg) + " needs a value");
      const std::string_view value = argv[++i];
      if (arg == "--seed") {
        if (!ReadNumber(value, options.Seed)) return BadUsage("bad seed '" + std::string(value) + "'");
      } else if (!ReadNumber(value, options.ShareRows) || options.ShareRows < 0 ||
                 options.ShareRows > kivrel::pages::kMaxShareRows) {
        return BadUsage("bad row count '" + std::string(value) + "' (0 to 10000)");
      }
      continue;
    }
    if (arg.size() > 1 && arg.front() == '-') return BadUsage("unknown option '" + std::string(arg) + "'");
    if (!outDir.empty()) return BadUsage("more than one output folder");
    outDir = arg;
  }
  if (outDir.empty()) return BadUsage("no output folder given");

  try {
    const auto summary = kivrel::pages::WritePages(outDir, options);
    std::printf("%d pages, %zu stocks, %zu bytes in %s\n", summary.Pages, summary.Stocks, summary.Bytes,
                outDir.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kivrel-pages: %s\n", kivrel::Big5ToUtf8(e.what()).c_str());
    return 1;
  }
  return 0;
}
